#include "editor/ui/review/sample_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

#include "common/ui/data_font.h"
#include "common/ui/twips.h"

namespace tovek::ui {

SampleGrid::SampleGrid(QWidget* parent) : QTableWidget(1, 0, parent) {
  setObjectName(QStringLiteral("Grid1"));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setMinimumSectionSize(4);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setWordWrap(false);
  // Column numbers of two or three digits fit a column one character wide.
  QFont numbers = horizontalHeader()->font();
  numbers.setPointSizeF(numbers.pointSizeF() * 0.7);
  horizontalHeader()->setFont(numbers);
}

int SampleGrid::ColumnWidth() const { return TwipsToPixels(kColumnTwips, this); }

void SampleGrid::SetRow(const QString& row) {
  clearContents();
  setColumnCount(static_cast<int>(row.size()));
  QStringList numbers;
  for (int column = 0; column < row.size(); ++column) {
    numbers.append(QString::number(column + 1));
    auto* item = new QTableWidgetItem(QString(row[column]));
    item->setTextAlignment(Qt::AlignCenter);
    setItem(0, column, item);
    setColumnWidth(column, ColumnWidth());
  }
  setHorizontalHeaderLabels(numbers);
  resizeRowsToContents();
  const int height = horizontalHeader()->height() + rowHeight(0) +
                     horizontalScrollBar()->sizeHint().height() + 2 * frameWidth();
  setFixedHeight(height);
}

void SampleGrid::Colour(const std::vector<FieldSpan>& fields, const std::vector<QColor>& colours) {
  setUpdatesEnabled(false);
  const std::vector<int> owners = ColumnFields(fields, columnCount());
  for (int column = 0; column < columnCount(); ++column) {
    const int owner = owners[static_cast<size_t>(column)];
    if (QTableWidgetItem* cell = item(0, column)) {
      cell->setBackground(owner < 0 ? palette().window()
                                    : QBrush(colours.at(static_cast<size_t>(owner))));
    }
  }
  setUpdatesEnabled(true);
}

void SampleGrid::ScrollToColumn(int column) {
  first_column_ = column;
  if (isVisible()) ApplyFirstColumn();
}

void SampleGrid::showEvent(QShowEvent* event) {
  QTableWidget::showEvent(event);
  // The scroll range is known once the grid has its width.
  QTimer::singleShot(0, this, &SampleGrid::ApplyFirstColumn);
}

void SampleGrid::updateGeometries() {
  QScrollBar* bar = horizontalScrollBar();
  const int first = bar->value();
  QTableWidget::updateGeometries();
  // The table's own range ends where the last column reaches the right
  // edge (and pulls the first column back to that): column 50 of a
  // 75-character row could not come first in a grid wider than 25 columns.
  // The room after the row stays empty.
  if (columnCount() > 0 && bar->maximum() < columnCount() - 1) {
    bar->setMaximum(columnCount() - 1);
    bar->setValue(first);
  }
}

void SampleGrid::ApplyFirstColumn() {
  if (first_column_ < 0 || first_column_ >= columnCount()) return;
  // Scrolling per column: the scroll bar's value is the first column shown.
  horizontalScrollBar()->setValue(first_column_);
}

QColor SampleGrid::ColumnColour(int column) const {
  const QTableWidgetItem* cell = item(0, column);
  return cell ? cell->background().color() : QColor();
}

QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  return button;
}

QLabel* SunkenLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QFont ListFontWithoutSize(const QString& name, bool bold, bool italic) {
  QFont font(InstalledDataFontFamily(name));
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace tovek::ui
