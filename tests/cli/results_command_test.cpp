#include <gtest/gtest.h>

#include <QDir>
#include <QMap>

#include "calculator/results_file.h"
#include "cli/command_line.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::TempFolder;
using testing::Tovek;
using testing::TovekRun;

CabrilloSummary Station(const char* call, const char* category, const char* continent,
                        const char* entity, const QString& name, const QString& address) {
  CabrilloSummary s = testing::StationSummary(call, category, continent, entity, "44");
  s.name = name;
  s.address = address;
  return s;
}

const QString kHeader = QStringLiteral(" No   CallSign     QSO's  Point  Multi  Score  Conti");

QByteArray FileBytes(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += EncodeCp932(line) + "\r\n";
  return bytes;
}

// Every file of a folder tree by its path inside the folder, with its bytes.
QMap<QString, QByteArray> FolderFiles(const QString& root) {
  QMap<QString, QByteArray> files;
  const QDir base(root);
  for (const QString& sub : {QStringLiteral("Results"), QStringLiteral("Awards")}) {
    const QDir folder(base.filePath(sub));
    for (const QString& name : folder.entryList(QDir::Files)) {
      files.insert(sub + u'/' + name, testing::ReadBytes(folder.filePath(name)));
    }
  }
  return files;
}

// Four logs in Kavrel's layout; DL1ABC and JA1AAA tie at 44.
class PublishedContest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteKavrelLog(logs_.File("JA1AAA.cbr"),
                            Station("JA1AAA", "SOLP", "AS", "JA", QStringLiteral("山田　太郎"),
                                    QStringLiteral("東京都千代田区 <LF> 1-2-3")),
                            {{"14080", "W1AW"},
                             {"14081", "DL1ABC"},
                             {"14082", "W1AW"},
                             {" 7040", "JA3XYZ"},
                             {"21080", "VK2ABC/P"}});
    testing::WriteKavrelLog(logs_.File("DL1ABC.cbr"),
                            Station("DL1ABC", "SOHP", "EU", "DL", "Hans", "Berlin"),
                            {{"14080", "JA1AAA"},
                             {"14081", "JA1AAA"},
                             {"14082", "W1AW"},
                             {" 7040", "W1AW"},
                             {" 7041", "PA3ABC"}});
    testing::WriteKavrelLog(logs_.File("w1aw.cbr"), Station("W1AW", "MO", "NA", "K", "ARRL", ""),
                            {{"14080", "JA1AAA"}, {" 3510", "VE3ABC"}, {" 1825", "VE3ABC"}});
    testing::WriteKavrelLog(logs_.File("ja9zzz.cbr"),
                            Station("JA9ZZZ", "CHECKLOG", "AS", "JA", "", ""), {});
  }
  TempFolder logs_;
  TempFolder out_;
};

TEST_F(PublishedContest, ScoreSavesAndPublishesAndResultsGivesTheSame) {
  const QString saved = out_.File("contest.rlt");
  const TovekRun scored = Tovek({"score", "--save", saved, "--out", out_.File("score"), "--date",
                                 "2024-03-02", logs_.Path()});
  ASSERT_EQ(scored.status, kSuccess) << scored.err.toStdString();
  EXPECT_EQ(scored.err, "");
  EXPECT_EQ(testing::ReadBytes(saved).size(), 4 * kResultRecordSize);

  const QMap<QString, QByteArray> files = FolderFiles(out_.File("score"));
  EXPECT_EQ(files.size(), 25 + 8);
  EXPECT_EQ(files.value("Results/2024-03-02WorldHigh.Rez"),
            FileBytes({"SOHP World", "", "", kHeader,
                       "  1 DL1ABC             4     11    4         44  EU"}));
  EXPECT_EQ(files.value("Results/2024-03-02JaLow.Rez"),
            FileBytes({"SOLP Ja", "", "", kHeader,
                       "  1 JA1AAA             4     11    4         44  AS"}));
  EXPECT_EQ(files.value("Results/2024-03-02CheckLog.Rez"),
            FileBytes({"CheckLog", "", "", kHeader,
                       "  1 JA9ZZZ             0      0    0          0  AS"}));
  EXPECT_EQ(files.value("Results/2024-03-02OcHigh.Rez"), FileBytes({"SOHP Oc", "", "", kHeader}));
  EXPECT_EQ(
      files.value("Awards/2024-03-02JaAwards.Awd"),
      FileBytes({QStringLiteral("ジャパン　アワード"), "", "",
                 QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門　参加局　０"), "", "",
                 QStringLiteral("シングルオペ，オールバンド，ローパワー 部門 参加 １ 局"), "", "",
                 kHeader, "  1 JA1AAA             4     11    4         44  AS  JA Top With Plaque",
                 QStringLiteral("     山田　太郎                    "),
                 QStringLiteral("     東京都千代田区"), "     1-2-3", "", "",
                 QStringLiteral("マルチオペ，オールバンド 部門　参加局　０"), "", ""}));

  // The results file reads back into the same rows, and publishes the same files.
  const TovekRun read =
      Tovek({"results", "--out", out_.File("again"), "--date", "2024-03-02", saved});
  ASSERT_EQ(read.status, kSuccess) << read.err.toStdString();
  EXPECT_EQ(read.err, "");
  EXPECT_EQ(read.out, scored.out);
  EXPECT_EQ(FolderFiles(out_.File("again")), files);
}

TEST_F(PublishedContest, ResultsWithoutOutPrintsOnlyAndTodayIsTheDefaultDate) {
  const QString saved = out_.File("contest.rlt");
  ASSERT_EQ(Tovek({"score", "--save", saved, logs_.Path()}).status, kSuccess);
  EXPECT_FALSE(QDir(out_.File("Results")).exists());
  const TovekRun read = Tovek({"results", saved});
  EXPECT_EQ(read.status, kSuccess);
  EXPECT_TRUE(read.out.startsWith("No\tCallSign\t"));
  EXPECT_EQ(read.out.count(u'\n'), 5);

  const QString today = QDate::currentDate().toString("yyyy-MM-dd");
  ASSERT_EQ(Tovek({"results", "--out", out_.Path(), saved}).status, kSuccess);
  const QStringList names = QDir(out_.File("Results")).entryList(QDir::Files);
  EXPECT_EQ(names.size(), 25);
  for (const QString& name : names) EXPECT_TRUE(name.startsWith(today)) << name.toStdString();
}

TEST_F(PublishedContest, TruncatedFileIsReadAsFarAsItGoes) {
  const QString saved = out_.File("contest.rlt");
  ASSERT_EQ(Tovek({"score", "--save", saved, logs_.Path()}).status, kSuccess);
  const QByteArray bytes = testing::ReadBytes(saved);
  const QString cut = out_.Write("cut.rlt", bytes.first(3 * kResultRecordSize + 40));
  const TovekRun read = Tovek({"results", cut});
  EXPECT_EQ(read.status, kSuccess);
  EXPECT_EQ(read.err, "tovek results: " + cut +
                          ": the length is not a whole number of 493-byte records; 3 read\n");
  EXPECT_EQ(read.out.count(u'\n'), 4);
}

TEST(TovekResults, UnreadableFilesAreRefused) {
  TempFolder folder;
  const TovekRun missing = Tovek({"results", folder.File("gone.rlt")});
  EXPECT_EQ(missing.status, kRefused);
  EXPECT_TRUE(missing.err.startsWith("tovek results: " + folder.File("gone.rlt") + ": "));
  EXPECT_EQ(missing.out, "");

  const QString garbage = folder.Write("garbage.rlt", QByteArray(kResultRecordSize, '\xFF'));
  const TovekRun not_results = Tovek({"results", garbage});
  EXPECT_EQ(not_results.status, kRefused);
  EXPECT_EQ(not_results.err, "tovek results: " + garbage + ": " +
                                 QString::fromUtf8(kNotResultsFile).arg(garbage).arg(1) + "\n");
  EXPECT_EQ(not_results.out, "");

  // An empty file holds no rows: printed, but nothing to publish.
  const QString empty = folder.Write("empty.rlt", "");
  EXPECT_EQ(Tovek({"results", empty}).status, kSuccess);
  const TovekRun publish = Tovek({"results", "--out", folder.Path(), empty});
  EXPECT_EQ(publish.status, kRefused);
  EXPECT_EQ(publish.err, "tovek results: no result rows: no ranking or award files written\n");
  EXPECT_FALSE(QDir(folder.File("Results")).exists());
}

TEST(TovekResults, NothingToSaveAndUnwritableOutputAreRefused) {
  TempFolder folder;
  TempFolder logs;
  const TovekRun empty = Tovek({"score", "--save", folder.File("x.rlt"), logs.Path()});
  EXPECT_EQ(empty.status, kRefused);
  EXPECT_EQ(empty.err, "tovek score: " + folder.File("x.rlt") + ": no result rows to save\n");
  EXPECT_FALSE(QFile::exists(folder.File("x.rlt")));

  testing::WriteKavrelLog(logs.File("w1aw.cbr"), Station("W1AW", "MO", "NA", "K", "", ""),
                          {{"14080", "JA1AAA"}});
  const QString blocker = folder.Write("file", "in the way");
  const TovekRun blocked = Tovek({"score", "--out", blocker, logs.Path()});
  EXPECT_EQ(blocked.status, kRefused);
  EXPECT_EQ(blocked.err, "tovek score: " + QDir(blocker).filePath("Results") +
                             ": the folder cannot be created\n");

  const TovekRun unsaved = Tovek({"score", "--save", folder.File("gone/x.rlt"), logs.Path()});
  EXPECT_EQ(unsaved.status, kRefused);
  EXPECT_TRUE(unsaved.err.startsWith("tovek score: " + folder.File("gone/x.rlt") + ": "));
}

// A claimed score no double can hold is no claim: the saved file reads back
// and the run says which log's claim was dropped.
TEST(TovekResults, ClaimsBeyondAnyNumberAreSavedAsNoClaim) {
  TempFolder folder;
  TempFolder logs;
  const QString huge[] = {"1e400", QString(400, u'9'), QString("1 ").repeated(400)};
  for (int i = 0; i < 3; ++i) {
    CabrilloSummary s = Station("W1AW", "MO", "NA", "K", "", "");
    s.call_sign = QStringLiteral("W%1AW").arg(i + 1);
    s.claimed_score = huge[i];
    testing::WriteKavrelLog(logs.File(s.call_sign + ".cbr"), s, {{"14080", "JA1AAA"}});
  }
  const QString saved = folder.File("claims.rlt");
  const TovekRun scored = Tovek({"score", "--save", saved, logs.Path()});
  ASSERT_EQ(scored.status, kSuccess);
  EXPECT_EQ(scored.err.count("CLAIMED-SCORE is too large to be read; 0 is kept\n"), 3);
  EXPECT_FALSE(scored.out.contains("inf"));
  const TovekRun read = Tovek({"results", saved});
  ASSERT_EQ(read.status, kSuccess) << read.err.toStdString();
  EXPECT_EQ(read.out, scored.out);
}

TEST(TovekResults, UsageErrors) {
  EXPECT_EQ(Tovek({"results"}).status, kUsageError);
  EXPECT_EQ(Tovek({"results", "a.rlt", "b.rlt"}).status, kUsageError);
  const TovekRun bad_date = Tovek({"results", "--out", "x", "--date", "2024-02-30", "a.rlt"});
  EXPECT_EQ(bad_date.status, kUsageError);
  EXPECT_TRUE(bad_date.err.startsWith(
      "tovek results: --date takes a date written yyyy-mm-dd, not '2024-02-30'\n"));
  EXPECT_EQ(Tovek({"score", "--date", "02.03.2024", "x"}).status, kUsageError);
  EXPECT_TRUE(Tovek({"results", "--help"}).out.startsWith("Usage: tovek results"));
  EXPECT_TRUE(Tovek({"help"}).out.contains(
      "  results     print a results file's rows, write its ranking and award files\n"));
}

}  // namespace
}  // namespace tovek::cli
