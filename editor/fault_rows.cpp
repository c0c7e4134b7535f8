#include "editor/fault_rows.h"

#include <algorithm>
#include <functional>

#include "common/legacy_numbers.h"

namespace tovek {

int FaultLineRow(const QString& line) {
  // The index stands right-aligned in five columns; one of six digits or
  // more (a log beyond 99,999 rows) pushes the fault's name to the right, so
  // the digits are read to their end, not cut after the fifth column.
  qsizetype end = 0;
  while (end < line.size() && line[end] == u' ') ++end;
  while (end < line.size() && line[end] >= u'0' && line[end] <= u'9') ++end;
  const std::optional<double> number = ParseDecimal(line.left(std::max<qsizetype>(end, 5)));
  if (!number) return -1;
  const std::optional<std::int32_t> row = ToInt32(*number);
  return row ? *row : -1;
}

QList<int> RowsToDelete(const QStringList& fault_lines, qsizetype row_count) {
  QList<int> rows;
  for (const QString& line : fault_lines) {
    const int row = FaultLineRow(line);
    if (row > 0 && row < row_count) rows.append(row);
  }
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void RemoveRows(LogLines& rows, const QList<int>& removal_order) {
  for (const int row : removal_order) rows.removeAt(row);
}

}  // namespace tovek
