#include "editor/log_lines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>

#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

const QStringList kTags = {"START-OF-LOG:", "CALLSIGN:", "CONTEST:", "CATEGORY-OPERATOR:",
                           "NAME:",         "QSO:",      "X-QSO:",   "END-OF-LOG:"};

LogLines Split(const QString& text, const QStringList& tags = kTags) {
  LogLines rows;
  SplitAtHeaderTags(text, tags, rows);
  return rows;
}

TEST(SplitAtHeaderTags, CutsRunTogetherHeaderRowsInFrontOfEveryTag) {
  EXPECT_EQ(Split("START-OF-LOG: 3.0CALLSIGN: JA1ABCCONTEST: TOVEK-WW-RTTY"),
            (LogLines{"START-OF-LOG: 3.0", "CALLSIGN: JA1ABC", "CONTEST: TOVEK-WW-RTTY"}));
}

TEST(SplitAtHeaderTags, KeepsBlanksOfThePieces) {
  EXPECT_EQ(Split("  CALLSIGN: JA1ABC  NAME: Taro  "),
            (LogLines{"  CALLSIGN: JA1ABC  ", "NAME: Taro  "}));
}

TEST(SplitAtHeaderTags, OnlyTagsBehindTheFirstColonCount) {
  // "NAME:" inside the row's own tag lies before its colon.
  EXPECT_EQ(Split("IOTA-ISLAND-NAME: HonshuX"), (LogLines{"IOTA-ISLAND-NAME: HonshuX"}));
  EXPECT_EQ(Split("A: QSO: 1"), (LogLines{"A: ", "QSO: 1"}));
  // A header tag with an empty value, right in front of the next tag.
  EXPECT_EQ(Split("SOAPBOX:QSO: 14093 RY"), (LogLines{"SOAPBOX:", "QSO: 14093 RY"}));
  EXPECT_EQ(Split("CLUB:NAME: Taro"), (LogLines{"CLUB:", "NAME: Taro"}));
}

TEST(SplitAtHeaderTags, LeftmostTagWinsWhateverTheListOrder) {
  EXPECT_EQ(Split("CALLSIGN: K1AX-QSO: 14080 QSO: 7000"),
            (LogLines{"CALLSIGN: K1A", "X-QSO: 14080 ", "QSO: 7000"}));
}

TEST(SplitAtHeaderTags, TimeWithAColonStaysWholeWithoutATag) {
  EXPECT_EQ(Split("  QSO: 14080 RY 2024-05-01 12:34 JA1ABC"),
            (LogLines{"  QSO: 14080 RY 2024-05-01 12:34 JA1ABC"}));
}

TEST(SplitAtHeaderTags, ATagOnTheLastCharacterIsNotACut) {
  EXPECT_EQ(Split("AB: CDX", {"X"}), (LogLines{"AB: CDX"}));
  EXPECT_EQ(Split("AB: CDXY", {"X"}), (LogLines{"AB: CD", "XY"}));
}

TEST(SplitAtHeaderTags, NoTagsKeepsTheText) {
  EXPECT_EQ(Split("CALLSIGN: JA1ABCNAME: Taro", {}), (LogLines{"CALLSIGN: JA1ABCNAME: Taro"}));
}

// The tags are found in one pass, through a table of the character pairs
// they begin with; what it finds must be what each tag's own search finds.
TEST(SplitAtHeaderTags, FindsExactlyTheTagsWhateverTheyShare) {
  // "R4" shares the pair table's entry with "QS": it must not cut.
  EXPECT_EQ(Split("CALLSIGN: R4ABCQSO: 1"), (LogLines{"CALLSIGN: R4ABC", "QSO: 1"}));
  // A tag's first two characters alone are no tag; a longer tag sharing a
  // beginning with a shorter one is found at its own place.
  EXPECT_EQ(Split("A: QSQS-QSO: 1CATEGORY-OPERATOR: SINGLE-OPCATEGORY: SOHP",
                  {"QSO:", "CATEGORY:", "CATEGORY-OPERATOR:"}),
            (LogLines{"A: QSQS-", "QSO: 1", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY: SOHP"}));
  // Tags of one character and tags of other scripts.
  EXPECT_EQ(Split(QStringLiteral("名前: 太郎住所: 東京X1"), {QStringLiteral("住所:"), "X"}),
            (LogLines{QStringLiteral("名前: 太郎"), QStringLiteral("住所: 東京"), "X1"}));
  // An empty tag is found wherever it is sought: every piece ends right
  // behind its first colon.
  EXPECT_EQ(Split("CLUB: XNAME: Y", {""}), (LogLines{"CLUB:", " XNAME:", " Y"}));
}

TEST(SplitAtHeaderTags, ALongLinuxLogIsCutAtEveryQso) {
  QString text = "START-OF-LOG: 3.0";
  LogLines expected{"START-OF-LOG: 3.0"};
  for (int i = 0; i < 2000; ++i) {
    const QString row = QStringLiteral("QSO: 14080 RY 2024-05-01 %1 JA1ABC").arg(1000 + i);
    text += row;
    expected.append(row);
  }
  text += "END-OF-LOG:";
  expected.append("END-OF-LOG:");
  EXPECT_EQ(Split(text), expected);
}

struct LineCase {
  const char* name;
  QString line;
  LogLines rows;
};

class AddLogLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(AddLogLineTest, MakesRows) {
  LogLines rows;
  AddLogLine(GetParam().line, kTags, rows);
  EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AddLogLineTest,
    ::testing::Values(
        LineCase{"Trimmed", "  QSO: 14080 RY  ", {"QSO: 14080 RY"}},
        LineCase{"TabDeletedNotReplaced", "QSO:\t14080\tRY", {"QSO:14080RY"}},
        LineCase{"LineFeedsRemoved", "CALLSIGN: JA1ABC\nNAME: Taro", {"CALLSIGN: JA1ABC", "NAME: Taro"}},
        LineCase{"IgnoredQsoBecomesQso", "X-QSO: 14080 RY", {"QSO: 14080 RY"}},
        LineCase{"LowerCaseIgnoredQsoStays", "x-qso: 14080 RY", {"x-qso: 14080 RY"}},
        LineCase{"IndentedIgnoredQsoStays", "  X-QSO: 14080 RY", {"X-QSO: 14080 RY"}},
        LineCase{"ColonTimeKeepsLeadingBlanks", "  QSO: 14080 RY 12:34 ", {"  QSO: 14080 RY 12:34 "}},
        LineCase{"Empty", "", {""}},
        LineCase{"BlanksOnly", "   ", {""}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(HeaderTags, EmptyLinesAreSkippedAndTagsTrimmed) {
  TempFolder folder;
  const QString path = folder.Write("CabHeader.dat", "CALLSIGN:\r\n\r\n  NAME:  \r\n   \nQSO:\n");
  EXPECT_EQ(LoadHeaderTags(path), (QStringList{"CALLSIGN:", "NAME:", "QSO:"}));
  EXPECT_TRUE(LoadHeaderTags(folder.File("missing.dat")).isEmpty());
}

TEST(HeaderTags, ShippedListCutsRealHeaderRows) {
  const QStringList tags = LoadHeaderTags(QStringLiteral(TOVEK_PROGRAM_DIR "/CabHeader.dat"));
  ASSERT_FALSE(tags.isEmpty());
  EXPECT_FALSE(tags.contains(QString()));
  LogLines rows;
  AddLogLine("CATEGORY-OPERATOR: SINGLE-OPCATEGORY-POWER: LOWCLAIMED-SCORE: 1234"
             "OPERATORS: JA1ABCSOAPBOX: Fine weekend: thanks",
             tags, rows);
  EXPECT_EQ(rows, (LogLines{"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-POWER: LOW",
                            "CLAIMED-SCORE: 1234", "OPERATORS: JA1ABC",
                            "SOAPBOX: Fine weekend: thanks"}));
  rows.clear();
  // The old category tag is not cut out of the newer ones, nor the grid
  // locator out of the headquarters' one.
  AddLogLine("CALLSIGN: W1AWHQ-GRID-LOCATOR: FN31CATEGORY: SINGLE-OP ALL LOW", tags, rows);
  EXPECT_EQ(rows, (LogLines{"CALLSIGN: W1AW", "HQ-GRID-LOCATOR: FN31",
                            "CATEGORY: SINGLE-OP ALL LOW"}));
}

TEST(ReadLogRows, ReadsCrLfAndCountsProgressInBytes) {
  TempFolder folder;
  const QString path = folder.Write("a.log", "START-OF-LOG: 2.0\r\nQSO:\t7025 RY\r\n\r\nEND-OF-LOG:\r\n");
  struct Counting : Progress {
    qint64 maximum = -1, value = -1;
    int yields = 0;
    void SetMaximum(qint64 m) override { maximum = m; }
    void SetValue(qint64 v) override { value = v; }
    void SetLabel(int, const QString&) override {}
    void Yield() override { ++yields; }
  } progress;
  const LogReadOutcome read = ReadLogRows(path, kTags, progress);
  ASSERT_TRUE(read.file.ok);
  EXPECT_EQ(read.rows, (LogLines{"START-OF-LOG: 2.0", "QSO:7025 RY", "", "END-OF-LOG:"}));
  EXPECT_EQ(progress.maximum, 48);
  EXPECT_EQ(progress.value, 40);  // line ends are not counted
  EXPECT_EQ(progress.yields, 4);
}

TEST(ReadLogRows, LinuxLogIsOneLineCutAgainAtTheTags) {
  TempFolder folder;
  const QString path = folder.Write(
      "lf.log", "START-OF-LOG: 3.0\nCALLSIGN: JA1ABC\nQSO: 14080 RY 2024-05-01 1200 JA1ABC\n"
                "QSO: 14080 RY 2024-05-01 1201 JA1ABC\nEND-OF-LOG:\n");
  NoProgress progress;
  EXPECT_EQ(ReadLogRows(path, kTags, progress).rows,
            (LogLines{"START-OF-LOG: 3.0", "CALLSIGN: JA1ABC", "QSO: 14080 RY 2024-05-01 1200 JA1ABC",
                      "QSO: 14080 RY 2024-05-01 1201 JA1ABC", "END-OF-LOG:"}));
  // Without tags the whole file is one row.
  EXPECT_EQ(ReadLogRows(path, {}, progress).rows.size(), 1);
}

TEST(ReadLogRows, MissingFileSaysWhy) {
  NoProgress progress;
  const LogReadOutcome read = ReadLogRows(QStringLiteral("/no/such/log.txt"), kTags, progress);
  EXPECT_FALSE(read.file.ok);
  EXPECT_FALSE(read.file.error.isEmpty());
  EXPECT_TRUE(read.rows.isEmpty());
}

TEST(ReadLogRows, ShiftJisRowsAreDecoded) {
  TempFolder folder;
  const QString path = folder.Write("jp.log", "NAME: \x8e\x52\x93\x63\r\n");
  NoProgress progress;
  EXPECT_EQ(ReadLogRows(path, kTags, progress).rows, (LogLines{QStringLiteral("NAME: 山田")}));
}

// Logs written by other people's loggers, most of them saved on Linux: each
// arrives as one line that the shipped tags must cut back into one row per
// QSO.
TEST(ReadLogRows, RealLogsKeepEveryQsoOnItsOwnRow) {
  const QDir folder(QStringLiteral(TOVEK_REAL_DATA_DIR "/cabrillo"));
  if (!folder.exists()) GTEST_SKIP() << "no real logs here";
  const QStringList tags = LoadHeaderTags(QStringLiteral(TOVEK_PROGRAM_DIR "/CabHeader.dat"));
  int logs_with_qsos = 0;
  for (const QString& name : folder.entryList(QDir::Files)) {
    const QByteArray bytes = testing::ReadBytes(folder.filePath(name));
    qsizetype qso_lines = 0;
    for (const QByteArray& line : bytes.split('\n')) qso_lines += line.startsWith("QSO:") ? 1 : 0;
    if (qso_lines == 0) continue;
    ++logs_with_qsos;
    NoProgress progress;
    const LogLines rows = ReadLogRows(folder.filePath(name), tags, progress).rows;
    const qsizetype qso_rows = std::count_if(rows.begin(), rows.end(), [](const QString& row) {
      return IsQsoRow(row) && !row.mid(4).contains(QStringLiteral("QSO:"));
    });
    EXPECT_EQ(qso_rows, qso_lines) << name.toStdString();
  }
  EXPECT_GE(logs_with_qsos, 15);
}

}  // namespace
}  // namespace tovek
