#include "editor/column_edits.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

using testing::RowsEditCase;
using Command = RowsEditCase::Command;

class ColumnEditTest : public ::testing::TestWithParam<RowsEditCase> {};

TEST_P(ColumnEditTest, EditsRowsAfterTakingTheSnapshot) {
  testing::ExpectEditAfterSnapshot(GetParam());
}

Command Insert(int column, const QString& text) {
  return [=](LogLines& rows, UndoLines& undo, Progress& progress) {
    InputText(rows, undo, column, text, progress);
  };
}

Command Replace(int column, const QString& text) {
  return [=](LogLines& rows, UndoLines& undo, Progress& progress) {
    ChangeText(rows, undo, column, text, progress);
  };
}

Command Delete(int column, int length) {
  return [=](LogLines& rows, UndoLines& undo, Progress& progress) {
    DataDel(rows, undo, column, length, progress);
  };
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ColumnEditTest,
    ::testing::Values(
        RowsEditCase{"InsertMakesFourThousandFourteen",
                     Insert(6, "1"),
                     {"CALLSIGN: JA1ABC", "QSO: 4000 RY", "QSO:", "END-OF-LOG:"},
                     {"CALLSIGN: JA1ABC", "QSO: 14000 RY", "QSO:1", "END-OF-LOG:"}},
        RowsEditCase{"InsertBlanks", Insert(5, "  "), {"QSO: 7025 RY"}, {"QSO:   7025 RY"}},
        RowsEditCase{"InsertNothing", Insert(6, ""), {"QSO: 7025 RY"}, {"QSO: 7025 RY"}},
        RowsEditCase{"ReplaceOverwritesAsManyAsItHas",
                     Replace(12, "RY"),
                     {"QSO: 14080 CW 2024-05-01", "QSO: 14080 C", "NAME: CW CWCWCW"},
                     {"QSO: 14080 RY 2024-05-01", "QSO: 14080 RY", "NAME: CW CWCWCW"}},
        RowsEditCase{"ReplaceBehindAShortRow", Replace(20, "RY"), {"QSO: 7025"}, {"QSO: 7025RY"}},
        RowsEditCase{"DeleteFromEveryRowHoldingTheTagAndABlank",
                     Delete(5, 1),
                     {"QSO: 14080 RY", "X-QSO: 14080", "QSO:14080 RY", "CALLSIGN: JA1ABC"},
                     {"QSO:14080 RY", "X-QS: 14080", "QSO:14080 RY", "CALLSIGN: JA1ABC"}},
        RowsEditCase{
            "DeleteARun", Delete(6, 13), {"QSO: 14080 RY 2024-05-01 1200"}, {"QSO: -05-01 1200"}},
        RowsEditCase{"DeleteBeyondAShortRow", Delete(20, 2), {"QSO: 7025"}, {"QSO: 7025"}}),
    testing::ParamName());

TEST(FirstQsoRow, IsTheSampleRow) {
  LogLines rows;
  for (int i = 0; i < 49; ++i) rows.append(QStringLiteral("SOAPBOX: QSO: %1").arg(i));
  rows.append(" QSO: 7025 RY");
  EXPECT_EQ(FirstQsoRow(rows), std::nullopt);
  rows.append("QSO: 14080 RY 2024-05-01 1200");
  rows.append("QSO: 7025 RY 2024-05-01 1201");
  EXPECT_EQ(FirstQsoRow(rows), QString("QSO: 14080 RY 2024-05-01 1200"));
  EXPECT_EQ(FirstQsoRow({}), std::nullopt);
}

struct SpinnerCase {
  const char* name;
  int sample_length;
  int remembered;
  int fallback;  // -1: half the sample
  SpinnerStart expected;

  friend void PrintTo(const SpinnerCase& c, std::ostream* out) { *out << c.name; }
};

class StartColumnSpinnerTest : public ::testing::TestWithParam<SpinnerCase> {};

TEST_P(StartColumnSpinnerTest, StartsWithinTheSample) {
  const SpinnerCase& c = GetParam();
  const QString sample(c.sample_length, u'x');
  const int fallback = c.fallback < 0 ? HalfLength(sample) : c.fallback;
  EXPECT_EQ(StartColumnSpinner(sample, c.remembered, fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, StartColumnSpinnerTest,
    ::testing::Values(SpinnerCase{"HalfOfAnOddLengthRoundsToEven", 75, 0, -1, {1, 75, 38}},
                      SpinnerCase{"HalfOfSeventyThree", 73, 0, -1, {1, 73, 36}},
                      SpinnerCase{"HalfOfAnEvenLength", 40, 0, -1, {1, 40, 20}},
                      SpinnerCase{"RememberedColumn", 75, 12, -1, {1, 75, 12}},
                      SpinnerCase{"RememberedBeyondTheSample", 40, 60, -1, {1, 40, 40}},
                      SpinnerCase{"OwnDefaultBeyondTheSample", 12, 0, 17, {1, 12, 12}},
                      SpinnerCase{"StoredBelowOne", 40, -5, 17, {1, 40, 1}}),
    testing::ParamName());

TEST(LengthSpinner, StartsWithinOneAndItsMaximum) {
  EXPECT_EQ(LengthSpinner(0, 2, 13), (SpinnerStart{1, 13, 2}));
  EXPECT_EQ(LengthSpinner(7, 2, 13), (SpinnerStart{1, 13, 7}));
  EXPECT_EQ(LengthSpinner(40, 3, 15), (SpinnerStart{1, 15, 15}));
  EXPECT_EQ(LengthSpinner(-2, 3, 15), (SpinnerStart{1, 15, 1}));
}

TEST(ColumnPreview, ShowsTheSampleFromTheColumnOn) {
  const QString sample = QStringLiteral("QSO: 14080 RY 2024-05-01 1200 JA1ABC");
  EXPECT_EQ(ColumnPreview(sample, 6, 14), QString("14080 RY 2024-"));
  EXPECT_EQ(ColumnPreview(sample, 6, 25), QString("14080 RY 2024-05-01 1200 "));
  EXPECT_EQ(ColumnPreview(sample, 31, 14), QString("JA1ABC"));
  EXPECT_EQ(ColumnPreview(sample, 36, 14), QString("C"));
}

}  // namespace
}  // namespace tovek
