#include "common/text_file.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

struct LineCase {
  const char* name;
  QByteArray bytes;
  LineEnds rule;
  QStringList lines;
  QList<qsizetype> byte_lengths;
};

class LineReadingTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReadingTest, SplitsLinesByTheRule) {
  const LineCase& c = GetParam();
  TextLineReader reader(c.rule);
  reader.OpenBytes(c.bytes);
  QStringList lines;
  QList<qsizetype> lengths;
  QString line;
  qsizetype length = -1;
  while (reader.Next(line, &length)) {
    lines.append(line);
    lengths.append(length);
  }
  EXPECT_EQ(lines, c.lines);
  if (!c.byte_lengths.isEmpty()) {
    EXPECT_EQ(lengths, c.byte_lengths);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, LineReadingTest,
    ::testing::Values(
        LineCase{"CrLf", "QSO: 14080\r\nEND-OF-LOG:\r\n", LineEnds::kCrLfOrCr,
                 {"QSO: 14080", "END-OF-LOG:"}, {10, 11}},
        LineCase{"LoneCr", "A\rB\r", LineEnds::kCrLfOrCr, {"A", "B"}, {1, 1}},
        LineCase{"LoneLfStaysInTheLine", "A\nB\r\nC", LineEnds::kCrLfOrCr,
                 {"A\nB", "C"}, {3, 1}},
        LineCase{"LfOnlyFileIsOneLine", "A\nB\nC\n", LineEnds::kCrLfOrCr, {"A\nB\nC\n"}, {6}},
        LineCase{"BlankLinesKept", "A\r\n\r\n\r\nB", LineEnds::kCrLfOrCr, {"A", "", "", "B"}, {}},
        LineCase{"TabsKept", "QSO:\t14080\r\n", LineEnds::kCrLfOrCr, {"QSO:\t14080"}, {}},
        LineCase{"CrCrLf", "A\r\r\nB", LineEnds::kCrLfOrCr, {"A", "", "B"}, {}},
        LineCase{"EmptyFile", "", LineEnds::kCrLfOrCr, {}, {}},
        LineCase{"JapaneseCountsBytes", "\x93\xfa\x96\x7b\r\n", LineEnds::kCrLfOrCr,
                 {QStringLiteral("日本")}, {4}}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DataFiles, LineReadingTest,
    ::testing::Values(
        LineCase{"LoneLfEndsTheLine", "A\nB\r\nC\rD", LineEnds::kCrLfCrOrLf,
                 {"A", "B", "C", "D"}, {}},
        LineCase{"LfBlankLine", "A\n\nB\n", LineEnds::kCrLfCrOrLf, {"A", "", "B"}, {}},
        LineCase{"LfCrIsTwoEnds", "A\n\rB", LineEnds::kCrLfCrOrLf, {"A", "", "B"}, {}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Cp932, JapaneseTextRoundTrips) {
  const QString text = QStringLiteral("ＭＳ ゴシック ｶﾀｶﾅ 漢字 ～－①");
  const QByteArray bytes = EncodeCp932(text);
  EXPECT_EQ(DecodeCp932(bytes), text);
  // Half-width katakana are one byte each, full-width characters two.
  EXPECT_EQ(EncodeCp932(QStringLiteral("ｶﾅ")), QByteArray("\xb6\xc5"));
  EXPECT_EQ(EncodeCp932(QStringLiteral("日本")), QByteArray("\x93\xfa\x96\x7b"));
}

TEST(Cp932, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(EncodeCp932(QStringLiteral("Aé€😀B")), QByteArray("A???B"));
}

TEST(Cp932, InvalidBytesDoNotStopDecoding) {
  const QString text = DecodeCp932(QByteArray("A\x81\x20Z"));
  EXPECT_TRUE(text.startsWith(u'A'));
  EXPECT_TRUE(text.endsWith(u'Z'));
}

TEST(TextFiles, WrittenLinesEndInCrLfAndReadBack) {
  TempFolder folder;
  const QString path = folder.File("out.txt");
  const QStringList lines{QStringLiteral("CALLSIGN: JA1ABC"), QStringLiteral("NAME: 山田 太郎"), {}};
  ASSERT_TRUE(WriteTextLines(path, lines).ok);
  EXPECT_EQ(testing::ReadBytes(path),
            QByteArray("CALLSIGN: JA1ABC\r\nNAME: \x8e\x52\x93\x63 \x91\xbe\x98\x59\r\n\r\n"));
  EXPECT_EQ(ReadTextLines(path, LineEnds::kCrLfOrCr).lines, lines);
}

TEST(TextFiles, FailedWriteKeepsTheEarlierFileAndSaysWhy) {
  TempFolder folder;
  const QString missing_folder_path = folder.File("no/such/folder/out.txt");
  const FileOutcome outcome = WriteTextLines(missing_folder_path, {QStringLiteral("x")});
  EXPECT_FALSE(outcome.ok);
  EXPECT_FALSE(outcome.error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(missing_folder_path));
}

TEST(TextFiles, MissingFileIsReportedWithTheSystemText) {
  const TextFileLines read = ReadTextLines(QStringLiteral("/no/such/file.log"), LineEnds::kCrLfOrCr);
  EXPECT_FALSE(read.outcome.ok);
  EXPECT_FALSE(read.outcome.error.isEmpty());
  EXPECT_TRUE(read.lines.isEmpty());
}

}  // namespace
}  // namespace tovek
