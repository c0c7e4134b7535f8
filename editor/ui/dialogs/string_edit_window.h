// frmTxtEdit, "文字列の編集/削除": edits the rows of the log one at a time,
// with the rows before and after in view. In check mode it also lists the
// data check's faults and can delete all the rows they name.
//
// It writes into the log's rows directly and tells its host through
// signals; it never touches the main window. The host:
//  - selects the row of CurrentRowChanged in the log list,
//  - repaints the row of RowEdited, and the list after RowsDeleted,
//  - replaces its error report lines by FaultLinesKept,
//  - on Closed sets its EditWindowMode back to closed and enables mnuFile,
//    mnuEdit and mnuHelp again (the window deletes itself after closing),
//  - on DataCheckRequested opens the data check window.
#pragma once

#include <QFont>
#include <QList>
#include <QStringList>
#include <QWidget>

#include "editor/log_lines.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollBar;

namespace tovek::ui {

class MessageBoxes;

enum class EditWindowMode { kClosed, kList, kCheck };

// Controls, by objectName: "txtBefore", "txtCurrent", "txtAfter" the row
// boxes, "VScroll1" the scroll bar over the rows, "cmdClose" ("終　了"),
// "cmdDelete" ("削　除"), "cmdLogCheck" ("ﾛｸﾞﾁｪｯｸ"), "lstFaults".
class StringEditWindow final : public QWidget {
  Q_OBJECT

 public:
  // Opens on `current_row` of `rows` (the row selected in the log list),
  // which must outlive the window. `fault_lines` are the data check's, in
  // check mode. `main_window` places the window: at its left edge, 1000
  // twips below its top, as wide as it.
  StringEditWindow(LogLines& rows, EditWindowMode mode, int current_row, const QFont& font,
                   MessageBoxes& boxes, QWidget* main_window = nullptr,
                   const QStringList& fault_lines = {});

  EditWindowMode Mode() const { return mode_; }
  int CurrentRow() const;
  QStringList FaultLines() const;

 public Q_SLOTS:
  // A click on the log list in list mode.
  void SetCurrentRow(int row);

 Q_SIGNALS:
  void CurrentRowChanged(int row);
  void RowEdited(int row);
  // The rows removed, in the order removed (the last row first).
  void RowsDeleted(const QList<int>& removal_order);
  // The fault lines to keep for the error report.
  void FaultLinesKept(const QStringList& lines);
  void Closed();
  void DataCheckRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls(const QFont& font);
  void PlaceBelow(const QWidget* main_window);
  void ShowRow(int row);
  void WriteRow(const QString& text);
  bool CurrentRowKey(QKeyEvent* event);
  void FaultClicked(QListWidgetItem* item);
  void DeleteListedRows();
  void RunLogCheck();

  LogLines& rows_;
  const EditWindowMode mode_;
  MessageBoxes& boxes_;
  QLineEdit* before_ = nullptr;
  QLineEdit* current_ = nullptr;
  QLineEdit* after_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* log_check_ = nullptr;
  QListWidget* faults_ = nullptr;
  bool filling_ = false;
  bool closed_ = false;
};

}  // namespace tovek::ui
