// The clean-up passes that run over every log right after it is read. The
// toolbar also runs SplitDoubledRows, JoinSplitRows and CheckRowLengths on
// their own.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "common/progress.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

namespace tovek {

enum class LoadPass {
  kRemoveBlankRows,
  kSplitDoubledRows,
  kJoinSplitRows,
  kAlignFrequency,
  kCheckRowLengths,
};

// What status panel 1 says while a pass runs.
QString LoadPassMessage(LoadPass pass);

// Shown after CheckRowLengths found uneven QSO rows.
inline const QString kUnevenLengthsMessage = QStringLiteral("データ長が不揃いです");

// Each pass sets the progress maximum to the row count at its start minus
// one, the value to the index it looks at, and yields after every row.

// Removes rows that are empty once trimmed, except the last row.
void RemoveBlankRows(LogLines& rows, Progress& progress);

// Cuts a row in front of a second "QSO:" (or, without one, in front of
// "END") found from column 5 on; both parts are trimmed and the second is
// looked at next, so three QSOs on one row become three rows.
void SplitDoubledRows(LogLines& rows, Progress& progress);

// Appends to a QSO row the row after it, as it stands, unless that row is
// empty or begins with "QSO:" or "END".
void JoinSplitRows(LogLines& rows, Progress& progress);

// Takes the undo snapshot, then right-aligns the frequency of each QSO row
// in columns 6 to 10. Rows whose column 5 is not a blank, that have no blank
// at or after column 10, or whose frequency is longer than five characters
// stay as they are: aligning them would swallow or cut what they hold.
void AlignFrequency(LogLines& rows, UndoLines& undo, Progress& progress);

// True when at least three QSO rows were found and two neighbouring ones
// differ in trimmed length.
bool CheckRowLengths(const LogLines& rows, Progress& progress);

struct LoadPassesOutcome {
  bool ran = false;             // the log held more than one row
  bool snapshot_taken = false;  // AlignFrequency replaced the undo snapshot
  bool uneven_lengths = false;  // kUnevenLengthsMessage is due
  QStringList messages;         // the panel messages, in the order shown
};

// The five passes in their order, as reading a log runs them: only when the
// log holds more than one row. `pass_starting` (may be empty) hears each
// pass's panel message before the pass runs. The message box about uneven
// lengths and the data check that follows are the caller's.
LoadPassesOutcome RunLoadPasses(LogLines& rows, UndoLines& undo, Progress& progress,
                                const std::function<void(const QString&)>& pass_starting = {});

}  // namespace tovek
