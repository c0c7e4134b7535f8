// The results grid (Grid1): one row per log, 20 columns, a fixed header row,
// and always at least one row below it (an empty placeholder when there are
// no results).
#pragma once

#include <QStringList>
#include <QTableWidget>

namespace tovek::ui {

class ResultsGrid final : public QTableWidget {
  Q_OBJECT

 public:
  explicit ResultsGrid(QWidget* parent = nullptr);

  // Captions, alignments and the default column widths.
  void FrmSet();
  // Only the empty placeholder row below the header.
  void Reset();
  // Appends a row of cells; the first row of results takes the placeholder's
  // place.
  void AppendRow(const QStringList& cells, bool first_result);
  // Replaces all rows by these, numbered 1, 2, 3 ... in column 0.
  void SetNumberedRows(const QList<QStringList>& rows);
  QStringList RowCells(int row) const;

  double ColumnWidthTwips(int column) const;
  void SetColumnWidthTwips(int column, double twips);

 private:
  void SetRow(int row, const QStringList& cells);
};

}  // namespace tovek::ui
