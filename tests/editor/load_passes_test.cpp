#include "editor/load_passes.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

using testing::RecordingProgress;

struct PassCase {
  const char* name;
  LogLines rows;
  LogLines expected;

  friend void PrintTo(const PassCase& c, std::ostream* out) { *out << c.name; }
};

class RemoveBlankRowsTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(RemoveBlankRowsTest, RemovesBlankRows) {
  LogLines rows = GetParam().rows;
  NoProgress progress;
  RemoveBlankRows(rows, progress);
  EXPECT_EQ(rows, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RemoveBlankRowsTest,
    ::testing::Values(
        PassCase{"AnywhereButTheLast", {"A", "", "   ", "B", "", "C", ""}, {"A", "B", "C", ""}},
        PassCase{"SeveralAtTheStart", {"", "", " ", "QSO: 1"}, {"QSO: 1"}},
        PassCase{"OnlyBlankRowsKeepTheLast", {"", "  ", " "}, {" "}},
        PassCase{"FullWidthBlanksAreBlanks", {"A", QStringLiteral("　 "), "B"}, {"A", "B"}},
        PassCase{"NothingBlank", {"A", " B "}, {"A", " B "}}, PassCase{"Empty", {}, {}}),
    testing::ParamName());

class SplitDoubledRowsTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(SplitDoubledRowsTest, SplitsRows) {
  LogLines rows = GetParam().rows;
  NoProgress progress;
  SplitDoubledRows(rows, progress);
  EXPECT_EQ(rows, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitDoubledRowsTest,
    ::testing::Values(
        PassCase{
            "SecondQsoTrimmedApart",
            {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 001 QSO: 7025 RY 2024-05-01 1201 K1AB 002 "},
            {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 001", "QSO: 7025 RY 2024-05-01 1201 K1AB 002"}},
        PassCase{"ThreeQsosOnOneRow",
                 {"QSO: 14080 RY 001QSO: 14081 RY 002QSO: 14082 RY 003", "END-OF-LOG:"},
                 {"QSO: 14080 RY 001", "QSO: 14081 RY 002", "QSO: 14082 RY 003", "END-OF-LOG:"}},
        PassCase{"EndOfLogOnTheQsoRow",
                 {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 001END-OF-LOG:"},
                 {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 001", "END-OF-LOG:"}},
        PassCase{"EndInsideAWord",
                 {"CALLSIGN: JA1END", "SOAPBOX: A FINE WEEKEND", "QSO: 1"},
                 {"CALLSIGN: JA1", "END", "SOAPBOX: A FINE WEEK", "END", "QSO: 1"}},
        PassCase{
            "TagsBeforeColumnFiveDoNotCount", {"END", "QSO:", "ENDQSO"}, {"END", "QSO:", "ENDQSO"}},
        // A second tag is found before the END that stands in front of it.
        PassCase{"QsoTagWinsOverAnEarlierEnd",
                 {"QSO: 7025 RY FRIEND QSO: 14080 RY"},
                 {"QSO: 7025 RY FRIEND", "QSO: 14080 RY"}},
        // Read untrimmed because of its colon time, it keeps an empty row.
        PassCase{"IndentedQsoRowLeavesAnEmptyRow",
                 {"    QSO: 7025 RY 12:34"},
                 {"", "QSO: 7025 RY 12:34"}},
        // Two rows were inserted, so the last two rows are never looked at.
        PassCase{"InsertedRowsPushTheLastRowsOutOfReach",
                 {"QSO: 1 QSO: 2 QSO: 3", "A", "BBBB QSO: 4", "CCCC QSO: 5"},
                 {"QSO: 1", "QSO: 2", "QSO: 3", "A", "BBBB QSO: 4", "CCCC QSO: 5"}}),
    testing::ParamName());

class JoinSplitRowsTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(JoinSplitRowsTest, JoinsRows) {
  LogLines rows = GetParam().rows;
  NoProgress progress;
  JoinSplitRows(rows, progress);
  EXPECT_EQ(rows, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JoinSplitRowsTest,
    ::testing::Values(
        PassCase{"ContinuationJoinedWithoutABlank",
                 {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 001", "K1ABC 599 002", "END-OF-LOG:"},
                 {"QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 001K1ABC 599 002", "END-OF-LOG:"}},
        PassCase{"QsoEndOrEmptyRowNeverJoined",
                 {"QSO: 1", "QSO: 2", "END-OF-LOG:", "QSO: 3", "", "QSO: 4", "ENDING"},
                 {"QSO: 1", "QSO: 2", "END-OF-LOG:", "QSO: 3", "", "QSO: 4", "ENDING"}},
        PassCase{"OnlyQsoRowsTakeTheNextRow",
                 {"CALLSIGN: JA1ABC", "NAME: Taro", " QSO: 1", "x"},
                 {"CALLSIGN: JA1ABC", "NAME: Taro", " QSO: 1", "x"}},
        PassCase{"ThreeRowQsoGetsOnlyItsSecondRow",
                 {"QSO: 14080", " RY 599", " 001"},
                 {"QSO: 14080 RY 599", " 001"}},
        PassCase{"WalkGoesOnBehindTheJoinedRow",
                 {"QSO: a", "b", "QSO: c", "d", "QSO: e"},
                 {"QSO: ab", "QSO: cd", "QSO: e"}},
        PassCase{"LowerCaseEndIsJoined", {"QSO: 1", "end"}, {"QSO: 1end"}}),
    testing::ParamName());

class AlignFrequencyTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(AlignFrequencyTest, AlignsFrequencies) {
  LogLines rows = GetParam().rows;
  UndoLines undo;
  NoProgress progress;
  AlignFrequency(rows, undo, progress);
  EXPECT_EQ(rows, GetParam().expected);
  EXPECT_EQ(undo.Rows(), GetParam().rows);
  EXPECT_EQ(undo.Availability(), (UndoAvailability{true, true}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AlignFrequencyTest,
    ::testing::Values(PassCase{"FourDigitsGainABlank",
                               {"QSO: 7025 RY 2024-05-01 1200 JA1ABC"},
                               {"QSO:  7025 RY 2024-05-01 1200 JA1ABC"}},
                      PassCase{"AlignedRowsStay",
                               {"QSO: 14080 RY 2024-05-01", "QSO:  3525 RY 2024-05-01"},
                               {"QSO: 14080 RY 2024-05-01", "QSO:  3525 RY 2024-05-01"}},
                      PassCase{"BlanksInFrontAreTakenUp",
                               {"QSO:    7025 RY", "QSO:   14080 RY"},
                               {"QSO:  7025 RY", "QSO: 14080 RY"}},
                      PassCase{"NoBlankFromColumnTenOn",
                               {"QSO: 7025", "QSO: 14080"},
                               {"QSO: 7025", "QSO: 14080"}},
                      // Aligning these would write "QSO:114000" and swallow the mode.
                      PassCase{"NoBlankAtColumnFive",
                               {"QSO:14000 RY 2024-05-01", "QSO:7000 RY 2024-05-01"},
                               {"QSO:14000 RY 2024-05-01", "QSO:7000 RY 2024-05-01"}},
                      // Keeping only the last five characters would cut these.
                      PassCase{"LongerThanFiveCharacters",
                               {"QSO: 14080.5 RY 2024-05-01", "QSO: 700 RY 2024-05-01"},
                               {"QSO: 14080.5 RY 2024-05-01", "QSO: 700 RY 2024-05-01"}},
                      PassCase{"OtherRowsStay",
                               {"CALLSIGN: JA1ABC", "X-QSO: 7025 RY", " QSO: 7025 RY"},
                               {"CALLSIGN: JA1ABC", "X-QSO: 7025 RY", " QSO: 7025 RY"}}),
    testing::ParamName());

// The snapshot taken before the frequencies are aligned is the log as it
// was; rows already aligned keep sharing their text with it, so that a huge
// log is not held twice.
TEST(AlignFrequencyTest, RowsLeftAloneShareTheirTextWithTheSnapshot) {
  const LogLines before = {"CALLSIGN: JA1ABC", "QSO: 14080 RY 2024-05-01",
                           "QSO: 7025 RY 2024-05-01", "QSO:  3525 RY 2024-05-01", "END-OF-LOG:"};
  LogLines rows;
  for (const QString& row : before) rows.append(QString(row.constData(), row.size()));
  UndoLines undo;
  NoProgress progress;
  AlignFrequency(rows, undo, progress);
  ASSERT_EQ(undo.Rows(), before);
  EXPECT_EQ(rows,
            (LogLines{"CALLSIGN: JA1ABC", "QSO: 14080 RY 2024-05-01", "QSO:  7025 RY 2024-05-01",
                      "QSO:  3525 RY 2024-05-01", "END-OF-LOG:"}));
  std::vector<bool> shared;
  for (qsizetype i = 0; i < rows.size(); ++i)
    shared.push_back(rows[i].isSharedWith(undo.Rows()[i]));
  EXPECT_EQ(shared, (std::vector<bool>{true, true, false, true, true}));
}

struct LengthsCase {
  const char* name;
  LogLines rows;
  bool uneven;

  friend void PrintTo(const LengthsCase& c, std::ostream* out) { *out << c.name; }
};

class CheckRowLengthsTest : public ::testing::TestWithParam<LengthsCase> {};

TEST_P(CheckRowLengthsTest, FindsUnevenRows) {
  NoProgress progress;
  EXPECT_EQ(CheckRowLengths(GetParam().rows, progress), GetParam().uneven);
}

const QString k40 = QStringLiteral("QSO: 14080 RY 2024-05-01 1200 JA1ABC 001");
const QString k41 = k40 + "2";

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckRowLengthsTest,
    ::testing::Values(LengthsCase{"TwoRowsNeverUneven", {k40, k41}, false},
                      LengthsCase{"ThreeRowsOneLonger", {k40, k40, k41}, true},
                      LengthsCase{"ThreeEqualRows", {k40, k40, k40}, false},
                      LengthsCase{"LengthIsTrimmed", {k40, k40 + "   ", "  " + k40}, false},
                      LengthsCase{"OtherRowsDoNotCount",
                                  {k40, "CALLSIGN: JA1ABC", k40, "END-OF-LOG:", k40},
                                  false},
                      LengthsCase{"OnlyNeighboursCompare", {k41, k40, k41}, true}),
    testing::ParamName());

TEST(PassProgress, EveryPassCountsFromTheRowsItStartedWith) {
  LogLines rows{"QSO: 1 QSO: 2", "A"};
  RecordingProgress progress;
  SplitDoubledRows(rows, progress);
  EXPECT_EQ(progress.calls, (QStringList{"max 1", "value 0", "yield", "value 1", "yield"}));

  rows = {"", "", "A", ""};
  progress.calls.clear();
  RemoveBlankRows(rows, progress);
  // The index stays while rows go.
  EXPECT_EQ(progress.calls,
            (QStringList{"max 3", "value 0", "yield", "value 0", "yield", "value 0", "yield"}));
}

TEST(RunLoadPasses, RunsTheFivePassesInOrder) {
  LogLines rows{"START-OF-LOG: 2.0",
                "",
                "CALLSIGN: JA1ABC",
                "QSO: 7025 RY 2024-05-01 1200 JA1ABC      599 001 K1ABC        599 001"
                "QSO: 14080 RY 2024-05-01 1201 JA1ABC      599 002",
                "W1AW         599 010",
                "QSO: 3525 RY 2024-05-01 1202 JA1ABC      599 003 VK2ABC       599 020END-OF-LOG:",
                ""};
  UndoLines undo;
  NoProgress progress;
  QStringList heard;
  const LoadPassesOutcome outcome =
      RunLoadPasses(rows, undo, progress, [&](const QString& message) { heard.append(message); });

  EXPECT_EQ(rows,
            (LogLines{"START-OF-LOG: 2.0", "CALLSIGN: JA1ABC",
                      "QSO:  7025 RY 2024-05-01 1200 JA1ABC      599 001 K1ABC        599 001",
                      "QSO: 14080 RY 2024-05-01 1201 JA1ABC      599 002W1AW         599 010",
                      "QSO:  3525 RY 2024-05-01 1202 JA1ABC      599 003 VK2ABC       599 020",
                      "END-OF-LOG:", ""}));
  // The snapshot holds the log after the first three passes.
  EXPECT_EQ(undo.Rows(),
            (LogLines{"START-OF-LOG: 2.0", "CALLSIGN: JA1ABC",
                      "QSO: 7025 RY 2024-05-01 1200 JA1ABC      599 001 K1ABC        599 001",
                      "QSO: 14080 RY 2024-05-01 1201 JA1ABC      599 002W1AW         599 010",
                      "QSO: 3525 RY 2024-05-01 1202 JA1ABC      599 003 VK2ABC       599 020",
                      "END-OF-LOG:", ""}));
  const QStringList messages{"空白行を探して削除します", "２重データを探し修正します",
                             "２段分割データを探して修正します", "周波数データを右並びにします",
                             "データ長の不揃いをチェックします"};
  EXPECT_EQ(outcome.messages, messages);
  EXPECT_EQ(heard, messages);
  EXPECT_TRUE(outcome.ran);
  EXPECT_TRUE(outcome.snapshot_taken);
  EXPECT_TRUE(outcome.uneven_lengths);  // the joined row is one character short
}

TEST(RunLoadPasses, OneRowOrNoneRunsNothingAndKeepsTheSnapshot) {
  UndoLines undo;
  NoProgress progress;
  LogLines earlier{"QSO: 7025 RY"};
  undo.Save(earlier, progress);
  undo.LogCleared();
  for (LogLines rows : {LogLines{}, LogLines{"QSO: 7025 RY  QSO: 3525 RY"}}) {
    const LogLines before = rows;
    const LoadPassesOutcome outcome = RunLoadPasses(rows, undo, progress);
    EXPECT_FALSE(outcome.ran);
    EXPECT_FALSE(outcome.snapshot_taken);
    EXPECT_TRUE(outcome.messages.isEmpty());
    EXPECT_EQ(rows, before);
    EXPECT_EQ(undo.Rows(), earlier);
    EXPECT_EQ(undo.Availability(), (UndoAvailability{true, false}));
  }
}

}  // namespace
}  // namespace tovek
