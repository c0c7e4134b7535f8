#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
        LineCase{"CrLf",
                 "QSO: 14080\r\nEND-OF-LOG:\r\n",
                 LineEnds::kCrLfOrCr,
                 {"QSO: 14080", "END-OF-LOG:"},
                 {10, 11}},
        LineCase{"LoneCr", "A\rB\r", LineEnds::kCrLfOrCr, {"A", "B"}, {1, 1}},
        LineCase{"LoneLfStaysInTheLine", "A\nB\r\nC", LineEnds::kCrLfOrCr, {"A\nB", "C"}, {3, 1}},
        LineCase{"LfOnlyFileIsOneLine", "A\nB\nC\n", LineEnds::kCrLfOrCr, {"A\nB\nC\n"}, {6}},
        LineCase{"BlankLinesKept", "A\r\n\r\n\r\nB", LineEnds::kCrLfOrCr, {"A", "", "", "B"}, {}},
        LineCase{"TabsKept", "QSO:\t14080\r\n", LineEnds::kCrLfOrCr, {"QSO:\t14080"}, {}},
        LineCase{"CrCrLf", "A\r\r\nB", LineEnds::kCrLfOrCr, {"A", "", "B"}, {}},
        LineCase{"EmptyFile", "", LineEnds::kCrLfOrCr, {}, {}},
        LineCase{"JapaneseCountsBytes",
                 "\x93\xfa\x96\x7b\r\n",
                 LineEnds::kCrLfOrCr,
                 {QStringLiteral("日本")},
                 {4}}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DataFiles, LineReadingTest,
    ::testing::Values(
        LineCase{
            "LoneLfEndsTheLine", "A\nB\r\nC\rD", LineEnds::kCrLfCrOrLf, {"A", "B", "C", "D"}, {}},
        LineCase{"LfBlankLine", "A\n\nB\n", LineEnds::kCrLfCrOrLf, {"A", "", "B"}, {}},
        LineCase{"LfCrIsTwoEnds", "A\n\rB", LineEnds::kCrLfCrOrLf, {"A", "", "B"}, {}}),
    [](const auto& test) { return std::string(test.param.name); });

struct EncodingCase {
  const char* name;
  QByteArray bytes;
  TextEncoding encoding;
};

class LogEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(LogEncodingTest, DecidesFromAllTheBytes) {
  EXPECT_EQ(DetectLogEncoding(GetParam().bytes), GetParam().encoding);
}

// "日本" is E6 97 A5 E6 9C AC in UTF-8 and 93 FA 96 7B in CP932.
INSTANTIATE_TEST_SUITE_P(
    Logs, LogEncodingTest,
    ::testing::Values(
        EncodingCase{"Empty", "", TextEncoding::kCp932},
        EncodingCase{"AsciiOnly", "QSO: 14080 RY\r\n", TextEncoding::kCp932},
        EncodingCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", TextEncoding::kUtf8},
        EncodingCase{"ByteOrderMarkBeforeAscii", "\xEF\xBB\xBFQSO:", TextEncoding::kUtf8},
        EncodingCase{"ByteOrderMarkBeforeBrokenUtf8", "\xEF\xBB\xBF\x93\xfa", TextEncoding::kUtf8},
        EncodingCase{"Utf8Japanese", "NAME: \xE6\x97\xA5\xE6\x9C\xAC\r\n", TextEncoding::kUtf8},
        EncodingCase{"Utf8Accented", "NAME: Jos\xC3\xA9\r\n", TextEncoding::kUtf8},
        EncodingCase{"Utf8BeyondTheBasicPlane", "\xF0\x9F\x98\x80", TextEncoding::kUtf8},
        EncodingCase{"Cp932Japanese", "NAME: \x93\xfa\x96\x7b\r\n", TextEncoding::kCp932},
        EncodingCase{"Cp932HalfWidthKatakana", "\xb7\xac\xdd\xbe\xd9", TextEncoding::kCp932},
        // Lead bytes E0-EF are CP932 lead bytes too; with a CP932 trail byte
        // below 0x80 they are no UTF-8 sequence.
        EncodingCase{"Cp932LeadByteInUtf8Range", "\xE0\x40\xEA\x9F", TextEncoding::kCp932},
        EncodingCase{"Utf8CutOffAtTheEnd", "Jos\xC3", TextEncoding::kCp932},
        // A byte-limited export cut the last character: still UTF-8 (every
        // pair of these bytes is also some CP932 character).
        EncodingCase{"Utf8WithOneCutCharacter", "\xE6\x97\xA5\xE6\x9C\xAC \xE5\xA4\xAA\xE9\x83\r\n",
                     TextEncoding::kUtf8},
        EncodingCase{"Utf8WithOneStrayLatin1Byte", "\xE6\x97\xA5 D\xF6renberg",
                     TextEncoding::kCp932},
        EncodingCase{"OverlongSlash", "\xC0\xAF", TextEncoding::kCp932},
        EncodingCase{"OverlongThreeBytes", "\xE0\x80\xAF", TextEncoding::kCp932},
        EncodingCase{"Surrogate", "\xED\xA0\x80", TextEncoding::kCp932},
        EncodingCase{"AboveTheLastCodePoint", "\xF4\x90\x80\x80", TextEncoding::kCp932}),
    [](const auto& test) { return std::string(test.param.name); });

struct DecodedLinesCase {
  const char* name;
  QByteArray bytes;
  TextSource source;
  TextEncoding encoding;
  QStringList lines;
  QList<qsizetype> byte_lengths;
  qsizetype bad_bytes = 0;
};

class DecodedLinesTest : public ::testing::TestWithParam<DecodedLinesCase> {};

TEST_P(DecodedLinesTest, DecodesEveryLineTheSameWay) {
  const DecodedLinesCase& c = GetParam();
  TextLineReader reader(LineEnds::kCrLfOrCr, c.source);
  reader.OpenBytes(c.bytes);
  EXPECT_EQ(reader.Encoding(), c.encoding);
  QStringList lines;
  QList<qsizetype> lengths;
  QString line;
  qsizetype length = -1;
  while (reader.Next(line, &length)) {
    lines.append(line);
    lengths.append(length);
  }
  EXPECT_EQ(lines, c.lines);
  EXPECT_EQ(lengths, c.byte_lengths);
  EXPECT_EQ(reader.Decoding().bad_bytes, c.bad_bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DecodedLinesTest,
    ::testing::Values(
        DecodedLinesCase{"Utf8Log",
                         "NAME: \xE5\xB1\xB1\xE7\x94\xB0\r\nSOAPBOX: Jos\xC3\xA9\xE2\x80\x99s\r\n",
                         TextSource::kLog,
                         TextEncoding::kUtf8,
                         {QStringLiteral("NAME: 山田"), QStringLiteral("SOAPBOX: José’s")},
                         {12, 18}},
        DecodedLinesCase{"ByteOrderMarkIsNoPartOfTheFirstLine",
                         "\xEF\xBB\xBFSTART-OF-LOG: 3.0\r\nQSO:\r\n",
                         TextSource::kLog,
                         TextEncoding::kUtf8,
                         {"START-OF-LOG: 3.0", "QSO:"},
                         {17, 4}},
        // A log pasted together from UTF-8 files carries a mark at each
        // seam; at a line's start it is dropped like the first one.
        DecodedLinesCase{"ByteOrderMarkAtALineStart",
                         "\xEF\xBB\xBF\r\n\xEF\xBB\xBF"
                         "A",
                         TextSource::kLog,
                         TextEncoding::kUtf8,
                         {"", "A"},
                         {0, 4}},
        DecodedLinesCase{"LoneLfInsideAUtf8Line",
                         "\xC3\xA9\n\xC3\xA9\r",
                         TextSource::kLog,
                         TextEncoding::kUtf8,
                         {QStringLiteral("é\né")},
                         {5}},
        DecodedLinesCase{"Cp932Log",
                         "NAME: \x8e\x52\x93\x63\r\n\xb6\xc5\r\n",
                         TextSource::kLog,
                         TextEncoding::kCp932,
                         {QStringLiteral("NAME: 山田"), QStringLiteral("ｶﾅ")},
                         {10, 2}},
        DecodedLinesCase{
            "Utf8WithACharacterCutByTheExport",
            "NAME: \xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\r\n"
            "ADDRESS: \xE6\x9D\xB1\xE4\xBA\xAC\r\n",
            TextSource::kLog,
            TextEncoding::kUtf8,
            {QStringLiteral("NAME: 山田 太\uFFFD\uFFFD"), QStringLiteral("ADDRESS: 東京")},
            {18, 15},
            2},
        DecodedLinesCase{"Cp932LeadByteAtTheLineEnd",
                         "NAME: \x8e\x52\x93\x63\r\nCALLSIGN: JA1XYZ\x81\r\n",
                         TextSource::kLog,
                         TextEncoding::kCp932,
                         {QStringLiteral("NAME: 山田"), QStringLiteral("CALLSIGN: JA1XYZ\uFFFD")},
                         {10, 17},
                         1},
        // Settings and data files stay CP932 whatever their bytes look like.
        DecodedLinesCase{"Utf8BytesInADataFile",
                         "\xE5\xB1\xB1\r\n",
                         TextSource::kDataFile,
                         TextEncoding::kCp932,
                         {DecodeCp932("\xE5\xB1\xB1")},
                         {3}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TextFiles, UnreadableLogLeavesNoEncodingOfAnEarlierFile) {
  TempFolder folder;
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  reader.OpenBytes("\xC3\xA9");
  ASSERT_EQ(reader.Encoding(), TextEncoding::kUtf8);
  EXPECT_FALSE(reader.Open(folder.File("missing.log"), max_file_size::kLog).ok);
  EXPECT_EQ(reader.Encoding(), TextEncoding::kCp932);
  QString line;
  EXPECT_FALSE(reader.Next(line));
}

// Readers hold a file several times over: anything that is no file of a
// sensible size is refused before a byte of it is read (a pipe would block
// the open for ever, /dev/zero fill the memory).
TEST(InputFiles, OnlyFilesWithinTheirSizeAreRead) {
  TempFolder folder;
  const QString pipe = folder.File("pipe.log");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString not_a_file =
      QStringLiteral("not a regular file (a folder, a device or a pipe); only files are read");
  const struct {
    QString path;
    qint64 max_size;
    QString error;
  } cases[] = {
      {folder.Path(), max_file_size::kLog, not_a_file},
      {pipe, max_file_size::kLog, not_a_file},
      {QStringLiteral("/dev/zero"), max_file_size::kLog, not_a_file},
      {folder.Write("big.log", "0123456789A"), 10,
       QStringLiteral("too large for this kind of file: 11 bytes, at most 10 are read")},
      {folder.Write("fits.log", "0123456789"), 10, {}},
  };
  for (const auto& c : cases) {
    QByteArray bytes = "earlier";
    const FileOutcome read = ReadInputFile(c.path, c.max_size, bytes);
    EXPECT_EQ(read.error, c.error) << c.path.toStdString();
    EXPECT_EQ(read.ok, c.error.isEmpty());
    EXPECT_EQ(bytes, c.error.isEmpty() ? QByteArray("0123456789") : QByteArray());
    TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
    EXPECT_EQ(reader.Open(c.path, c.max_size).error, c.error);
  }
}

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
  const QStringList lines{
      QStringLiteral("CALLSIGN: JA1ABC"), QStringLiteral("NAME: 山田 太郎"), {}};
  ASSERT_TRUE(WriteTextLines(path, lines).ok);
  EXPECT_EQ(testing::ReadBytes(path),
            QByteArray("CALLSIGN: JA1ABC\r\nNAME: \x8e\x52\x93\x63 \x91\xbe\x98\x59\r\n\r\n"));
  EXPECT_EQ(ReadTextLines(path, LineEnds::kCrLfOrCr).lines, lines);
}

TEST(TextFiles, ControlCharactersLeaveAsBlanks) {
  const QString text = QStringLiteral(
      "A\tB\rC\nD\x1b[2J\x7f\u0085\u2028\u2029\x01"
      "E 山田");
  EXPECT_EQ(PlainText(text), QStringLiteral("A B C D [2J     E 山田"));
  TempFolder folder;
  ASSERT_TRUE(WriteTextLines(folder.File("out.txt"), {QStringLiteral("NAME: Taro\r\nYamada")}).ok);
  EXPECT_EQ(testing::ReadBytes(folder.File("out.txt")), QByteArray("NAME: Taro  Yamada\r\n"));
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
  const TextFileLines read =
      ReadTextLines(QStringLiteral("/no/such/file.log"), LineEnds::kCrLfOrCr);
  EXPECT_FALSE(read.outcome.ok);
  EXPECT_FALSE(read.outcome.error.isEmpty());
  EXPECT_TRUE(read.lines.isEmpty());
}

}  // namespace
}  // namespace tovek
