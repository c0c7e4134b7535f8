#include "calculator/ui/results_grid.h"

#include <QHeaderView>

#include "calculator/result_table.h"
#include "common/ui/twips.h"

namespace tovek::ui {
namespace {

struct ColumnSpec {
  const char* caption;
  Qt::Alignment alignment;
  int default_twips;  // 0: the grid's own default width
};

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

constexpr ColumnSpec kColumns[kGridColumns] = {
    {"No", kRight, 795},      {"ｺｰﾙｻｲﾝ", kLeft, 1485},  {"部門", kLeft, 1485},
    {"申請ｽｺｱ", kRight, 795}, {"計算ｽｺｱ", kRight, 795}, {"総局数", kRight, 610},
    {"有効数", kRight, 610},  {"重複数", kRight, 795},  {"得点", kRight, 795},
    {"ﾏﾙﾁ1", kRight, 795},    {"ﾏﾙﾁ2", kRight, 795},    {"総ﾏﾙﾁ", kRight, 1140},
    {"大陸", kCentre, 1140},  {"ｴﾝﾃｨﾃｨ", kCentre, 0},   {"名前", kLeft, 0},
    {"ｵﾍﾟﾚｰﾀｰ", kLeft, 0},    {"ｸﾗﾌﾞ名", kLeft, 0},     {"住所", kLeft, 0},
    {"作成ｿﾌﾄ", kLeft, 0},    {"意見,感想", kLeft, 0},
};
// Header cells of the first 14 columns are centred, the rest left-aligned.
constexpr int kCentredHeaders = 14;

}  // namespace

ResultsGrid::ResultsGrid(QWidget* parent) : QTableWidget(parent) {
  setObjectName(QStringLiteral("Grid1"));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
}

void ResultsGrid::FrmSet() {
  setColumnCount(kGridColumns);
  for (int column = 0; column < kGridColumns; ++column) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[column].caption));
    header->setTextAlignment(column < kCentredHeaders ? kCentre : kLeft);
    setHorizontalHeaderItem(column, header);
    if (kColumns[column].default_twips > 0) {
      SetColumnWidthTwips(column, kColumns[column].default_twips);
    }
  }
  Reset();
}

void ResultsGrid::Reset() {
  clearSelection();
  setCurrentCell(-1, -1);
  setRowCount(0);
  setRowCount(1);
}

void ResultsGrid::SetRow(int row, const QStringList& cells) {
  for (int column = 0; column < kGridColumns; ++column) {
    auto* item = new QTableWidgetItem(cells.value(column));
    item->setTextAlignment(kColumns[column].alignment);
    setItem(row, column, item);
  }
}

void ResultsGrid::AppendRow(const QStringList& cells, bool first_result) {
  const int row = rowCount();
  insertRow(row);
  SetRow(row, cells);
  if (first_result) removeRow(0);
}

void ResultsGrid::SetNumberedRows(const QList<QStringList>& rows) {
  setRowCount(0);
  if (rows.isEmpty()) {
    setRowCount(1);
    return;
  }
  setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < rows.size(); ++row) {
    QStringList cells = rows[row];
    cells[0] = QString::number(row + 1);
    SetRow(row, cells);
  }
}

QStringList ResultsGrid::RowCells(int row) const {
  QStringList cells;
  for (int column = 0; column < kGridColumns; ++column) {
    const QTableWidgetItem* cell = item(row, column);
    cells.append(cell ? cell->text() : QString());
  }
  return cells;
}

double ResultsGrid::ColumnWidthTwips(int column) const {
  return isColumnHidden(column) ? 0 : PixelsToTwips(columnWidth(column), this);
}

// A width of 0 hides the column (the header would keep a minimum width).
void ResultsGrid::SetColumnWidthTwips(int column, double twips) {
  const int pixels = TwipsToPixels(twips, this);
  setColumnHidden(column, pixels <= 0);
  if (pixels > 0) setColumnWidth(column, pixels);
}

}  // namespace tovek::ui
