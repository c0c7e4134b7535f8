#include "editor/ui/review/kavrel_review.h"

#include "common/ui/window_progress.h"
#include "editor/fault_rows.h"
#include "editor/ui/review/check_settings_dialog.h"
#include "editor/ui/review/data_check_window.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/summary_window.h"

namespace tovek::ui {

namespace {

// A window that has closed may wait a moment for its deletion: it is not
// open any more.
template <typename T>
T* IfOpen(const QPointer<T>& window) {
  return window && window->isVisible() ? window.data() : nullptr;
}

}  // namespace

KavrelReview::KavrelReview(ReviewHost host, QObject* parent) : QObject(parent), host_(host) {}

// The windows are the main window's children; they go with it.
KavrelReview::~KavrelReview() = default;

DataCheckWindow* KavrelReview::DataCheckWindowOpen() const { return IfOpen(data_check_); }
LayoutReaderWindow* KavrelReview::LayoutReaderOpen() const { return IfOpen(layout_reader_); }
SummaryWindow* KavrelReview::SummaryOpen() const { return IfOpen(summary_); }

void KavrelReview::ShowCheckSettings() {
  CheckSettingsDialog dialog(*host_.settings, *host_.boxes, host_.today, host_.main_window);
  dialog.exec();
}

void KavrelReview::OpenDataCheck() {
  if (checking_) return;
  if (DataCheckWindowOpen()) {
    data_check_->raise();
    data_check_->activateWindow();
    return;
  }
  data_check_ = new DataCheckWindow(*host_.rows, *host_.settings, host_.main_window);
  // Queued: the check runs once the window's click has been handled and the
  // window is gone.
  connect(data_check_, &DataCheckWindow::CheckRequested, this, &KavrelReview::DataCheck,
          Qt::QueuedConnection);
  data_check_->show();
}

void KavrelReview::CloseLogWindows() {
  if (DataCheckWindowOpen()) data_check_->close();
  if (LayoutReaderOpen()) layout_reader_->close();
  if (SummaryOpen()) summary_->close();
}

void KavrelReview::EnableWindows(bool on) {
  for (QWidget* window : {static_cast<QWidget*>(data_check_.data()),
                          static_cast<QWidget*>(layout_reader_.data()),
                          static_cast<QWidget*>(summary_.data())}) {
    if (window) window->setEnabled(on);
  }
}

void KavrelReview::DataCheck(const CheckColumns& columns) {
  if (checking_) return;
  checking_ = true;
  Q_EMIT CheckRunning(true);
  faults_.clear();
  Q_EMIT StatusText(1, QStringLiteral("データチェック中です"));
  Q_EMIT ListRepaint(false);
  {
    // The rows as they are now: while the check lets the window catch up,
    // an edit of the log cannot pull a row from under it.
    const LogLines rows = *host_.rows;
    WindowProgress progress(ProgressStyle::kBarOnly, host_.main_window);
    faults_ = tovek::DataCheck(rows, columns, host_.settings->start_date, host_.settings->limits,
                               *host_.prefixes, progress);
  }
  Q_EMIT ListRepaint(true);
  Q_EMIT StatusText(1, QStringLiteral("データチェックを終了しました"));
  checking_ = false;
  Q_EMIT CheckRunning(false);
  if (!faults_.isEmpty()) {
    Q_EMIT FaultsFound(faults_, FaultLineRow(faults_.first()));
    return;
  }
  OpenLayoutReader();
}

void KavrelReview::OpenLayoutReader() {
  if (checking_) return;
  if (LayoutReaderOpen()) {
    layout_reader_->raise();
    layout_reader_->activateWindow();
    return;
  }
  layout_reader_ = new LayoutReaderWindow(*host_.rows, *host_.settings, *host_.prefixes,
                                          *host_.entities, *host_.boxes, host_.main_window);
  connect(layout_reader_, &LayoutReaderWindow::ReadingDone, this, &KavrelReview::OpenSummary);
  layout_reader_->show();
}

void KavrelReview::OpenSummary(const LogSummary& summary, const QsoList& records) {
  // A new reading replaces what an earlier summary view still shows.
  if (SummaryOpen()) summary_->close();
  summary_ = new SummaryWindow(
      {host_.settings, host_.folders, host_.current_log_path, host_.error_report, host_.boxes},
      host_.main_window);
  connect(summary_, &SummaryWindow::LogSaved, this, &KavrelReview::LogSaved);
  summary_->show();
  summary_->SetStatusPath(*host_.current_log_path);
  summary_->SetSummary(summary);
  summary_->SetRecords(records);
  summary_->FrmLogLoad();
}

}  // namespace tovek::ui
