#include "editor/cabrillo_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "editor/load_passes.h"
#include "tests/editor/editor_test_support.h"

namespace tovek {

void PrintTo(const LogSummary& s, std::ostream* out) {
  for (const QString* field :
       {&s.call_sign, &s.contest, &s.category, &s.claimed_score, &s.operators, &s.club, &s.name,
        &s.created_by, &s.address, &s.soapbox, &s.continent, &s.entity, &s.header_text}) {
    *out << "\n  [" << field->toStdString() << "]";
  }
}

void PrintTo(const QsoRecord& r, std::ostream* out) {
  *out << r.no << " [" << r.band.toStdString() << "][" << r.mode.toStdString() << "]["
       << r.qso_time.toString(Qt::ISODate).toStdString() << "][" << r.my_call.toStdString() << "]["
       << r.sent_rst.toStdString() << "][" << r.sent_rpt.toStdString() << "]["
       << r.his_call.toStdString() << "][" << r.rcvd_rst.toStdString() << "]["
       << r.rcvd_rpt.toStdString() << "]";
}

namespace {

const PrefixTable& Prefixes() {
  static const PrefixTable table = [] {
    PrefixTable loaded;
    LoadPrefixTable(QDir(TOVEK_PROGRAM_DIR).filePath("Cty.dat"), loaded);
    return loaded;
  }();
  return table;
}

FieldLayout DefaultLayout() {
  FieldLayout layout;
  layout.band_pos = 6;
  layout.mode_pos = 12;
  layout.date_pos = 15;
  layout.my_call_pos = 31;
  layout.sent_rst_pos = 45;
  layout.sent_rpt_pos = 49;
  layout.his_call_pos = 56;
  layout.rcvd_rst_pos = 70;
  layout.rcvd_rpt_pos = 74;
  layout.my_call_len = 12;
  layout.his_call_len = 12;
  layout.rpt_len = 2;
  return layout;
}

const QString kExampleRow =
    "QSO:  3500 RY 2012-10-20 1234 JA1CALL       599 45     K1CALL        599 30";

QsoReadOutcome Read(const LogLines& rows, const FieldLayout& layout = DefaultLayout()) {
  NoProgress progress;
  return ReadQsoRecords(rows, layout, progress);
}

// ---- Header scan -------------------------------------------------------------

TEST(ScanHeader, FillsTheSummaryFromTheTagsAboveTheFirstQsoRow) {
  const LogLines rows = {
      "START-OF-LOG: 2.0",
      "callsign:  ja1call ",
      "CONTEST: tovek-ww-rtty",
      "CATEGORY: SINGLE-OP ALL LOW",
      "CLAIMED-SCORE: 1234",
      "OPERATORS: JA1CALL JA1XYZ",
      "CLUB: First Club",
      "CLUB: Second Club",
      "NAME: Taro",
      "CREATED-BY: Hand",
      "ARRL-SECTION: AS",
      "SOAPBOX: Fun",
      "SOAPBOX: ",
      "SOAPBOX: Again",
      "CHECK: nothing",
      kExampleRow,
      "NAME: after the header",
  };
  const HeaderScan scan = ScanHeader(rows);
  LogSummary expected;
  expected.call_sign = "JA1CALL";
  expected.contest = "TOVEK-WW-RTTY";
  expected.category = "SINGLE-OP ALL LOW";
  expected.claimed_score = "1234";
  expected.operators = "JA1CALL JA1XYZ";
  expected.club = "Second Club";
  expected.name = "Taro";
  expected.created_by = "Hand";
  expected.continent = "AS";
  expected.soapbox = "Fun <LF>  <LF> Again";
  expected.header_text = rows.mid(0, 15).join("\r\n") + "\r\n";
  EXPECT_EQ(scan.summary, expected);
  EXPECT_EQ(scan.sample_row, kExampleRow);
}

struct AddressCase {
  const char* name;
  LogLines rows;
  QString address;
};

class AddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressTest, JoinsTheAddressRows) {
  EXPECT_EQ(ScanHeader(GetParam().rows).summary.address, GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddressTest,
    ::testing::Values(
        AddressCase{"AddressTags",
                    {"ADDRESS: A", "ADDRESS-CITY: B", "ADDRESS-COUNTRY: C"},
                    "A <LF> B <LF> C"},
        AddressCase{"AllFiveTags",
                    {"ADDRESS: A", "ADDRESS-CITY: B", "ADDRESS-STATE-PROVINCE: C",
                     "ADDRESS-POSTALCODE: D", "ADDRESS-COUNTRY: E"},
                    "A <LF> B <LF> C <LF> D <LF> E"},
        AddressCase{"EmptyFirstRowLeavesItsSeparator", {"ADDRESS:"}, " <LF> "},
        AddressCase{"EmptyFirstRowThenACity", {"ADDRESS:", "ADDRESS-CITY: A"}, " <LF>  <LF> A"},
        AddressCase{"OtherAddressTagsAreNotAddress", {"ADDRESS: A", "ADDRESS-STATE: NY"}, "A"},
        AddressCase{
            "RowWithoutColonAddsNothing", {"ADDRESS: A", "Main Street", "ADDRESS: B"}, "A <LF> B"}),
    testing::ParamName());

struct SampleCase {
  const char* name;
  LogLines rows;
  QString sample_row;
  int header_rows;
};

class SampleRowTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleRowTest, EndsTheHeaderAtTheFirstRowTaggedQso) {
  const HeaderScan scan = ScanHeader(GetParam().rows);
  EXPECT_EQ(scan.sample_row, GetParam().sample_row);
  EXPECT_EQ(scan.summary.header_text.count("\r\n"), GetParam().header_rows);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SampleRowTest,
    ::testing::Values(SampleCase{"LeadingBlank", {"A: 1", " QSO: 1", "QSO: 2"}, " QSO: 1", 1},
                      SampleCase{"LowerCase", {"A: 1", "qso: 1", "QSO: 2"}, "qso: 1", 1},
                      SampleCase{"XQsoIsNoQso", {"X-QSO: 1", "QSO: 2"}, "QSO: 2", 1},
                      SampleCase{"NoQsoRow", {"A: 1", "B"}, "", 2}, SampleCase{"Empty", {}, "", 0}),
    testing::ParamName());

struct CategoryCase {
  const char* name;
  LogLines rows;
  QString category;
};

class CategoryTest : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(CategoryTest, NormalisesTheCategoryRows) {
  EXPECT_EQ(CabTempRead(GetParam().rows, Prefixes()).summary.category, GetParam().category);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CategoryTest,
    ::testing::Values(
        CategoryCase{
            "OperatorThenPower", {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-POWER: LOW"}, "SOLP"},
        CategoryCase{
            "PowerThenOperator", {"CATEGORY-POWER: HIGH", "CATEGORY-OPERATOR: SINGLE-OP"}, "SOHP"},
        CategoryCase{
            "MultiWhateverThePower", {"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-POWER: LOW"}, "MO"},
        CategoryCase{"LowerCaseShortForm", {"CATEGORY: sohp"}, "SOHP"},
        CategoryCase{"Checklog", {"CATEGORY: CHECKLOG"}, "Checklog"},
        CategoryCase{"SingleOpCheckLogIsLowFirst", {"CATEGORY: SINGLE-OP LOW CHECKLOG"}, "SOLP"},
        CategoryCase{"ClassB", {"CATEGORY: class-b"}, "SOLP"},
        CategoryCase{"All", {"CATEGORY: ALL"}, ""},
        CategoryCase{"SingleWithoutPower", {"CATEGORY-OPERATOR: SINGLE-OP"}, ""},
        CategoryCase{"CategoryRowReplacesEarlierOnes",
                     {"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY: SOLP"},
                     "SOLP"},
        CategoryCase{"OtherCategoryTagsDoNotCount",
                     {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: ALL", "CATEGORY-MODE: RTTY",
                      "CATEGORY-ASSISTED: ASSISTED", "CATEGORY-POWER: HIGH"},
                     "SOHP"}),
    testing::ParamName());

struct StationCase {
  const char* name;
  LogLines rows;
  QString continent;
  QString entity;
};

class StationTest : public ::testing::TestWithParam<StationCase> {};

TEST_P(StationTest, ResolvesContinentAndEntity) {
  const LogSummary summary = CabTempRead(GetParam().rows, Prefixes()).summary;
  EXPECT_EQ(summary.continent, GetParam().continent);
  EXPECT_EQ(summary.entity, GetParam().entity);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StationTest,
    ::testing::Values(
        StationCase{
            "SectionKeptWhenAContinent", {"CALLSIGN: JA1CALL", "ARRL-SECTION: EU"}, "EU", "JA"},
        StationCase{
            "LowerCaseSectionReplaced", {"CALLSIGN: JA1CALL", "ARRL-SECTION: eu"}, "AS", "JA"},
        StationCase{"DxSectionReplaced", {"CALLSIGN: K1CALL", "ARRL-SECTION: DX"}, "NA", "K"},
        StationCase{"StateSectionReplaced", {"CALLSIGN: VK3XYZ", "ARRL-SECTION: ENY"}, "OC", "VK"},
        StationCase{"PortableCall", {"CALLSIGN: ja1call/kh6"}, "OC", "KH6"},
        StationCase{"NoCallSign", {"ARRL-SECTION: AS"}, "AS", ""},
        StationCase{
            "UnresolvedCallLeavesTheContinentEmpty", {"CALLSIGN: ?", "ARRL-SECTION: X"}, "", ""}),
    testing::ParamName());

// Real logs by others, one row per line. Most of them end their lines with
// LF alone, which the editor's reading joins and cuts again at the tags of
// CabHeader.dat; taking their lines as rows keeps these tests about the
// header scan, whatever that list holds.
LogLines OpenLikeTheEditor(const QString& name) {
  const QString path = QDir(TOVEK_REAL_DATA_DIR "/cabrillo").filePath(name);
  if (!QFileInfo::exists(path)) return {};
  LogLines rows;
  for (const QString& line : ReadTextLines(path, LineEnds::kCrLfCrOrLf).lines) {
    AddLogLine(line, {}, rows);
  }
  NoProgress progress;
  UndoLines undo;
  RunLoadPasses(rows, undo, progress);
  return rows;
}

#define OPEN_REAL_LOG(rows, name)                \
  const LogLines rows = OpenLikeTheEditor(name); \
  if (rows.isEmpty()) GTEST_SKIP() << name << " is not here"

TEST(CabTempReadOnRealLogs, SeveralSoapboxRowsAndAddressTagsOfACabrillo3Log) {
  OPEN_REAL_LOG(rows, "ham2k_lib-qson-cabrillo_src_lib_samples_wfd.log");
  const HeaderScan scan = CabTempRead(rows, Prefixes());
  LogSummary expected;
  expected.call_sign = "K2SUL";
  expected.contest = "WFD";
  expected.category = "";  // "2O LOW" names no category of the contest
  expected.claimed_score = "1980";
  expected.operators = "KC2OQV, KC3EUJ, KD2RYX, KI2D, KN2X, NG2B, W2COD";
  expected.name = "John Lavelle";
  expected.created_by = "Manually by Sebastian Delmont";
  expected.address = "376 Wilsey Valley Rd <LF> Wurtsboro <LF> 12790 <LF> USA";
  expected.soapbox =
      "500 points for not using commercial power <LF> 500 points for setting up outdoors <LF> "
      "500 points for setting up away from home <LF> BONUS Total 1500 <LF> Some photos from our "
      "station at https://twitter.com/sd/status/1487569574706954246";
  expected.continent = "NA";  // ARRL-SECTION: ENY is a section, not a continent
  expected.entity = "K";
  expected.header_text = rows.mid(0, 22).join("\r\n") + "\r\n";
  EXPECT_EQ(scan.summary, expected);
  EXPECT_EQ(scan.sample_row, "QSO:7200PH2022-01-291905K2SUL2OENYK2GAV1HNV");  // tabs removed
}

TEST(CabTempReadOnRealLogs, AddressCityStateAndCountryTags) {
  OPEN_REAL_LOG(rows, "ham2k_lib-qson-cabrillo_src_lib_samples_naqp-rtty.log");
  const LogSummary summary = CabTempRead(rows, Prefixes()).summary;
  EXPECT_EQ(summary.address, "PO Box 596 <LF> Woodridge <LF> NY <LF> 12789 <LF> USA");
  EXPECT_EQ(summary.category, "SOLP");
  EXPECT_EQ(summary.club, "Hudson Valley Contesters And DXrs");
  EXPECT_EQ(summary.continent, "NA");
  EXPECT_EQ(summary.entity, "K");
}

TEST(CabTempReadOnRealLogs, ThreeAddressRowsAndAnEmptySoapbox) {
  OPEN_REAL_LOG(rows,
                "flwyd_adif-multitool_adifmt_testdata_cat_cabrillo_bartgrtty.txtar__bartg-rtty-"
                "example.cabrillo");
  const HeaderScan scan = CabTempRead(rows, Prefixes());
  EXPECT_EQ(scan.summary.address,
            "Llwyn Onn, 49 Blackmill Road <LF> Bryncethin, Bridgend <LF> CF32 9YN, Wales");
  EXPECT_EQ(scan.summary.soapbox, "");
  EXPECT_EQ(scan.summary.category, "");  // " SOAB HIGH": no single-op word
  EXPECT_EQ(scan.summary.call_sign, "GW4SKA");
  EXPECT_EQ(scan.summary.entity, "GW");
  EXPECT_EQ(scan.summary.continent, "EU");
  EXPECT_EQ(scan.sample_row,
            "QSO: 14093 RY 2020-03-21 1728 GW4SKA 599 0001 1728 GB50TG 599 0002 1728");
}

TEST(CabTempReadOnRealLogs, Cabrillo2HeaderWithSectionAndEmptyValues) {
  OPEN_REAL_LOG(rows,
                "kd4d_Contest-Log-Analyzer_CONTEST_LOGS_REPORTS_Logs_2025_arrl-fd_W3AO-CWSSB.log");
  const LogSummary summary = CabTempRead(rows, Prefixes()).summary;
  EXPECT_EQ(summary.address,
            "18601 Queen Anne Bridge Road <LF> MITCHELLVILLE - MD - 20716 - UNITED STATES");
  EXPECT_EQ(summary.operators, "");
  EXPECT_EQ(summary.soapbox, "");
  EXPECT_EQ(summary.category, "");
  EXPECT_EQ(summary.continent, "NA");  // from W3AO, not from the section MDC
  EXPECT_EQ(IncompleteSummaryMessage(summary), "[カテゴリ]　\r\nを確認してください！");
}

TEST(CabTempReadOnRealLogs, SixtySevenSoapboxRowsOfAMultiOpLog) {
  OPEN_REAL_LOG(rows, "kd4d_Contest-Log-Analyzer_CONTEST_LOGS_REPORTS_Logs_2024_cq-ww-cw_k1lz.log");
  const LogSummary summary = CabTempRead(rows, Prefixes()).summary;
  EXPECT_EQ(summary.category, "MO");
  EXPECT_EQ(summary.soapbox.count(" <LF> "), 66);
  EXPECT_TRUE(summary.soapbox.startsWith("It is always a special time of the contest year"));
  EXPECT_EQ(summary.entity, "K");
}

// ---- Layout ---------------------------------------------------------------------

TEST(FieldLayout, WidthsAdjustWithinTheirLimitsAndReportsShareOne) {
  FieldLayout layout = DefaultLayout();
  EXPECT_FALSE(StepLayoutWidth(layout, kFrequencyField, 1));
  for (int i = 0; i < 30; ++i) StepLayoutWidth(layout, kMyCallField, 1);
  for (int i = 0; i < 30; ++i) StepLayoutWidth(layout, kHisCallField, -1);
  StepLayoutWidth(layout, kReceivedReportField, 3);
  EXPECT_EQ(LayoutFields(layout),
            (std::vector<FieldSpan>{
                {6, 5}, {12, 2}, {15, 15}, {31, 21}, {45, 3}, {49, 5}, {56, 3}, {70, 3}, {74, 5}}));
  for (int i = 0; i < 30; ++i) StepLayoutWidth(layout, kSentReportField, 1);
  EXPECT_EQ(LayoutWidth(layout, kReceivedReportField), 11);
  SetLayoutStart(layout, kModeField, 0);
  EXPECT_EQ(LayoutStart(layout, kModeField), 1);
}

// ---- Reading ---------------------------------------------------------------------

TEST(MissingSummary, NamesEveryEmptyRequiredFieldInOrder) {
  LogSummary summary;
  summary.category = "SOHP";
  summary.continent = "AS";
  EXPECT_EQ(IncompleteSummaryMessage(summary),
            "[コールサイン]　\r\n[エンティティ]　\r\nを確認してください！");
  summary = {};
  summary.call_sign = "  ";
  EXPECT_EQ(MissingSummaryItems(summary), (QStringList{"[カテゴリ]　", "[コールサイン]　",
                                                       "[コンチネント]　", "[エンティティ]　"}));
  summary.call_sign = "JA1CALL";
  summary.category = "SOHP";
  summary.continent = "AS";
  summary.entity = "JA";
  EXPECT_EQ(IncompleteSummaryMessage(summary), "");
}

TEST(FillSummaryDefaults, NameAndAddressNeverStayEmpty) {
  LogSummary summary;
  FillSummaryDefaults(summary);
  EXPECT_EQ(summary.name, "No Name");
  EXPECT_EQ(summary.address, "No Address");
  summary.name = "Taro";
  summary.address = " <LF> ";
  FillSummaryDefaults(summary);
  EXPECT_EQ(summary.name, "Taro");
  EXPECT_EQ(summary.address, " <LF> ");
}

QsoRecord Record(std::int16_t no, const char* band, const char* mode, QDateTime time,
                 const char* my_call, const char* sent_rst, const char* sent_rpt,
                 const char* his_call, const char* rcvd_rst, const char* rcvd_rpt) {
  return {no, band, mode, time, my_call, sent_rst, sent_rpt, his_call, rcvd_rst, rcvd_rpt};
}

QDateTime At(int year, int month, int day, int hour, int minute) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

TEST(ReadQsoRecords, CutsTheExampleRowIntoItsFields) {
  const QsoReadOutcome read = Read({"CALLSIGN: JA1CALL", kExampleRow, "END-OF-LOG:"});
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  EXPECT_EQ(read.records,
            QsoList{Record(1, " 3500", "RY", At(2012, 10, 20, 12, 34), "JA1CALL      ", "599", "45",
                           "K1CALL       ", "599", "30")});
}

// A row with each text placed at its 1-based column, blanks between.
QString Place(const std::vector<std::pair<int, QString>>& texts) {
  QString row;
  for (const auto& [column, text] : texts) {
    row = row.leftJustified(column - 1, u' ', true) + text;
  }
  return row;
}

TEST(ReadQsoRecords, ValuesAreTrimmedThenCutToTheirWidth) {
  FieldLayout wide = DefaultLayout();
  wide.my_call_len = 21;
  wide.his_call_len = 21;
  wide.rpt_len = 4;
  wide.sent_rst_pos = 53;
  wide.sent_rpt_pos = 57;
  wide.his_call_pos = 62;
  wide.rcvd_rst_pos = 84;
  wide.rcvd_rpt_pos = 88;
  const QString row = Place({{1, "QSO:"},
                             {6, "7000"},
                             {12, "ry"},
                             {15, "2012/10/20 0905"},
                             {31, "JA1CALL/ABCDEFGHI"},
                             {53, "599"},
                             {57, "  45"},
                             {62, "K1CALL/ABCDEFGHIJK"},
                             {84, "5"},
                             {88, "0123"}});
  const QsoReadOutcome read = Read({row}, wide);
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  EXPECT_EQ(read.records, QsoList{Record(1, "7000 ", "RY", At(2012, 10, 20, 9, 5), "JA1CALL/ABCDE",
                                         "599", "45", "K1CALL/ABCDEF", "5  ", "01")});
}

TEST(ReadQsoRecords, ShortRowsGiveBlankFields) {
  const QsoReadOutcome read = Read({"QSO:  3500 RY 2012-10-20 1234 JA1CALL"});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.records,
            QsoList{Record(1, " 3500", "RY", At(2012, 10, 20, 12, 34), "JA1CALL      ", "   ", "  ",
                           "             ", "   ", "  ")});
}

TEST(ReadQsoRecords, NumbersFromOneInEveryReading) {
  const LogLines rows = {kExampleRow, " QSO: not a QSO row", "qso: neither", kExampleRow};
  for (int reading = 0; reading < 2; ++reading) {
    const QsoReadOutcome read = Read(rows);
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records[0].no, 1);
    EXPECT_EQ(read.records[1].no, 2);
  }
}

TEST(ReadQsoRecords, StopsAtADateThatDoesNotParse) {
  QString bad = kExampleRow;
  bad.replace(14, 10, "2012-13-40");
  const QsoReadOutcome read = Read({"CALLSIGN: JA1CALL", kExampleRow, bad, kExampleRow});
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.failed_row, 2);
  EXPECT_EQ(read.error, "行 2: 日時 \"2012-13-40 12:34\" を読み取れません");
  EXPECT_EQ(read.records.size(), 1);
}

TEST(ParseQsoTime, AcceptedForms) {
  const QDateTime expected = At(2012, 10, 20, 12, 34);
  for (const char* text :
       {"2012-10-20 12:34", "2012/10/20 12:34", "2012.10.20 12:34", "2012-10-20  12:34"}) {
    EXPECT_EQ(ParseQsoTime(QString::fromLatin1(text)), expected) << text;
  }
  EXPECT_EQ(ParseQsoTime(u"2012/1/5 9:05"), At(2012, 1, 5, 9, 5));
  for (const char* text :
       {"2012-10-20 12::3", "2012-10-20 24:00", "2012-02-30 12:34", "12-10-20 12:34",
        "2012-10-20 12:3", "2012-10-20:", "", "2012-10-2012:34"}) {
    EXPECT_EQ(ParseQsoTime(QString::fromLatin1(text)), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace tovek
