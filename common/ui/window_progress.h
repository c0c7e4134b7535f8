// The windows' Progress: opens a progress window for one operation, drives
// it, and closes it when the operation is done (or when this goes away).
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <chrono>

#include "common/progress.h"
#include "common/ui/progress_window.h"

namespace tovek::ui {

class WindowProgress final : public Progress {
 public:
  // Long loops call Yield once per row or QSO; letting the interface catch up
  // at most this often keeps the window live without slowing the loop down.
  static constexpr std::chrono::milliseconds kYieldInterval{30};

  // Shows a new progress window (centred on `parent` when given).
  explicit WindowProgress(ProgressStyle style, QWidget* parent = nullptr,
                          std::chrono::milliseconds yield_interval = kYieldInterval);
  ~WindowProgress() override;
  WindowProgress(const WindowProgress&) = delete;
  WindowProgress& operator=(const WindowProgress&) = delete;

  void SetMaximum(qint64 maximum) override;
  void SetValue(qint64 value) override;
  void SetLabel(int label, const QString& text) override;
  // True when the next Yield will bring the window up to date.
  bool LabelsWanted() override;
  // When the last time is at least the interval ago (the first call always
  // is): brings the window up to date and processes pending events.
  void Yield() override;

  // Closes the window early; the calls above then do nothing.
  void Close();
  // The window while it is open (brought up to date first), else null.
  ProgressWindow* Window();

 private:
  // A visible bar costs microseconds per new value even when nothing needs
  // painting; over two million QSOs that is seconds. Values and labels are
  // kept here and handed to the window when it gets a chance to paint.
  void Flush();
  bool YieldDue() const;

  QPointer<ProgressWindow> window_;
  std::chrono::milliseconds yield_interval_;
  QElapsedTimer since_yield_;
  qint64 value_ = 0;
  bool value_pending_ = false;
  QString labels_[2];
  bool label_pending_[2] = {false, false};
};

}  // namespace tovek::ui
