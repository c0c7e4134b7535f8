#include "editor/repair_commands.h"

#include <algorithm>

#include "editor/row_columns.h"
#include "editor/row_visits.h"

namespace tovek {

using internal::BeforeColumn;
using internal::FindFromColumn;
using internal::FromColumn;
using internal::TrimBlanks;
using internal::TrimLeadingBlanks;

namespace {

const QString kQsoTag = QStringLiteral("QSO:");
const QString kQsoTagWithBlank = QStringLiteral("QSO: ");
constexpr int kTimeWidth = 4;
constexpr int kBandWidth = 5;
constexpr int kWidestSlot = 15;

int AtLeastOne(int column) { return std::max(column, 1); }

}  // namespace

void TwinEdit(LogLines& rows, UndoLines& undo, Progress& progress) {
  undo.Save(rows, progress);
  internal::VisitSplitting(rows, progress, [](const QString& row) -> internal::RowSplit {
    const qsizetype cut = FindFromColumn(row, kQsoTag, 5);
    if (cut <= 5) return std::nullopt;
    return std::pair{TrimBlanks(BeforeColumn(row, cut)), TrimBlanks(FromColumn(row, cut))};
  });
}

void DblDel(LogLines& rows, UndoLines& undo, Progress& progress) {
  undo.Save(rows, progress);
  internal::VisitJoining(
      rows, progress, [](const QString& row, const QString& following) -> std::optional<QString> {
        if (!IsQsoRow(row) || following.isEmpty() || following.startsWith(kQsoTag)) {
          return std::nullopt;
        }
        return row.chopped(1) + u' ' + following;
      });
}

void ColonDel(LogLines& rows, UndoLines& undo, Progress& progress) {
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [](QString& row) {
    if (!IsQsoRow(row)) return;
    const qsizetype colon = FindFromColumn(row, u":", 5);
    if (colon > 5) row.remove(colon - 1, 1);
  });
}

void Time4Col(LogLines& rows, UndoLines& undo, int column, Progress& progress) {
  column = AtLeastOne(column);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    // A row that ends before the column holds no time: zeros glued to its
    // end would change what its last field reads.
    if (!IsQsoRow(row) || row.size() < column) return;
    const QString time = TrimBlanks(FromColumn(row, column, kTimeWidth));
    row = BeforeColumn(row, column) + (QString(kTimeWidth, u'0') + time).right(kTimeWidth) +
          FromColumn(row, column + kTimeWidth);
  });
}

void BandRight(LogLines& rows, UndoLines& undo, int column, Progress& progress) {
  column = AtLeastOne(column);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    if (!IsQsoRow(row)) return;
    const QString band = TrimBlanks(FromColumn(row, column, kBandWidth));
    QString rest = FromColumn(row, column + kBandWidth);
    if (!rest.startsWith(u' ')) rest.prepend(u' ');
    row = BeforeColumn(row, column) + (QString(kBandWidth, u' ') + band).right(kBandWidth) + rest;
  });
}

void DataCalSet(LogLines& rows, UndoLines& undo, int column, int width, Progress& progress) {
  column = AtLeastOne(column);
  width = std::clamp(width, 0, kWidestSlot);
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [&](QString& row) {
    if (!row.contains(kQsoTagWithBlank) || row.size() < column) return;
    const QString tail = FromColumn(row, column);
    qsizetype blank = tail.indexOf(u' ');
    if (blank < 0) blank = tail.size();
    const QString field = tail.left(blank);
    const QString rest = TrimLeadingBlanks(tail.mid(blank));
    row = BeforeColumn(row, column) + (field + QString(kWidestSlot, u' ')).left(width) + rest;
  });
}

}  // namespace tovek
