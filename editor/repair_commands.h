// Repairs of typical damage that the user starts from the Edit menu and the
// toolbar. Each takes the undo snapshot first, then walks the rows the way
// the load passes do (indices 0 to N - 1 of the count at the start).
#pragma once

#include "common/progress.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

namespace tovek {

// mnuTwinEdit: cuts a row in front of a second "QSO:" found after column 5
// (a tag at column 5 itself stays); both parts trimmed, the second looked at
// next. Unlike SplitDoubledRows it does not cut at "END".
void TwinEdit(LogLines& rows, UndoLines& undo, Progress& progress);

// mnuDblDel: joins to a QSO row the next row unless that is empty or begins
// with "QSO:", dropping the QSO row's last character and putting a blank in
// between. Unlike JoinSplitRows it also joins a row beginning with "END".
void DblDel(LogLines& rows, UndoLines& undo, Progress& progress);

// mnuColonDel: removes from each QSO row the first colon after column 5;
// one per run, and none when column 5 holds one.
void ColonDel(LogLines& rows, UndoLines& undo, Progress& progress);

// Time4Col: the four characters of each QSO row from `column`, trimmed and
// filled with zeros on the left to exactly four. A row that ends before
// `column` stays as it is.
void Time4Col(LogLines& rows, UndoLines& undo, int column, Progress& progress);

// BandRight: the five characters of each QSO row from `column`, trimmed and
// right-aligned in those five, always followed by a blank.
void BandRight(LogLines& rows, UndoLines& undo, int column, Progress& progress);

// DataCalSet: in each row holding "QSO: ", the field starting at `column`
// left-aligned in a slot of `width` (at most 15) columns, cut when longer,
// the next field starting right after the slot. A field with no blank after
// it is the row's last one and fills the slot likewise; a row that ends
// before `column` stays as it is.
void DataCalSet(LogLines& rows, UndoLines& undo, int column, int width, Progress& progress);

}  // namespace tovek
