// The sample row of a log shown one character per grid column, coloured by
// the fields placed on it. The data check window and the field layout
// reader place their fields on it.
#pragma once

#include <QColor>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <vector>

#include "editor/sample_fields.h"

namespace tovek::ui {

class SampleGrid final : public QTableWidget {
  Q_OBJECT

 public:
  // Every grid column is this wide, whatever the font.
  static constexpr double kColumnTwips = 210;

  explicit SampleGrid(QWidget* parent = nullptr);

  // Shows `row`, character k in grid column k - 1, numbered 1, 2, 3 ...
  void SetRow(const QString& row);
  // Colours each grid column by the first field covering it, from
  // `colours` (one per field); other columns take the window's background.
  // The grid is not redrawn while the colours are set.
  void Colour(const std::vector<FieldSpan>& fields, const std::vector<QColor>& colours);
  // Scrolls so that `column` (0-based) is the first one visible, as far as
  // the row reaches; a grid not shown yet scrolls when it is shown.
  void ScrollToColumn(int column);
  // The colour grid column `column` shows.
  QColor ColumnColour(int column) const;

 protected:
  void showEvent(QShowEvent* event) override;
  // Lets every column of the row be the first one shown.
  void updateGeometries() override;

 private:
  int ColumnWidth() const;
  void ApplyFirstColumn();

  int first_column_ = 0;
};

// The controls beside the grid that place a field: an arrow button that
// repeats while held, and a sunken label for a column number or a preview.
QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent);
QLabel* SunkenLabel(const QString& name, QWidget* parent);

// A font from the list font settings, in the default size: the check and
// layout windows take the family and style of the log list, not its size.
QFont ListFontWithoutSize(const QString& name, bool bold, bool italic);

}  // namespace tovek::ui
