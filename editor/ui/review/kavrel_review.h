// The road of a log from the data check to the saved Cabrillo file, as the
// main window starts it: the check settings dialog, the data check window
// and its run, the field layout reader and the summary view.
//
// The main window owns one KavrelReview and wires it:
//  - "ﾃﾞｰﾀﾁｪｯｸ" (toolbar 12), the end of every load (after the length pass)
//    and the string edit window's DataCheckRequested: OpenDataCheck();
//  - "Kavrel" (toolbar 1): OpenLayoutReader();
//  - mnuChkSet: ShowCheckSettings();
//  - StatusText: its status panel `panel` (1-based) shows `text`;
//  - ListRepaint: log_list->setUpdatesEnabled(on);
//  - FaultsFound: selects row `first_row` in the log list, sets
//    EditWindowMode to check mode and opens the string edit window in check
//    mode with `faults`;
//  - LogSaved: DataCls (which also empties the error report list), empties
//    its status panel 3 and gives "開 く" the focus.
#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>

#include "common/prefix_table.h"
#include "editor/cabrillo_writer.h"
#include "editor/data_check.h"
#include "editor/kavrel_settings.h"
#include "editor/log_folders.h"
#include "editor/log_lines.h"

class QWidget;

namespace tovek::ui {

class DataCheckWindow;
class LayoutReaderWindow;
class MessageBoxes;
class SummaryWindow;

// The main window's state the review works with; everything must outlive
// the KavrelReview.
struct ReviewHost {
  QWidget* main_window = nullptr;
  const LogLines* rows = nullptr;
  KavrelSettings* settings = nullptr;
  const PrefixTable* prefixes = nullptr;
  const EntityList* entities = nullptr;
  const LogFolders* folders = nullptr;
  QString* current_log_path = nullptr;
  const ErrorReportList* error_report = nullptr;
  MessageBoxes* boxes = nullptr;
  QDate today = QDate::currentDate();
};

class KavrelReview final : public QObject {
  Q_OBJECT

 public:
  explicit KavrelReview(ReviewHost host, QObject* parent = nullptr);
  ~KavrelReview() override;

  // mnuChkSet: the check settings dialog, modal.
  void ShowCheckSettings();
  // The data check window, or the one already open brought forward.
  void OpenDataCheck();
  // Closes the data check, the field layout reader and the summary view when
  // the log they were opened on is read again, replaced or cleared: each
  // shows and acts on that log's rows (the summary on its file), and left
  // open it would write one log's header over the next log's QSOs or move
  // the wrong file.
  void CloseLogWindows();
  // Enables or disables the open windows: off while a read or a command
  // walks the rows.
  void EnableWindows(bool on);
  // `DataCheck`: checks the rows as they are now and hands the faults on, or
  // opens the field layout reader when there are none.
  void DataCheck(const CheckColumns& columns);
  // The field layout reader, or the one already open brought forward.
  void OpenLayoutReader();

  // The windows while they are open, else null.
  DataCheckWindow* DataCheckWindowOpen() const;
  LayoutReaderWindow* LayoutReaderOpen() const;
  SummaryWindow* SummaryOpen() const;
  // The faults of the last check.
  const QStringList& Faults() const { return faults_; }

 Q_SIGNALS:
  void StatusText(int panel, const QString& text);
  void ListRepaint(bool on);
  // A data check starts (true) or has ended (false): the log must not
  // change under it, or its faults would be shown on another log.
  void CheckRunning(bool running);
  void FaultsFound(const QStringList& faults, int first_row);
  void LogSaved();

 private:
  void OpenSummary(const LogSummary& summary, const QsoList& records);

  ReviewHost host_;
  QPointer<DataCheckWindow> data_check_;
  QPointer<LayoutReaderWindow> layout_reader_;
  QPointer<SummaryWindow> summary_;
  QStringList faults_;
  bool checking_ = false;
};

}  // namespace tovek::ui
