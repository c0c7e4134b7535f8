#include "calculator/results_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

QByteArray Spaces(qsizetype count) { return QByteArray(count, ' '); }

// Counts what an operation tells its progress window.
class RecordingProgress final : public Progress {
 public:
  void SetMaximum(qint64 maximum) override { maximum_ = maximum; }
  void SetValue(qint64 value) override { values_.append(value); }
  void SetLabel(int label, const QString& text) override {
    labels_.append(QString::number(label) + u':' + text);
  }
  void Yield() override { ++yields_; }

  qint64 maximum_ = -1;
  QList<qint64> values_;
  QStringList labels_;
  int yields_ = 0;
};

// A row whose every field shows in the record: Japanese text that does not
// fit its field in bytes, a fraction, negative and extreme counts.
ResultRow KnownRow() {
  ResultRow row;
  row.call_sign = "JA1ABC";
  row.category = "SOLP";
  row.claimed_score = 1234;
  row.score = 56789.5;
  row.continent = "AS";
  row.entity = "JA";
  row.name = QStringLiteral("あいうえおかきくけこさしす");  // 26 bytes
  row.operators = "JA1ABC JA1XYZ";
  row.club = QStringLiteral("Aアイウエオカキクケコサシスセソ");  // 31 bytes
  row.address = "1-2-3 Chiyoda <LF> Tokyo";
  row.created_by = "Kavrel 1.4";
  row.soapbox = QStringLiteral("楽しかった！表");
  row.qso_lines = 1234;
  row.valid = -1;
  row.dupes = 32767;
  row.points = -32768;
  row.mult1 = 0;
  row.mult2 = 7;
  row.total_mult = 256;
  return row;
}

QByteArray KnownRecord() {
  QByteArray r;
  r += "JA1ABC" + Spaces(7);
  r += "SOLP" + Spaces(4);
  r += Hex("0000000000489340");  // 1234.0
  r += Hex("00000000b0baeb40");  // 56789.5
  r += "AS";
  r += "JA" + Spaces(3);
  // Twelve kana fill 24 of the 25 bytes; the thirteenth does not fit.
  r += Hex("82a082a282a482a682a882a982ab82ad82af82b182b382b5") + Spaces(1);
  r += "JA1ABC JA1XYZ" + Spaces(37);
  // "A" and fourteen kana make 29 bytes; the fifteenth (83 5C) would be cut.
  r += Hex("41834183438345834783498"
           "34a834c834e835083528354835683588"
           "35a") +
       Spaces(1);
  r += "1-2-3 Chiyoda <LF> Tokyo" + Spaces(76);
  r += "Kavrel 1.4" + Spaces(20);
  r += Hex("8a7982b582a982c182bd8149955c") + Spaces(186);
  r +=
      Hex("d204"
          "ffff"
          "ff7f"
          "0080"
          "0000"
          "0700"
          "0001");
  return r;
}

TEST(ResultRecord, KnownRowGivesItsBytes) {
  const QByteArray expected = KnownRecord();
  ASSERT_EQ(expected.size(), kResultRecordSize);
  EXPECT_EQ(EncodeResultRecord(KnownRow()).toHex(' '), expected.toHex(' '));
}

TEST(ResultRecord, KnownBytesGiveTheRowCutToItsFields) {
  ResultRow expected = KnownRow();
  expected.name = QStringLiteral("あいうえおかきくけこさし");
  expected.club = QStringLiteral("Aアイウエオカキクケコサシスセ");
  EXPECT_EQ(DecodeResultRecord(KnownRecord()), expected);
}

TEST(ResultRecord, EmptyRowIsSpacesAndZeros) {
  const QByteArray record = EncodeResultRecord(ResultRow{});
  EXPECT_EQ(record, Spaces(21) + QByteArray(16, '\0') + Spaces(442) + QByteArray(14, '\0'));
  EXPECT_EQ(DecodeResultRecord(record), ResultRow{});
}

struct TextFieldCase {
  const char* name;
  QString text;
  qsizetype bytes;
  QByteArray expected;
};

class ResultTextField : public ::testing::TestWithParam<TextFieldCase> {};

TEST_P(ResultTextField, IsEncodedWithoutHalfCharacters) {
  const TextFieldCase& c = GetParam();
  EXPECT_EQ(EncodeResultText(c.text, c.bytes).toHex(' '), c.expected.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultTextField,
    ::testing::Values(
        TextFieldCase{"Padded", "JA1", 5, "JA1  "}, TextFieldCase{"Exact", "ABCDE", 5, "ABCDE"},
        TextFieldCase{"CutAscii", "ABCDEFG", 5, "ABCDE"}, TextFieldCase{"Empty", "", 2, "  "},
        TextFieldCase{"DoubleByteFits", QStringLiteral("ＡＢ"), 4, Hex("82608261")},
        TextFieldCase{"DoubleByteCutInHalfBecomesSpace", QStringLiteral("ＡＢ"), 3, Hex("826020")},
        TextFieldCase{"OnlyCharacterDoesNotFit", QStringLiteral("表"), 1, " "},
        TextFieldCase{"TrailByteIsBackslash", QStringLiteral("表a"), 3, Hex("955c61")},
        TextFieldCase{"MixedCutAfterSingleByte", QStringLiteral("aＡ"), 2, "a "},
        TextFieldCase{"HalfWidthKanaAreSingleBytes", QStringLiteral("ｱｲｳ"), 2, Hex("b1b2")},
        TextFieldCase{"CharacterOutsideCp932IsQuestionMark", QStringLiteral("x€y"), 4, "x?y "}),
    [](const auto& param_info) { return param_info.param.name; });

struct DecodeCase {
  const char* name;
  QByteArray field;
  QString expected;
};

class ResultTextRead : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ResultTextRead, IsTrimmedAndNeverEndsInHalfACharacter) {
  EXPECT_EQ(DecodeResultText(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultTextRead,
    ::testing::Values(DecodeCase{"SpacesTrimmed", "  JA1 A  ", "JA1 A"},
                      DecodeCase{"NulPaddingTrimmed", QByteArray("JA\0\0\0", 5), "JA"},
                      DecodeCase{"Japanese", Hex("955c8e52"), QStringLiteral("表山")},
                      // Written by a writer that cut in bytes.
                      DecodeCase{"HalfCharacterAtEndDropped", Hex("826082"), QStringLiteral("Ａ")},
                      DecodeCase{"AllSpaces", "     ", ""}),
    [](const auto& param_info) { return param_info.param.name; });

TEST(ResultRecordCount, RoundsToTheNearestRecord) {
  const std::pair<qint64, qint64> cases[] = {{0, 0},   {246, 0}, {247, 1},  {493, 1},
                                             {739, 1}, {740, 2}, {1479, 3}, {1000000, 2028}};
  for (const auto& [length, count] : cases) {
    EXPECT_EQ(ResultRecordCount(length), count) << length;
  }
}

ResultTable ThreeRows() {
  ResultRow second;
  second.call_sign = "DL1ABC";
  second.category = "SOHP";
  second.score = 75;
  second.continent = "EU";
  second.entity = "DL";
  second.name = QString(25, u'x');
  second.soapbox = QString(200, u'y');
  ResultRow third;
  third.call_sign = "W1AW";
  third.category = "MO";
  third.score = 0;
  third.claimed_score = -250;
  return {KnownRow(), second, third};
}

TEST(ResultSaveAndRead, SaveReadSaveGivesTheSameFileAndRows) {
  TempFolder folder;
  const QString first = folder.File("contest.rlt");
  RecordingProgress save_progress;
  ASSERT_TRUE(ResultSave(first, ThreeRows(), save_progress).ok);
  const QByteArray bytes = testing::ReadBytes(first);
  ASSERT_EQ(bytes.size(), 1479);
  EXPECT_EQ(bytes.first(kResultRecordSize), KnownRecord());
  EXPECT_EQ(save_progress.maximum_, 3);
  EXPECT_EQ(save_progress.values_, (QList<qint64>{1, 2, 3}));

  RecordingProgress read_progress;
  const ResultFileRead read = ResultRead(first, read_progress);
  ASSERT_TRUE(read.outcome.ok) << read.outcome.error.toStdString();
  EXPECT_FALSE(read.partial);
  ResultTable expected = ThreeRows();
  expected[0] = DecodeResultRecord(KnownRecord());
  EXPECT_EQ(read.rows, expected);
  EXPECT_EQ(read_progress.labels_, QStringList{"0:READ LOG DATA"});
  EXPECT_EQ(read_progress.maximum_, 3);
  EXPECT_EQ(read_progress.values_, (QList<qint64>{1, 2, 3}));

  const QString second = folder.File("again.rlt");
  NoProgress none;
  ASSERT_TRUE(ResultSave(second, read.rows, none).ok);
  EXPECT_EQ(testing::ReadBytes(second), bytes);
}

TEST(ResultSaveAndRead, SavingReplacesAnEarlierFileAndNoRowsWriteNothing) {
  TempFolder folder;
  const QString path = folder.Write("contest.rlt", QByteArray(5000, 'z'));
  NoProgress none;
  ASSERT_TRUE(ResultSave(path, {ThreeRows()[2]}, none).ok);
  EXPECT_EQ(testing::ReadBytes(path).size(), kResultRecordSize);
  ASSERT_TRUE(ResultSave(path, {}, none).ok);
  EXPECT_EQ(testing::ReadBytes(path).size(), kResultRecordSize);
  ASSERT_TRUE(ResultSave(folder.File("none.rlt"), {}, none).ok);
  EXPECT_FALSE(QFile::exists(folder.File("none.rlt")));
}

TEST(ResultSaveAndRead, SaveIntoAMissingFolderFailsAndLeavesNothing) {
  TempFolder folder;
  NoProgress none;
  const FileOutcome saved = ResultSave(folder.File("gone/contest.rlt"), ThreeRows(), none);
  EXPECT_FALSE(saved.ok);
  EXPECT_FALSE(saved.error.isEmpty());
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

TEST(ResultSaveAndRead, TruncatedFilesReadTheRoundedNumberOfRecords) {
  TempFolder folder;
  NoProgress none;
  const QString whole = folder.File("whole.rlt");
  ASSERT_TRUE(ResultSave(whole, ThreeRows(), none).ok);
  const QByteArray bytes = testing::ReadBytes(whole);

  // Two records and 285 bytes of the third: its texts up to the first six
  // bytes of the soapbox are there, its counts are not.
  QByteArray partial_bytes = bytes.first(2 * kResultRecordSize);
  ResultRow cut = KnownRow();
  partial_bytes += EncodeResultRecord(cut).first(285);
  const ResultFileRead partial = ResultRead(folder.Write("partial.rlt", partial_bytes), none);
  ASSERT_TRUE(partial.outcome.ok);
  EXPECT_TRUE(partial.partial);
  ASSERT_EQ(partial.rows.size(), 3);
  ResultRow expected = DecodeResultRecord(KnownRecord());
  expected.soapbox = QStringLiteral("楽しか");  // bytes 279 to 284
  expected.qso_lines = expected.valid = expected.dupes = expected.points = 0;
  expected.mult1 = expected.mult2 = expected.total_mult = 0;
  EXPECT_EQ(partial.rows[2], expected);

  // Less than half a record more is left unread.
  const ResultFileRead short_tail =
      ResultRead(folder.Write("tail.rlt", bytes.first(2 * kResultRecordSize + 100)), none);
  ASSERT_TRUE(short_tail.outcome.ok);
  EXPECT_TRUE(short_tail.partial);
  EXPECT_EQ(short_tail.rows, (ResultTable{DecodeResultRecord(KnownRecord()), ThreeRows()[1]}));

  for (const qsizetype size : {0, 100}) {
    const ResultFileRead tiny =
        ResultRead(folder.Write(QStringLiteral("tiny%1.rlt").arg(size), bytes.first(size)), none);
    EXPECT_TRUE(tiny.outcome.ok);
    EXPECT_TRUE(tiny.rows.isEmpty());
  }
}

TEST(ResultSaveAndRead, GarbageIsReadWithoutCrashAndNonNumbersFailTheRead) {
  TempFolder folder;
  NoProgress none;
  // Bytes no CP932 text and no count was ever written as, but with scores
  // that are numbers: the file reads, the texts as far as they decode.
  QByteArray garbage(2 * kResultRecordSize, '\xFF');
  for (const qsizetype record : {0, 1}) {
    const qsizetype start = record * kResultRecordSize;
    garbage.replace(start + 21, 16, QByteArray(16, '\0'));
    garbage[start] = '\x81';  // a lead byte followed by no trail byte
    garbage[start + 1] = ' ';
  }
  const ResultFileRead read = ResultRead(folder.Write("garbage.rlt", garbage), none);
  ASSERT_TRUE(read.outcome.ok);
  ASSERT_EQ(read.rows.size(), 2);
  EXPECT_EQ(read.rows[1].qso_lines, -1);
  EXPECT_EQ(read.rows[1].score, 0);
  // One character per byte that decodes to none, none beyond the field.
  EXPECT_EQ(read.rows[1].call_sign.size(), 13);
  EXPECT_EQ(read.rows[1].soapbox.size(), 200);

  // A score of all ones is no number: not a results file, and no rows.
  QByteArray not_numbers = testing::ReadBytes(folder.File("garbage.rlt"));
  not_numbers.replace(kResultRecordSize + 29, 8, QByteArray(8, '\xFF'));
  const QString path = folder.Write("nan.rlt", not_numbers);
  const ResultFileRead failed = ResultRead(path, none);
  EXPECT_FALSE(failed.outcome.ok);
  EXPECT_EQ(failed.outcome.error, QString::fromUtf8(kNotResultsFile).arg(path).arg(2));
  EXPECT_TRUE(failed.rows.isEmpty());
}

TEST(ResultSaveAndRead, MissingFileFailsWithThePlatformsReason) {
  TempFolder folder;
  NoProgress none;
  const ResultFileRead read = ResultRead(folder.File("gone.rlt"), none);
  EXPECT_FALSE(read.outcome.ok);
  QFile probe(folder.File("gone.rlt"));
  probe.open(QIODevice::ReadOnly);
  EXPECT_EQ(read.outcome.error, probe.errorString());
  EXPECT_TRUE(read.rows.isEmpty());
  EXPECT_FALSE(QFile::exists(folder.File("gone.rlt")));
}

TEST(ResultFileName, TypedNamesGetTheResultsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"   ", ""},
      {"contest", "contest.rlt"},
      {"  contest 2024 ", "contest 2024.rlt"},
      {"contest.txt", "contest.rlt"},
      {"contest.", "contest.rlt"},
      {"contest.RLT", "contest.rlt"},
      {"a.b.c", "a.rlt"},
      {"name .txt", "name .rlt"},
  };
  for (const auto& [typed, expected] : cases) {
    EXPECT_EQ(ResultFileName(QString::fromLatin1(typed)), QString::fromLatin1(expected)) << typed;
  }
}

}  // namespace
}  // namespace tovek
