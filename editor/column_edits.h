// Commands that change every QSO row at one character column, and what the
// dialogs asking for that column start from.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "common/progress.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

namespace tovek {

// Each command takes the undo snapshot first and leaves rows shorter than
// its column alone or lets the text land right after the row's end; none
// pads a row. Columns are 1-based; a column below 1 counts as 1.

// InputText: `text` inserted in front of `column` of every QSO row.
void InputText(LogLines& rows, UndoLines& undo, int column, const QString& text,
               Progress& progress);

// ChangeText: as many characters as `text` has, from `column` on, replaced
// by `text` in every QSO row.
void ChangeText(LogLines& rows, UndoLines& undo, int column, const QString& text,
                Progress& progress);

// DataDel: `length` characters from `column` on removed from every row that
// holds "QSO: " (with its blank) anywhere.
void DataDel(LogLines& rows, UndoLines& undo, int column, int length, Progress& progress);

// The sample row (`DataTemp`) the column dialogs show: the first QSO row.
// Without one no dialog opens.
std::optional<QString> FirstQsoRow(const LogLines& rows);

// What the insert, replace and delete dialogs remember while the program
// runs. The columns kept across runs are in KavrelSettings.
struct ColumnEditMemory {
  std::int16_t cpos = 0;     // Cpos, shared by the insert and the replace dialog
  QString change_chr;        // ChangeChr, their text
  std::int16_t del_len = 0;  // DelLen
};

struct SpinnerStart {
  int minimum = 1;
  int maximum = 1;
  int value = 1;

  friend bool operator==(const SpinnerStart&, const SpinnerStart&) = default;
};

// Half the sample's length, a half going to the even neighbour.
int HalfLength(const QString& sample);

// A start column spinner: 1 to the sample's length; first the remembered
// column, or `fallback` while that is 0, brought into that range.
SpinnerStart StartColumnSpinner(const QString& sample, int remembered, int fallback);

// A length or width spinner: 1 to `maximum`; first the remembered value, or
// `fallback` while that is 0, brought into that range.
SpinnerStart LengthSpinner(int remembered, int fallback, int maximum);

// The sample from `column` on, at most `width` characters.
QString ColumnPreview(const QString& sample, int column, int width);

}  // namespace tovek
