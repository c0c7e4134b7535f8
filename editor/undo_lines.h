// The one-level undo of the log editor.
#pragma once

#include "common/progress.h"
#include "editor/log_lines.h"

namespace tovek {

// Which of the two undo controls may be used. The menu item and the toolbar
// button part ways when the log is cleared: clearing disables the button but
// leaves the menu item (the whole Edit menu is disabled then anyway), so
// after a log of one row or none is opened the menu item still offers the
// snapshot of the earlier log while the button does not.
struct UndoAvailability {
  bool menu = false;    // mnuUndo
  bool button = false;  // toolbar button 2, "前に戻す"

  friend bool operator==(const UndoAvailability&, const UndoAvailability&) = default;
};

// `UndoLines`: a copy of the log taken just before the latest command that
// rewrote it. Only Save fills it and only Restore reads it, so it outlives
// clearing, closing and opening logs.
class UndoLines {
 public:
  // SaveUndo: replaces the snapshot by a copy of `rows` and enables both
  // controls.
  void Save(const LogLines& rows, Progress& progress);

  // RestoreUndo: replaces `rows` by the snapshot, which keeps its rows, and
  // disables both controls. True when that changed `rows`.
  bool Restore(LogLines& rows, Progress& progress);

  // The log was cleared (DataCls, the close command): the button goes off.
  void LogCleared() { availability_.button = false; }

  const LogLines& Rows() const { return rows_; }
  UndoAvailability Availability() const { return availability_; }

 private:
  LogLines rows_;
  UndoAvailability availability_;
};

}  // namespace tovek
