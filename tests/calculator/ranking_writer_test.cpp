#include "calculator/ranking_writer.h"

#include <gtest/gtest.h>

#include <QDir>

#include "tests/calculator/printers.h"
#include "tests/calculator/small_contest.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ContestRow;
using testing::TempFolder;

const QString kHeader = QStringLiteral(" No   CallSign     QSO's  Point  Multi  Score  Conti");
const QDate kDay(2024, 3, 2);

QByteArray FileBytes(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += EncodeCp932(line) + "\r\n";
  return bytes;
}

class CountingProgress final : public Progress {
 public:
  void SetMaximum(qint64 maximum) override { maximum_ = maximum; }
  void SetValue(qint64 value) override { values_.append(value); }
  void SetLabel(int, const QString&) override {}
  void Yield() override {}
  qint64 maximum_ = -1;
  QList<qint64> values_;
};

TEST(GroupedNumber, GroupsThousandsWithAtLeastOneDigit) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},
      {7, "7"},
      {999, "999"},
      {1000, "1,000"},
      {1234, "1,234"},
      {123456, "123,456"},
      {1234567, "1,234,567"},
      {-1234, "-1,234"},
      {-999, "-999"},
      {2.5, "2"},
      {3.5, "4"},
      {1e15, "1,000,000,000,000,000"},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(GroupedNumber(value), QString::fromLatin1(expected)) << value;
  }
}

TEST(RankingLine, FieldsAreCutToTheirWidths) {
  struct Case {
    qint64 place;
    ResultRow row;
    const char* expected;
  };
  const Case cases[] = {
      {1, ContestRow("JA1ABC", "SOHP", "AS", "JA", 1234567, 1234, 3702, 333, "", ""),
       "  1 JA1ABC         1,234  3,702  333  1,234,567  AS"},
      {1000, ContestRow("VERYLONGCALL1", "SOHP", "", "", 0, 0, 0, 0, "", ""),
       "000 VERYLONGCALL1      0      0    0          0    "},
      {1234, ContestRow("W1AW", "SOHP", "NA", "K", 5, 1, 2, 3, "", ""),
       "234 W1AW               1      2    3          5  NA"},
      {12, ContestRow("W1AW", "SOHP", "NA", "K", 123456789012, 32767, -32768, 32767, "", ""),
       " 12 W1AW          32,767-32,7682,767456,789,012  NA"},
  };
  for (const Case& c : cases) {
    const QString line = RankingLine(c.place, c.row);
    EXPECT_EQ(line, QString::fromLatin1(c.expected));
    EXPECT_EQ(line.size(), 51);
  }
}

TEST(RankingPlaces, EqualScoresShareAPlace) {
  const std::pair<QList<double>, QList<qint64>> cases[] = {
      {{900, 800, 800, 700}, {1, 2, 2, 4}},
      {{500, 500}, {1, 1}},
      {{0, 0, 0}, {1, 1, 1}},
      {{}, {}},
      {{100, 99.99999, 99.99999, 99.9999}, {1, 2, 2, 4}},
  };
  for (const auto& [scores, places] : cases) {
    QList<ResultRow> list;
    for (const double score : scores)
      list.append(ContestRow("X", "SOHP", "", "", score, 0, 0, 0, "", ""));
    EXPECT_EQ(RankingPlaces(list), places);
  }
}

TEST(RankingFileLines, MoreThan999EntriesKeepTheLastThreeDigitsOfThePlace) {
  QList<ResultRow> list;
  for (int i = 0; i < 1001; ++i) {
    list.append(ContestRow("K" + QString::number(i), "SOLP", "NA", "K", 5000 - i, 1, 1, 1, "", ""));
  }
  const QStringList lines = RankingFileLines("SOLP World", list);
  ASSERT_EQ(lines.size(), 4 + 1001);
  EXPECT_EQ(lines[4 + 998], "999 K998               1      1    1      4,002  NA");
  EXPECT_EQ(lines[4 + 999], "000 K999               1      1    1      4,001  NA");
  EXPECT_EQ(lines[4 + 1000], "001 K1000              1      1    1      4,000  NA");
}

TEST(RankingReports, TwentyFiveFilesInTableOrder) {
  QStringList names;
  for (const RankingReport& report : RankingReports()) {
    names.append(QString::fromLatin1(report.file_name) + u'|' + QString::fromLatin1(report.title));
  }
  const QStringList expected = {
      "WorldHigh.Rez|SOHP World", "WorldLow.Rez|SOLP World", "WorldMulti.Rez|MO World",
      "NaHigh.Rez|SOHP Na",       "NaLow.Rez|SOLP Na",       "NaMulti.Rez|MO Na",
      "SaHigh.Rez|SOHP Sa",       "SaLow.Rez|SOLP Sa",       "SaMulti.Rez|MO Sa",
      "EuHigh.Rez|SOHP Eu",       "EuLow.Rez|SOLP Eu",       "EuMulti.Rez|MO Eu",
      "AsHigh.Rez|SOHP As",       "AsLow.Rez|SOLP As",       "AsMulti.Rez|MO As",
      "OcHigh.Rez|SOHP Oc",       "OcLow.Rez|SOLP Oc",       "OcMulti.Rez|MO Oc",
      "AfHigh.Rez|SOHP Af",       "AfLow.Rez|SOLP Af",       "AfMulti.Rez|MO Af",
      "JaHigh.Rez|SOHP Ja",       "JaLow.Rez|SOLP Ja",       "JaMulti.Rez|MO Ja",
      "CheckLog.Rez|CheckLog",
  };
  EXPECT_EQ(names, expected);
}

class RankingFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(root_.Path()).mkpath("Results"));
    ASSERT_TRUE(QDir(root_.Path()).mkpath("Awards"));
  }
  OutputFolders Folders() const { return {root_.File("Results"), root_.File("Awards")}; }
  QByteArray Result(const char* name) const {
    return testing::ReadBytes(root_.File("Results/2024-03-02" + QString::fromLatin1(name)));
  }
  QStringList Listed(const char* folder) const {
    return QDir(root_.File(QString::fromLatin1(folder))).entryList(QDir::Files, QDir::Name);
  }
  TempFolder root_;
};

TEST_F(RankingFiles, SmallContestGivesEveryListItsFile) {
  const RankingTables tables = RankRows(testing::SmallContest());
  CountingProgress progress;
  const OutputOutcome written = WriteRankingFiles(Folders(), kDay, tables, progress);
  ASSERT_TRUE(written.outcome.ok) << written.outcome.error.toStdString();

  QStringList expected_names;
  for (const RankingReport& report : RankingReports()) {
    expected_names.append("2024-03-02" + QString::fromLatin1(report.file_name));
  }
  expected_names.sort();
  EXPECT_EQ(Listed("Results"), expected_names);
  EXPECT_EQ(Listed("Awards").size(), 8);

  // 7 + 4 + 1 + 1 + 1 + 1 SOHP, 2 + 2 + 2 SOLP, 1 + 1 MO, 1 CHECKLOG.
  EXPECT_EQ(progress.maximum_, 24);
  QList<qint64> counted;
  for (qint64 i = 1; i <= 24; ++i) counted.append(i);
  EXPECT_EQ(progress.values_, counted);

  EXPECT_EQ(Result("WorldHigh.Rez"),
            FileBytes({"SOHP World", "", "", kHeader,
                       "  1 DL1ABC           100    300    3        900  EU",
                       "  2 JA1AAA            80    200    4        800  AS",
                       "  2 W1AW           1,234    100    8        800  NA",
                       "  4 G3XX              65    130    5        650  EU",
                       "  5 F5YY              60    120    5        600  EU",
                       "  6 OH1ZZ             55    110    5        550  EU",
                       "  7 PY2AA              0      0    0          0  SA"}));
  EXPECT_EQ(
      Result("JaLow.Rez"),
      FileBytes({"SOLP Ja", "", "", kHeader, "  1 JA2BBB            50    100    5        500  AS",
                 "  1 JA3CCC            50    125    4        500  AS"}));
  EXPECT_EQ(Result("AsHigh.Rez"),
            FileBytes({"SOHP As", "", "", kHeader,
                       "  1 JA1AAA            80    200    4        800  AS"}));
  EXPECT_EQ(Result("SaHigh.Rez"),
            FileBytes({"SOHP Sa", "", "", kHeader,
                       "  1 PY2AA              0      0    0          0  SA"}));
  EXPECT_EQ(Result("EuLow.Rez"), FileBytes({"SOLP Eu", "", "", kHeader}));
  EXPECT_EQ(Result("CheckLog.Rez"),
            FileBytes({"CheckLog", "", "", kHeader,
                       "  1 ja9zzz             3      9    2          0  AS"}));
}

TEST_F(RankingFiles, ASecondRunReplacesTheFilesOfTheDayAndAnotherDayAddsASet) {
  CountingProgress progress;
  ASSERT_TRUE(
      WriteRankingFiles(Folders(), kDay, RankRows(testing::SmallContest()), progress).outcome.ok);
  ASSERT_TRUE(WriteRankingFiles(Folders(), kDay, RankingTables(), progress).outcome.ok);
  EXPECT_EQ(Result("WorldHigh.Rez"), FileBytes({"SOHP World", "", "", kHeader}));
  ASSERT_TRUE(WriteRankingFiles(Folders(), kDay.addDays(1), RankingTables(), progress).outcome.ok);
  EXPECT_EQ(Listed("Results").size(), 50);
  EXPECT_EQ(Listed("Awards").size(), 16);
  EXPECT_EQ(Listed("Results").first(), QStringLiteral("2024-03-02AfHigh.Rez"));
  EXPECT_EQ(Listed("Results").last(), QStringLiteral("2024-03-03WorldMulti.Rez"));
}

TEST_F(RankingFiles, AFileThatCannotBeWrittenEndsTheOutputThere) {
  // A folder in the place of the fourth file.
  ASSERT_TRUE(QDir(root_.File("Results")).mkdir("2024-03-02NaHigh.Rez"));
  CountingProgress progress;
  const OutputOutcome written =
      WriteRankingFiles(Folders(), kDay, RankRows(testing::SmallContest()), progress);
  EXPECT_FALSE(written.outcome.ok);
  EXPECT_FALSE(written.outcome.error.isEmpty());
  EXPECT_EQ(written.path, QDir(root_.File("Results")).filePath("2024-03-02NaHigh.Rez"));
  QDir results(root_.File("Results"));
  EXPECT_EQ(results.entryList(QDir::Files, QDir::Name),
            (QStringList{"2024-03-02WorldHigh.Rez", "2024-03-02WorldLow.Rez",
                         "2024-03-02WorldMulti.Rez"}));
  EXPECT_EQ(Listed("Awards"), QStringList());
}

TEST_F(RankingFiles, MissingFoldersFailWithoutWritingAnything) {
  CountingProgress progress;
  const OutputOutcome no_results =
      WriteRankingFiles({root_.File("gone"), root_.File("Awards")}, kDay,
                        RankRows(testing::SmallContest()), progress);
  EXPECT_FALSE(no_results.outcome.ok);
  EXPECT_EQ(Listed("Awards"), QStringList());

  const OutputOutcome no_awards =
      WriteRankingFiles({root_.File("Results"), root_.File("gone")}, kDay,
                        RankRows(testing::SmallContest()), progress);
  EXPECT_FALSE(no_awards.outcome.ok);
  EXPECT_EQ(Listed("Results").size(), 25);
}

}  // namespace
}  // namespace tovek
