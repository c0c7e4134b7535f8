#include "converter/adif_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include "tests/converter/qt_printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

AdifReadOutcome ReadBytes(const QByteArray& bytes) {
  TextLineReader reader(LineEnds::kCrLfOrCr);
  reader.OpenBytes(bytes);
  return AdifReadLines(reader);
}

struct ReadCase {
  const char* name;
  QByteArray file;
  QStringList records;
};

class AdifReadCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(AdifReadCases, YieldsTheRecordTexts) {
  const AdifReadOutcome outcome = ReadBytes(GetParam().file);
  EXPECT_EQ(outcome.records, GetParam().records);
  EXPECT_TRUE(outcome.file.ok);
  EXPECT_FALSE(outcome.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    AdifRead, AdifReadCases,
    ::testing::Values(
        ReadCase{"HeaderAndOneRecordPerLine",
                 "Exported <by> me\r\n<PROGRAMID:4>TEST<EOH>\r\n"
                 "<CALL:5>K1ABC<FREQ:5>7.025<EOR>\r\n<CALL:4>W1AW<MODE:2>CW<EOR>\r\n",
                 {"<CALL:5>K1ABC<FREQ:5>7.025<EOR>", "<CALL:4>W1AW<MODE:2>CW<EOR>"}},
        ReadCase{"OneFieldPerLine",
                 "<EOH>\r\n\r\n<CALL:5>K1ABC\r\n<FREQ:5>7.025\r\n<EOR>\r\n\r\n"
                 "<CALL:4>W1AW\r\n<EOR>\r\n",
                 {"<CALL:5>K1ABC<FREQ:5>7.025<EOR>", "<CALL:4>W1AW<EOR>"}},
        ReadCase{"TagsBrokenOverLines",
                 "<EO\r\nH><CALL:5>K1ABC<QSO_DA\r\nTE:8>20261205<E\r\nOR>",
                 {"<CALL:5>K1ABC<QSO_DATE:8>20261205<EOR>"}},
        ReadCase{"TwoRecordsOnALineKeepFileOrder",
                 "<EOH><CALL:5>K1ABC<EOR>   <CALL:4>W1AW<EOR>  <CALL:5>N1MM <EOR>\r\n",
                 {"<CALL:5>K1ABC<EOR>", "<CALL:4>W1AW<EOR>", "<CALL:5>N1MM <EOR>"}},
        // A lone LF does not end a line: it stays in the text, and the
        // records are found in the one long line all the same.
        ReadCase{"LfOnlyLineEnds",
                 "header\n<EOH>\n<CALL:5>K1ABC\n<FREQ:5>7.025\n<EOR>\n<CALL:4>W1AW\n<EOR>\n",
                 {"\n<CALL:5>K1ABC\n<FREQ:5>7.025\n<EOR>", "\n<CALL:4>W1AW\n<EOR>"}},
        ReadCase{"CrOnlyLineEnds",
                 "<EOH>\r<CALL:5>K1ABC\r<EOR>\r<CALL:4>W1AW\r<EOR>\r",
                 {"<CALL:5>K1ABC<EOR>", "<CALL:4>W1AW<EOR>"}},
        ReadCase{"UnterminatedLastRecordIsDropped",
                 "<EOH><CALL:5>K1ABC<EOR>\r\n<CALL:4>W1AW<MODE:2>CW\r\n",
                 {"<CALL:5>K1ABC<EOR>"}},
        ReadCase{"LowerCaseTagsAndValuesAreUpperCased",
                 "<eoh>\r\n<call:5>k1abc<mode:4>rtty<eor>\r\n<Call:4>w1aw<Eor>",
                 {"<CALL:5>K1ABC<MODE:4>RTTY<EOR>", "<CALL:4>W1AW<EOR>"}},
        ReadCase{"RecordsWithoutCallAreDropped",
                 "<EOH><STATION_CALLSIGN:4>W1AW<FREQ:5>7.025<EOR><CALLSIGN:4>W1AW<EOR>"
                 "<STATION_CALLSIGN:4>W1AW<CALL:5>K1ABC<EOR>",
                 {"<STATION_CALLSIGN:4>W1AW<CALL:5>K1ABC<EOR>"}},
        ReadCase{"NoHeaderAtAll",
                 "<CALL:5>K1ABC<EOR><CALL:4>W1AW<EOR>",
                 {"<CALL:5>K1ABC<EOR>", "<CALL:4>W1AW<EOR>"}},
        // Blanks after "<EOR>" are dropped as far as the line goes; those
        // that open the next line stay with the record.
        ReadCase{"BlanksAroundRecords",
                 "<EOH>\r\n <CALL:5>K1ABC <EOR>   \r\n <CALL:4>W1AW <EOR>",
                 {" <CALL:5>K1ABC <EOR>", " <CALL:4>W1AW <EOR>"}},
        ReadCase{"ValueOverTwoLinesLosesItsLineBreak",
                 "<EOH><CALL:5>K1ABC<ADDRESS:9>MAIN\r\nST.<NAME:3>BOB<EOR>",
                 {"<CALL:5>K1ABC<ADDRESS:9>MAINST.<NAME:3>BOB<EOR>"}},
        // Code page text is decoded, and upper-cased letter by letter.
        ReadCase{"CodePageText",
                 "<EOH><CALL:5>k1abc<NAME:6>\x8e\x52\x93\x63 \xdf\xc3<QTH:2>\xe0\x40\x82\x81<EOR>",
                 {QStringLiteral("<CALL:5>K1ABC<NAME:6>山田 ﾟﾃ<QTH:2>漾Ａ<EOR>")}},
        ReadCase{"EmptyFile", "", {}}),
    [](const ::testing::TestParamInfo<ReadCase>& case_info) { return case_info.param.name; });

TEST(AdifRead, MissingFileGivesNoRecords) {
  TempFolder folder;
  const AdifReadOutcome outcome = AdifRead(folder.File("none.adi"));
  EXPECT_TRUE(outcome.records.isEmpty());
  EXPECT_FALSE(outcome.file.ok);
  EXPECT_FALSE(outcome.file.error.isEmpty());
}

TEST(AdifRead, ReadsAFile) {
  TempFolder folder;
  const QString path =
      folder.Write("log.adi", "Log<EOH>\r\n<CALL:5>K1ABC<EOR>\r\n<call:4>w1aw<eor>\r\n");
  const AdifReadOutcome outcome = AdifRead(path);
  EXPECT_TRUE(outcome.file.ok);
  EXPECT_EQ(outcome.records, (QStringList{"<CALL:5>K1ABC<EOR>", "<CALL:4>W1AW<EOR>"}));
}

TEST(AdifRead, StopsAtTheLargestRecordCount) {
  QByteArray file = "<EOH>\r\n";
  for (int i = 0; i < kMaxAdifRecords + 2; ++i) {
    file += "<CALL:6>K" + QByteArray::number(i % 10000).rightJustified(4, '0') + "X<EOR>\n";
  }
  const AdifReadOutcome outcome = ReadBytes(file);
  EXPECT_TRUE(outcome.truncated);
  ASSERT_EQ(outcome.records.size(), kMaxAdifRecords);
  EXPECT_EQ(outcome.records.first(), "<CALL:6>K0000X<EOR>");
  EXPECT_EQ(outcome.records.last(), "\n<CALL:6>K2766X<EOR>");

  file.chop(file.size() - file.lastIndexOf("<CALL"));
  file.chop(file.size() - file.lastIndexOf("<CALL"));
  file += "\n";
  const AdifReadOutcome full = ReadBytes(file);
  EXPECT_FALSE(full.truncated);
  EXPECT_EQ(full.records.size(), kMaxAdifRecords);
}

// A broken file with no "<EOR>" at all must not take the reader an age:
// it is searched once, not once per line.
TEST(AdifRead, LongFileWithoutEndOfRecordIsReadQuickly) {
  QByteArray file;
  for (int i = 0; i < 200000; ++i) file += "<CALL:5>K1ABC<FREQ:5>7.025\r\n";
  QElapsedTimer timer;
  timer.start();
  EXPECT_TRUE(ReadBytes(file).records.isEmpty());
  EXPECT_LT(timer.elapsed(), 5000);
}

struct NamesCase {
  const char* name;
  QString record;
  QStringList names;
};

class AdifFieldNamesCases : public ::testing::TestWithParam<NamesCase> {};

TEST_P(AdifFieldNamesCases, ListsTheNamesInOrder) {
  EXPECT_EQ(AdifFieldNamesOf(GetParam().record), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    AdifSet, AdifFieldNamesCases,
    ::testing::Values(
        NamesCase{"Plain", "<CALL:5>K1ABC<FREQ:5>7.025<MODE:4>RTTY<EOR>", {"CALL", "FREQ", "MODE"}},
        NamesCase{"TypeLettersAndBlanks",
                  " <QSO_DATE:8:D>20261205 <TIME_ON:6:T>120305\n<CALL:5>K1ABC <EOR>",
                  {"QSO_DATE", "TIME_ON", "CALL"}},
        NamesCase{"ValuesHoldingTagCharactersAreSkipped",
                  "<COMMENT:12><QTH:3>ABC>:<CALL:5>K1ABC<EOR>",
                  {"COMMENT", "CALL"}},
        NamesCase{"EmptyAndRepeatedFields",
                  "<FREQ:0><CALL:5>K1ABC<FREQ:5>7.025<EOR>",
                  {"FREQ", "CALL", "FREQ"}},
        NamesCase{"LengthBeyondTheEnd", "<CALL:5>K1ABC<NOTES:99>SHORT<EOR>", {"CALL", "NOTES"}},
        NamesCase{"NoTagsAtAll", "JUST TEXT<EOR>", {}},
        NamesCase{"NonAsciiValueCountedInUtf8Bytes",
                  QStringLiteral("<QTH:18>41900 PETÄJÄVESI\n<RST_SENT:2>59<CALL:5>K1ABC<EOR>"),
                  {"QTH", "RST_SENT", "CALL"}}),
    [](const ::testing::TestParamInfo<NamesCase>& case_info) { return case_info.param.name; });

struct ValueCase {
  const char* name;
  QString record;
  QString field;
  QString value;
};

class AdifFieldValueCases : public ::testing::TestWithParam<ValueCase> {};

TEST_P(AdifFieldValueCases, TakesTheDeclaredLength) {
  EXPECT_EQ(AdifFieldValue(GetParam().record, GetParam().field), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    AdifFieldValue, AdifFieldValueCases,
    ::testing::Values(
        ValueCase{"Plain", "<CALL:5>K1ABC<FREQ:6>14.080<EOR>", "FREQ", "14.080"},
        ValueCase{"TypeLetter", "<CALL:5>K1ABC<QSO_DATE:8:D>20261205<EOR>", "QSO_DATE", "20261205"},
        ValueCase{"ZeroLength", "<CALL:5>K1ABC<FREQ:0><MODE:4>RTTY<EOR>", "FREQ", ""},
        ValueCase{"MissingField", "<CALL:5>K1ABC<EOR>", "FREQ", ""},
        ValueCase{"StationCallsignBeforeCall", "<STATION_CALLSIGN:6>JA1ABC<CALL:5>K1ABC<EOR>",
                  "CALL", "K1ABC"},
        ValueCase{"NotTrimmed", "<CALL:5>K1ABC<NAME:6> TARO <EOR>", "NAME", " TARO "},
        ValueCase{"FirstOfTwo", "<CALL:5>K1ABC<STX:3>001<STX:3>002<EOR>", "STX", "001"},
        ValueCase{"ShortAtTheEnd", "<CALL:5>K1ABC<STX:9>12", "STX", "12"},
        ValueCase{"NameIsMatchedWhole", "<CALLSIGN:6>JA1ABC<CALL:5>K1ABC<EOR>", "CALL", "K1ABC"},
        ValueCase{"LengthWithBlanks", "<CALL: 5 >K1ABC<EOR>", "CALL", "K1ABC"},
        ValueCase{"NoLength", "<CALL:>K1ABC<EOR>", "CALL", ""},
        // Lengths of non-ASCII values: in characters, or in the bytes of
        // UTF-8 or CP932 when that is what ends at the next tag.
        ValueCase{"CountedInCharacters", QStringLiteral("<NAME:4>JOSÉ <QTH:5>TOKYO<EOR>"), "NAME",
                  QStringLiteral("JOSÉ")},
        ValueCase{"CountedInUtf8Bytes",
                  QStringLiteral("<QTH:18>41900 PETÄJÄVESI\n<RST_SENT:2>59<EOR>"), "QTH",
                  QStringLiteral("41900 PETÄJÄVESI")},
        ValueCase{"CountedInUtf8BytesBeyondTheBasicPlane",
                  QStringLiteral("<NAME:6>😀AB<CALL:5>K1ABC<EOR>"), "NAME", QStringLiteral("😀AB")},
        ValueCase{"CountedInCp932Bytes", QStringLiteral("<NAME:9>山田 太郎<CALL:6>JA1ABC<EOR>"),
                  "NAME", QStringLiteral("山田 太郎")},
        ValueCase{"HalfWidthKatakanaAreOneCp932Byte",
                  QStringLiteral("<NAME:7>ﾔﾏﾀﾞ 山<CALL:6>JA1ABC<EOR>"), "NAME",
                  QStringLiteral("ﾔﾏﾀﾞ 山")},
        // A character count that ends at a field boundary is kept even when
        // a byte count would too.
        ValueCase{"CharacterCountAtABoundaryWins",
                  QStringLiteral("<COMMENT:2>É <N:1>Y<CALL:5>K1ABC<EOR>"), "COMMENT",
                  QStringLiteral("É ")},
        ValueCase{"NoCountEndsAtABoundary", QStringLiteral("<NAME:3>ÉÉÉÉÉ<CALL:5>K1ABC<EOR>"),
                  "NAME", QStringLiteral("ÉÉÉ")}),
    [](const ::testing::TestParamInfo<ValueCase>& case_info) { return case_info.param.name; });

TEST(AdifSet, DefaultSourcesFromTheFirstRecord) {
  const AdifSetup setup =
      AdifSet({"<CALL:5>K1ABC<QSO_DATE:8>20261205<TIME_ON:4>1203<FREQ:5>7.025<MODE:4>RTTY"
               "<RST_SENT:3>599<RST_RCVD:3>579<EOR>",
               "<OPERATOR:6>JA1ABC<STX:3>001<CALL:4>W1AW<EOR>"});
  EXPECT_EQ(setup.names,
            (QStringList{"CALL", "QSO_DATE", "TIME_ON", "FREQ", "MODE", "RST_SENT", "RST_RCVD"}));
  ColumnSources expected;
  expected[Index(QsoColumn::kFrequency)] = ColumnSource::Field("FREQ");
  expected[Index(QsoColumn::kMode)] = ColumnSource::Field("MODE");
  expected[Index(QsoColumn::kDate)] = ColumnSource::Field("QSO_DATE");
  expected[Index(QsoColumn::kTime)] = ColumnSource::Field("TIME_ON");
  expected[Index(QsoColumn::kSentRst)] = ColumnSource::Field("RST_SENT");
  expected[Index(QsoColumn::kHisCall)] = ColumnSource::Field("CALL");
  expected[Index(QsoColumn::kRcvdRst)] = ColumnSource::Field("RST_RCVD");
  EXPECT_EQ(setup.sources, expected);

  const AdifSetup with_operator = AdifSet({"<OPERATOR:6>JA1ABC<STX:3>001<CALL:4>W1AW<EOR>"});
  EXPECT_EQ(with_operator.sources[Index(QsoColumn::kMyCall)], ColumnSource::Field("OPERATOR"));
  EXPECT_EQ(with_operator.sources[Index(QsoColumn::kSentNo)], ColumnSource());
  EXPECT_EQ(with_operator.sources[Index(QsoColumn::kFrequency)], ColumnSource());

  const AdifSetup empty = AdifSet({});
  EXPECT_TRUE(empty.names.isEmpty());
  EXPECT_EQ(empty.sources, ColumnSources());
}

// Real exports of logging programs, written by others. Record 1's values
// were read off the files by eye.
struct RealFile {
  const char* file;
  int records;
  QStringList first_values;  // CALL, FREQ, MODE, QSO_DATE, TIME_ON, OPERATOR
  int first_names;           // fields of record 1
};

class RealAdifFiles : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealAdifFiles, ReadAsTheirAuthorsMeantThem) {
  const QString path =
      QStringLiteral(TOVEK_REAL_DATA_DIR "/adif/") + QString::fromLatin1(GetParam().file);
  if (!QFileInfo::exists(path)) GTEST_SKIP() << "no real data at " << path.toStdString();
  const AdifReadOutcome outcome = AdifRead(path);
  ASSERT_TRUE(outcome.file.ok);
  ASSERT_EQ(outcome.records.size(), GetParam().records);
  if (GetParam().records == 0) return;
  const QString& first = outcome.records.first();
  QStringList values;
  for (const char* field : {"CALL", "FREQ", "MODE", "QSO_DATE", "TIME_ON", "OPERATOR"}) {
    values.append(AdifFieldValue(first, QString::fromLatin1(field)));
  }
  EXPECT_EQ(values, GetParam().first_values);
  const AdifFieldNames names = AdifSet(outcome.records).names;
  EXPECT_EQ(names.size(), GetParam().first_names) << names.join(' ').toStdString();
  EXPECT_TRUE(names.contains("CALL"));
  for (const QString& record : outcome.records) {
    ASSERT_TRUE(record.endsWith("<EOR>"));
    ASSERT_FALSE(record.contains("<EOH>"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    AdifRead, RealAdifFiles,
    ::testing::Values(
        RealFile{"JI1FLB_N1MM-Logger-ADIF-file-to-JARL-Contest-log-convertor_JI1FLB.adi",
                 19,
                 {"DS5USH", "14.09174", "RTTY", "20180825", "120534", "JI1FLB6"},
                 25},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_ki2d-n1mm.adi",
                 25,
                 {"OK7PN", "14.09080", "CW", "20220219", "130716", "KI2D"},
                 31},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_k0xm-logger32.adi",
                 1015,
                 {"FT8WW", "14.087173", "FT8", "20230102", "142145", "K0XM"},
                 22},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_ki2d-clublog.adi",
                 14,
                 {"K2CNN", "14.2520", "SSB", "20200519", "182000", ""},
                 13},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_ki2d-pota.adi",
                 72,
                 {"AC9OT", "14.290", "SSB", "20230907", "232727", "KI2D"},
                 21},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_r6yy-loghk.adi",
                 423,
                 {"LY310KD", "3.575356", "FT8", "20240101", "", "R6YY"},
                 19},
        RealFile{"ham2k_lib-qson-adif_src_lib_samples_wo7r-mixw2.adi",
                 14,
                 {"W5UGD", "3.57345", "FT8", "20230401", "031715", ""},
                 21},
        RealFile{"farmergreg_adif_testdata_N3FJP-AClogAdif.adi",
                 438,
                 {"N5ILQ", "14.06100", "CW", "20220602", "182054", ""},
                 20},
        RealFile{"farmergreg_adif_testdata_lotwreport.adi",
                 438,
                 {"N5ILQ", "14.06100", "CW", "20220602", "182054", ""},
                 32},
        RealFile{"farmergreg_adif_testdata_skcc-logger.adi",
                 15,
                 {"N2KPJ", "14.044000", "CW", "20220109", "200306", "K9CTS"},
                 21},
        RealFile{"farmergreg_adif_testdata_Log4OM.adi",
                 122,
                 {"KE8LVA", "7.278000", "SSB", "20210130", "150739", "K9CTS"},
                 73},
        RealFile{"farmergreg_adif_testdata_ADIF_316_test_QSOs_2025_08_27.adi",
                 6191,
                 {"VE3AAA", "14.05", "SSB", "20250627", "000000", ""},
                 16},
        RealFile{"SydneyOwl_AdifParser_AdifParser.Tests_ADIF_317_test_QSOs_2026_03_22.adi",
                 6197,
                 {"VE3AAA", "14.05", "SSB", "20260122", "000000", ""},
                 16},
        RealFile{"foldynl_QLog_devtools_ADIF_all_ADIF_fields_example.adi",
                 1,
                 {"N1MM", "14200", "SSB", "20220101", "1100", "K1ABC"},
                 162},
        RealFile{"urbancamo_adif-processor_src_test_resources_adif_LU7HF.adi",
                 1,
                 {"LU7HF", "24.895", "CW", "20240509", "213531", ""},
                 45},
        RealFile{"urbancamo_adif-processor_src_test_resources_adif_M0KPW_2021_07_06_144MHz.adi",
                 45,
                 {"G4FRK", "", "SSB", "20210706", "1900", "M0KPW"},
                 16},
        RealFile{"urbancamo_adif-processor_src_test_resources_adif_WW4N@POTA-K-5490-20210704.adi",
                 49,
                 {"K9DVP", "", "CW", "20210704", "1446", "WW4N"},
                 12},
        RealFile{
            "urbancamo_adif-processor_src_test_resources_adif_m0nom_p.204681.20210116183312.adi",
            4567,
            {"OT70TWS", "14.16", "SSB", "20180516", "1155", ""},
            40},
        RealFile{"urbancamo_adif-processor_src_test_resources_adif_sample.adi",
                 4,
                 {"VK9NS", "", "RTTY", "19900620", "1523", ""},
                 10},
        // Its tags lost their brackets and it has no "<EOR>": no records.
        RealFile{"urbancamo_adif-processor_src_test_resources_adif_DP9X.adi", 0, {}, 0}));

}  // namespace
}  // namespace tovek
