#include "editor/data_check.h"

#include <gtest/gtest.h>

#include <QDir>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

using testing::RecordingProgress;

BandPlans DefaultPlans() {
  BandPlans plans;
  plans.high = {4000, 7300, 14350, 21450, 29700};
  plans.low = {3500, 7000, 14000, 21000, 28000};
  plans.ja_high80 = {3580, 3612, 3687, 3716, 3770, 3805};
  plans.ja_low80 = {3530, 3599, 3662, 3702, 3745, 3791};
  plans.ja_high = {7200, 14350, 21450, 29700};
  plans.ja_low = {7030, 14070, 21070, 28070};
  return plans;
}

const PrefixTable& Prefixes() {
  static const PrefixTable table = [] {
    PrefixTable loaded;
    LoadPrefixTable(QDir(TOVEK_PROGRAM_DIR).filePath("Cty.dat"), loaded);
    return loaded;
  }();
  return table;
}

// A 75-character QSO row in the layout the check's defaults expect.
QString Row(const QString& frequency, const QString& mode, const QString& date_time,
            const QString& own_call) {
  return QStringLiteral("QSO: %1 %2 %3 %4 599 45     K1XYZ         599 30")
      .arg(frequency.rightJustified(5), mode, date_time, own_call.leftJustified(13));
}

QStringList Check(const LogLines& rows, QStringView start_date = u"2012/10/20") {
  NoProgress progress;
  return DataCheck(rows, CheckColumns{}, start_date, DefaultPlans(), Prefixes(), progress);
}

// The faults of one row standing at index 7 behind seven header rows.
QStringList FaultsOfRow(const QString& row) {
  LogLines rows(7, QStringLiteral("CALLSIGN: X"));
  rows.append(row);
  QStringList faults = Check(rows);
  for (QString& fault : faults) fault = fault.left(18);  // index and name
  return faults;
}

struct RowCase {
  const char* name;
  QString row;
  QStringList faults;  // index and name of each fault line
};

class DataCheckRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(DataCheckRowTest, ReportsTheRowsFaults) {
  EXPECT_EQ(FaultsOfRow(GetParam().row), GetParam().faults);
}

const QString kFreq = QStringLiteral("    7 FREQENCY    ");
const QString kTime = QStringLiteral("    7 TIME        ");
const QString kMode = QStringLiteral("    7 MODE        ");

INSTANTIATE_TEST_SUITE_P(
    Period, DataCheckRowTest,
    ::testing::Values(
        RowCase{"FirstMinute", Row("14080", "RY", "2012-10-20 0000", "K1CALL"), {}},
        RowCase{"LastMinute", Row("14080", "RY", "2012-10-21 2359", "K1CALL"), {}},
        RowCase{"End", Row("14080", "RY", "2012-10-22 0000", "K1CALL"), {kTime}},
        RowCase{"DayBefore", Row("14080", "RY", "2012-10-19 2359", "K1CALL"), {kTime}},
        RowCase{"SlashesReadLikeDashes", Row("14080", "RY", "2012/10/20 1234", "K1CALL"), {}},
        RowCase{"NoDateAtAll", Row("14080", "RY", "20121020 1234  ", "K1CALL"), {kTime}},
        RowCase{"MonthThirteen", Row("14080", "RY", "2012-13-20 1234", "K1CALL"), {kTime}},
        RowCase{"Hour24", Row("14080", "RY", "2012-10-20 2400", "K1CALL"), {kTime}},
        RowCase{"TimeWithAColon", Row("14080", "RY", "2012-10-20 12:3", "K1CALL"), {kTime}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    Mode, DataCheckRowTest,
    ::testing::Values(
        RowCase{"LowerCase", Row("14080", "ry", "2012-10-20 1234", "K1CALL"), {kMode}},
        RowCase{"Cw", Row("14080", "CW", "2012-10-20 1234", "K1CALL"), {kMode}},
        RowCase{"AllThreeInOrder",
                Row("50100", "CW", "2012-10-23 1234", "K1CALL"),
                {kMode, kTime, kFreq}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    BandPlans, DataCheckRowTest,
    ::testing::Values(
        RowCase{"DomesticStationBelowItsPlan",
                Row("3500", "RY", "2012-10-20 0000", "JA1CALL"),
                {kFreq}},
        RowCase{
            "OverseasStationAtItsLowerLimit", Row("3500", "RY", "2012-10-20 0000", "K1CALL"), {}},
        RowCase{"DomesticSegmentEdges", Row("3599", "RY", "2012-10-20 0000", "JA1CALL"), {}},
        RowCase{
            "DomesticGapBetweenSegments", Row("3590", "RY", "2012-10-20 0000", "JA1CALL"), {kFreq}},
        RowCase{"DomesticUpperEdge", Row("3805", "RY", "2012-10-20 0000", "JA1CALL"), {}},
        RowCase{"Domestic40mLowerLimit", Row("7000", "RY", "2012-10-20 0000", "JA1CALL"), {kFreq}},
        RowCase{"Overseas40mLowerLimit", Row("7000", "RY", "2012-10-20 0000", "DL1CALL"), {}},
        RowCase{
            "OverseasAboveThe20mLimit", Row("14351", "RY", "2012-10-20 0000", "K1CALL"), {kFreq}},
        RowCase{"PortableJapaneseCallIsDomestic",
                Row("7000", "RY", "2012-10-20 0000", "JA1CALL/3"),
                {kFreq}},
        RowCase{"UnresolvedCallIsOverseas", Row("7000", "RY", "2012-10-20 0000", "?"), {}},
        RowCase{"TooLargeFor16BitsCountsAsZero",
                Row("50100", "RY", "2012-10-20 0000", "K1CALL"),
                {kFreq}},
        RowCase{"BlankInsideIsIgnored", Row("7 035", "RY", "2012-10-20 0000", "K1CALL"), {}},
        RowCase{"LetterEndsTheNumber", Row("7O35", "RY", "2012-10-20 0000", "K1CALL"), {kFreq}}),
    testing::ParamName());

TEST(DataCheck, WritesWholeFaultLinesOfQsoRowsOnlyInRowOrder) {
  LogLines rows = {"START-OF-LOG: 2.0", "CALLSIGN: JA1CALL"};
  for (int i = 0; i < 11; ++i) rows.append(Row("7050", "RY", "2012-10-20 0100", "JA1CALL"));
  rows[4] = Row("7010", "RY", "2012-10-20 0100", "JA1CALL");
  rows[12] = Row("7050", "CW", "2012-10-19 0100", "JA1CALL");
  rows.append(QStringLiteral(" QSO: 14351 CW 2011-01-01 0000 JA1CALL"));
  rows.append(QStringLiteral("qso: 14351 CW 2011-01-01 0000 JA1CALL"));
  rows.append(QStringLiteral("END-OF-LOG:"));
  EXPECT_EQ(Check(rows),
            (QStringList{"    4 FREQENCY    " + rows[4], "   12 MODE        " + rows[12],
                         "   12 TIME        " + rows[12]}));
}

TEST(DataCheck, UnreadableStartDateReportsEveryTime) {
  const LogLines rows = {"CALLSIGN: K1CALL", Row("14080", "RY", "2012-10-20 0000", "K1CALL")};
  EXPECT_EQ(Check(rows, u"20.10.2012"), (QStringList{"    1 TIME        " + rows[1]}));
  EXPECT_EQ(Check(rows, u"2012/10/20"), QStringList{});
}

TEST(DataCheck, CheckColumnsMoveTheFields) {
  // The same row shifted right by two: the default columns misread it.
  const QString shifted = "QSO:   14080 RY 2012-10-20 1200 K1CALL";
  EXPECT_EQ(Check({"X", shifted}).size(), 3);
  NoProgress progress;
  EXPECT_EQ(DataCheck({"X", shifted}, CheckColumns{8, 14, 17, 76}, u"2012/10/20", DefaultPlans(),
                      Prefixes(), progress),
            QStringList{});
}

TEST(DataCheck, ReportsProgressOverEveryRow) {
  RecordingProgress progress;
  DataCheck({"A", Row("14080", "RY", "2012-10-20 0000", "K1CALL"), "END-OF-LOG:"}, CheckColumns{},
            u"2012/10/20", DefaultPlans(), Prefixes(), progress);
  EXPECT_EQ(progress.calls, (QStringList{"max 2", "value 0", "value 1", "yield", "value 2"}));
}

TEST(CheckFrequency, LeadingNumberMadeA16BitInteger) {
  const std::vector<std::pair<QString, std::int16_t>> cases = {
      {" 7000", 7000}, {"7000 ", 7000}, {"14 08", 1408}, {"50100", 0}, {"32767", 32767},
      {"3.5e3", 3500}, {"1.5", 2},      {"2.5", 2},      {"7O35", 7},  {"abc", 0},
      {"", 0},         {"-1", -1},      {"-3276", -3276}};
  for (const auto& [field, value] : cases)
    EXPECT_EQ(CheckFrequency(field), value) << field.toStdString();
}

TEST(FaultLine, IndexRightAlignedInFiveThenTheNameThenTheRow) {
  EXPECT_EQ(FaultLine(12, FaultKind::kTime, "QSO: x"), "   12 TIME        QSO: x");
  EXPECT_EQ(FaultLine(12345, FaultKind::kMode, "Q"), "12345 MODE        Q");
  EXPECT_EQ(FaultLine(0, FaultKind::kFrequency, ""), "    0 FREQENCY    ");
  for (const FaultKind kind : {FaultKind::kMode, FaultKind::kTime, FaultKind::kFrequency}) {
    EXPECT_EQ(FaultName(kind).size(), 13);
  }
}

TEST(CheckSampleRow, FirstRowTaggedQsoInAnyCase) {
  EXPECT_EQ(CheckSampleRow({"CALLSIGN: X", "NO COLON QSO", " qso : 1", "QSO: 2"}), " qso : 1");
  EXPECT_EQ(CheckSampleRow({"CALLSIGN: X", "X-QSO: 1"}), "");
}

TEST(CheckFields, PlaceFourFieldsFromTheLayout) {
  FieldLayout layout;
  layout.band_pos = 6;
  layout.mode_pos = 12;
  layout.date_pos = 15;
  layout.rcvd_rpt_pos = 74;
  layout.rpt_len = 2;
  const CheckColumns columns = CheckColumnsFrom(layout);
  EXPECT_EQ(columns, (CheckColumns{6, 12, 15, 74}));
  EXPECT_EQ(CheckFields(columns, layout.rpt_len),
            (std::vector<FieldSpan>{{6, 5}, {12, 2}, {15, 15}, {74, 3}}));
}

}  // namespace
}  // namespace tovek
