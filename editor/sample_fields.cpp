#include "editor/sample_fields.h"

#include <algorithm>

namespace tovek {

QString FieldPreview(const QString& row, const FieldSpan& field) {
  if (field.start < 1 || field.width <= 0 || field.start > row.size()) return {};
  QString text = row.mid(field.start - 1, field.width);
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == u' ') --end;
  text.truncate(end);
  return text;
}

std::vector<int> ColumnFields(const std::vector<FieldSpan>& fields, int columns) {
  std::vector<int> owner(static_cast<size_t>(std::max(columns, 0)), -1);
  for (int column = 0; column < columns; ++column) {
    for (size_t i = 0; i < fields.size(); ++i) {
      const int first = fields[i].start - 1;
      const int last = fields[i].start + fields[i].width - 2;
      if (column >= first && column <= last) {
        owner[static_cast<size_t>(column)] = static_cast<int>(i);
        break;
      }
    }
  }
  return owner;
}

std::int16_t MovedStart(int start, int delta) {
  return static_cast<std::int16_t>(std::clamp(start + delta, 1, 32767));
}

}  // namespace tovek
