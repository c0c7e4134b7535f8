#include "editor/column_edits.h"

#include <algorithm>

#include "common/legacy_numbers.h"
#include "editor/row_columns.h"
#include "editor/row_visits.h"

namespace tovek {

using internal::BeforeColumn;
using internal::FromColumn;

namespace {

const QString kQsoTagWithBlank = QStringLiteral("QSO: ");

int AtLeastOne(int column) { return std::max(column, 1); }

}  // namespace

void InputText(LogLines& rows, UndoLines& undo, int column, const QString& text,
               Progress& progress) {
  column = AtLeastOne(column);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    if (IsQsoRow(row)) row = BeforeColumn(row, column) + text + FromColumn(row, column);
  });
}

void ChangeText(LogLines& rows, UndoLines& undo, int column, const QString& text,
                Progress& progress) {
  column = AtLeastOne(column);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    if (IsQsoRow(row)) {
      row = BeforeColumn(row, column) + text + FromColumn(row, column + text.size());
    }
  });
}

void DataDel(LogLines& rows, UndoLines& undo, int column, int length, Progress& progress) {
  column = AtLeastOne(column);
  length = std::max(length, 0);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    if (row.contains(kQsoTagWithBlank)) {
      row = BeforeColumn(row, column) + FromColumn(row, column + length);
    }
  });
}

std::optional<QString> FirstQsoRow(const LogLines& rows) {
  const auto found =
      std::find_if(rows.begin(), rows.end(), [](const QString& row) { return IsQsoRow(row); });
  if (found == rows.end()) return std::nullopt;
  return *found;
}

int HalfLength(const QString& sample) {
  return static_cast<int>(RoundHalfEven(static_cast<double>(sample.size()) / 2));
}

SpinnerStart StartColumnSpinner(const QString& sample, int remembered, int fallback) {
  const int maximum =
      std::max(static_cast<int>(std::min<qsizetype>(sample.size(), kMaxCount16)), 1);
  const int first = remembered != 0 ? remembered : fallback;
  return {1, maximum, std::clamp(first, 1, maximum)};
}

SpinnerStart LengthSpinner(int remembered, int fallback, int maximum) {
  const int first = remembered != 0 ? remembered : fallback;
  return {1, maximum, std::clamp(first, 1, maximum)};
}

QString ColumnPreview(const QString& sample, int column, int width) {
  return FromColumn(sample, AtLeastOne(column), width);
}

}  // namespace tovek
