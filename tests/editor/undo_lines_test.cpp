#include "editor/undo_lines.h"

#include <gtest/gtest.h>

#include "editor/column_edits.h"
#include "editor/load_passes.h"
#include "editor/repair_commands.h"
#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

constexpr UndoAvailability kBoth{true, true};
constexpr UndoAvailability kNone{false, false};

class UndoTest : public ::testing::Test {
 protected:
  LogLines rows_{"START-OF-LOG: 2.0", "QSO: 7025 RY 2004:06:12 12:34", "END-OF-LOG:"};
  UndoLines undo_;
  NoProgress progress_;
};

TEST_F(UndoTest, NothingToUndoAtFirst) {
  EXPECT_EQ(undo_.Availability(), kNone);
  EXPECT_TRUE(undo_.Rows().isEmpty());
}

TEST_F(UndoTest, TwoChangesThenUndoGoesBackBetweenThem) {
  ColonDel(rows_, undo_, progress_);
  const LogLines between = rows_;
  InputText(rows_, undo_, 6, "1", progress_);
  EXPECT_EQ(undo_.Availability(), kBoth);
  EXPECT_TRUE(undo_.Restore(rows_, progress_));
  EXPECT_EQ(rows_, between);
  EXPECT_EQ(undo_.Availability(), kNone);
  // The snapshot keeps its rows: a second restore finds nothing to change.
  EXPECT_FALSE(undo_.Restore(rows_, progress_));
  EXPECT_EQ(rows_, between);
}

TEST_F(UndoTest, UndoThenANewChangeThenUndo) {
  const LogLines original = rows_;
  ColonDel(rows_, undo_, progress_);
  undo_.Restore(rows_, progress_);
  BandRight(rows_, undo_, 6, progress_);
  EXPECT_EQ(rows_[1], "QSO:  7025 RY 2004:06:12 12:34");
  undo_.Restore(rows_, progress_);
  EXPECT_EQ(rows_, original);
}

TEST_F(UndoTest, SnapshotSurvivesClearingAndOpening) {
  const LogLines original = rows_;
  Time4Col(rows_, undo_, 26, progress_);
  rows_.clear();
  undo_.LogCleared();
  // The button goes off, the menu item keeps its state.
  EXPECT_EQ(undo_.Availability(), (UndoAvailability{true, false}));
  rows_ = {"QSO: 3525 RY"};
  EXPECT_TRUE(undo_.Restore(rows_, progress_));
  EXPECT_EQ(rows_, original);
}

TEST_F(UndoTest, UndoAfterLoadingUndoesOnlyTheFrequencyAlignment) {
  rows_ = {"QSO: 7025 RY 1200", "JA1ABC 001", "", "QSO: 3525 RY 1201 QSO: 14080 RY 1202",
           "END-OF-LOG:"};
  RunLoadPasses(rows_, undo_, progress_);
  EXPECT_EQ(rows_, (LogLines{"QSO:  7025 RY 1200JA1ABC 001", "QSO:  3525 RY 1201",
                             "QSO: 14080 RY 1202", "END-OF-LOG:"}));
  EXPECT_EQ(undo_.Availability(), kBoth);
  undo_.Restore(rows_, progress_);
  EXPECT_EQ(rows_, (LogLines{"QSO: 7025 RY 1200JA1ABC 001", "QSO: 3525 RY 1201",
                             "QSO: 14080 RY 1202", "END-OF-LOG:"}));
}

TEST_F(UndoTest, HandEditsGoWithEverythingSinceTheSnapshot) {
  const LogLines original = rows_;
  DataCalSet(rows_, undo_, 6, 6, progress_);
  rows_[2] = "END-OF-LOG: edited by hand";
  rows_.removeAt(0);
  undo_.Restore(rows_, progress_);
  EXPECT_EQ(rows_, original);
}

TEST_F(UndoTest, CopyIsReported) {
  testing::RecordingProgress progress;
  undo_.Save(rows_, progress);
  rows_.clear();
  undo_.Restore(rows_, progress);
  EXPECT_EQ(progress.calls, (QStringList{"max 2", "value 2", "max 2", "value 2"}));
}

}  // namespace
}  // namespace tovek
