// The data check's fault lines as the string edit window uses them: each
// names the row it is about in its first five characters.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "editor/log_lines.h"

namespace tovek {

// The row index a fault line names, or -1 when its first five characters
// hold no whole number. An index of more than five digits is read whole.
int FaultLineRow(const QString& line);

// The rows that deleting the listed faults removes, in removal order (the
// last row first, so that the earlier indices stay valid). Every row named
// by a line goes once, whatever order and repeats the lines come in; rows
// the log does not have are passed over. Row 0 is never deleted: it is where
// the log's header begins.
QList<int> RowsToDelete(const QStringList& fault_lines, qsizetype row_count);

// Removes the rows, given in removal order.
void RemoveRows(LogLines& rows, const QList<int>& removal_order);

}  // namespace tovek
