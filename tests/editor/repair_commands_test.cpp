#include "editor/repair_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

using testing::RowsEditCase;
using Command = RowsEditCase::Command;

class RepairCommandTest : public ::testing::TestWithParam<RowsEditCase> {};

TEST_P(RepairCommandTest, RepairsRowsAfterTakingTheSnapshot) {
  testing::ExpectEditAfterSnapshot(GetParam());
}

Command At(void (*command)(LogLines&, UndoLines&, int, Progress&), int column) {
  return [=](LogLines& rows, UndoLines& undo, Progress& progress) {
    command(rows, undo, column, progress);
  };
}

Command Slot(int column, int width) {
  return [=](LogLines& rows, UndoLines& undo, Progress& progress) {
    DataCalSet(rows, undo, column, width, progress);
  };
}

// Columns of this row: time 26-29, own call 31-36, report 44-46.
const QString kRow = QStringLiteral("QSO: 14080 RY 2024-05-01 1200 JA1ABC       599 001");

INSTANTIATE_TEST_SUITE_P(
    TwinEdit, RepairCommandTest,
    ::testing::Values(RowsEditCase{"SecondQsoRightAfterADigit",
                                   TwinEdit,
                                   {"QSO: 14080 RY 001QSO: 7025 RY 002 "},
                                   {"QSO: 14080 RY 001", "QSO: 7025 RY 002"}},
                      RowsEditCase{"ThreeQsosOnOneRow",
                                   TwinEdit,
                                   {"QSO: 1 QSO: 2 QSO: 3", "END-OF-LOG:"},
                                   {"QSO: 1", "QSO: 2", "QSO: 3", "END-OF-LOG:"}},
                      RowsEditCase{"TagAtColumnFiveAndEndStay",
                                   TwinEdit,
                                   {"ABCDQSO: 1", "QSO: 1 END-OF-LOG:", "SOAPBOX: WEEKEND"},
                                   {"ABCDQSO: 1", "QSO: 1 END-OF-LOG:", "SOAPBOX: WEEKEND"}},
                      RowsEditCase{"InsertedRowsPushTheLastOutOfReach",
                                   TwinEdit,
                                   {"QSO: 1 QSO: 2", "XXXX QSO: 3"},
                                   {"QSO: 1", "QSO: 2", "XXXX QSO: 3"}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    DblDel, RepairCommandTest,
    ::testing::Values(RowsEditCase{"DropsTheLastCharacterAndPutsABlank",
                                   DblDel,
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 001",
                                    "K1ABC 599 002"},
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 00 K1ABC 599 002"}},
                      RowsEditCase{"JoinsEndButNotQsoOrEmptyRows",
                                   DblDel,
                                   {"QSO: 1", "QSO: 2", "", "QSO: 3", "END-OF-LOG:"},
                                   {"QSO: 1", "QSO: 2", "", "QSO:  END-OF-LOG:"}},
                      RowsEditCase{"OnlyQsoRowsTakeTheNextRow",
                                   DblDel,
                                   {"NAME: Taro", "Yamada", "QSO: 4"},
                                   {"NAME: Taro", "Yamada", "QSO: 4"}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    ColonDel, RepairCommandTest,
    ::testing::Values(
        RowsEditCase{"OneColonPerRun",
                     ColonDel,
                     {"QSO: 14080 RY 2004:06:12 12:34", "QSO: 14080 RY 2004-06-12 12:34:56"},
                     {"QSO: 14080 RY 200406:12 12:34", "QSO: 14080 RY 2004-06-12 1234:56"}},
        RowsEditCase{"NoColonOrColonAtColumnFive",
                     ColonDel,
                     {"QSO: 14080 RY 2004-06-12 1234", "QSO::14080 RY 12:34"},
                     {"QSO: 14080 RY 2004-06-12 1234", "QSO::14080 RY 12:34"}},
        RowsEditCase{"HeaderRowsStay", ColonDel, {"CREATED-BY: X 1:2"}, {"CREATED-BY: X 1:2"}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    Time4Col, RepairCommandTest,
    ::testing::Values(
        RowsEditCase{"ZerosInFrontOfABlankAndThreeDigits",
                     At(Time4Col, 26),
                     {"QSO: 14080 RY 2024-05-01  930 JA1ABC"},
                     {"QSO: 14080 RY 2024-05-01 0930 JA1ABC"}},
        RowsEditCase{"ThreeDigitsRunIntoTheNextField",
                     At(Time4Col, 26),
                     {"QSO: 14080 RY 2024-05-01 930 JA1ABC"},
                     {"QSO: 14080 RY 2024-05-01 0930JA1ABC"}},
        RowsEditCase{"FourBlanksBecomeZeros",
                     At(Time4Col, 26),
                     {"QSO: 14080 RY 2024-05-01      JA1ABC", "QSO: 14080 RY 2024-05-01 12"},
                     {"QSO: 14080 RY 2024-05-01 0000 JA1ABC", "QSO: 14080 RY 2024-05-01 0012"}},
        // Zeros glued to its end would change the row's last field.
        RowsEditCase{"RowEndingBeforeTheColumnStays",
                     At(Time4Col, 26),
                     {"QSO: 7025 RY", "CALLSIGN: JA1ABC 2024-05-01  930"},
                     {"QSO: 7025 RY", "CALLSIGN: JA1ABC 2024-05-01  930"}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    BandRight, RepairCommandTest,
    ::testing::Values(RowsEditCase{"RightAlignedWithABlankBehind",
                                   At(BandRight, 6),
                                   {"QSO: 7025 RY", "QSO: 14080 RY", "CALLSIGN: JA1ABC"},
                                   {"QSO:  7025 RY", "QSO: 14080 RY", "CALLSIGN: JA1ABC"}},
                      RowsEditCase{"AtTheRowsEndABlankIsAppended",
                                   At(BandRight, 6),
                                   {"QSO: 7025", "QSO: 21080"},
                                   {"QSO:  7025 ", "QSO: 21080 "}},
                      RowsEditCase{
                          "AnyColumn", At(BandRight, 8), {"QSO:   7     RY"}, {"QSO:       7 RY"}}),
    testing::ParamName());

INSTANTIATE_TEST_SUITE_P(
    DataCalSet, RepairCommandTest,
    ::testing::Values(RowsEditCase{"SevenCharactersInASlotOfEight",
                                   Slot(31, 8),
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABCD   599 001"},
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABCD 599 001"}},
                      RowsEditCase{"CutToTheSlot",
                                   Slot(31, 5),
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABCD   599 001"},
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1AB599 001"}},
                      RowsEditCase{"WidestSlot",
                                   Slot(31, 15),
                                   {kRow},
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABC         599 001"}},
                      RowsEditCase{"BlankAtTheColumnGivesABlankSlot",
                                   Slot(30, 3),
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 599"},
                                   {"QSO: 14080 RY 2024-05-01 1200   JA1ABC 599"}},
                      RowsEditCase{"LastFieldFillsItsSlot",
                                   Slot(48, 5),
                                   {kRow, "QSO: 1 X-QSO: 2"},
                                   {"QSO: 14080 RY 2024-05-01 1200 JA1ABC       599 001  ",
                                    "QSO: 1 X-QSO: 2"}},
                      RowsEditCase{"RowsWithQsoAndABlankAnywhere",
                                   Slot(8, 6),
                                   {"X-QSO: 7025 RY", "QSO:7025 RY", "CALLSIGN: JA1ABC"},
                                   {"X-QSO: 7025  RY", "QSO:7025 RY", "CALLSIGN: JA1ABC"}}),
    testing::ParamName());

}  // namespace
}  // namespace tovek
