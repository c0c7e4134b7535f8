// Fields placed on a sample row: what each one shows of the row, and which
// field each character column belongs to. The data check window and the
// field layout reader colour their sample rows with this.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace tovek {

struct FieldSpan {
  int start = 1;  // 1-based column
  int width = 0;

  friend bool operator==(const FieldSpan&, const FieldSpan&) = default;
};

// The field's characters of the row (fewer where the row ends earlier,
// none beyond it), trailing blanks removed.
QString FieldPreview(const QString& row, const FieldSpan& field);

// For each of the first `columns` character columns (0-based), the index of
// the first field, in field order, that covers it; -1 where none does.
std::vector<int> ColumnFields(const std::vector<FieldSpan>& fields, int columns);

// A start column moved left or right: never below column 1, and never past
// what a 16-bit column can hold.
std::int16_t MovedStart(int start, int delta);

}  // namespace tovek
