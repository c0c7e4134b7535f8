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
  // Processes pending events when the last time is at least the interval ago
  // (the first call always does).
  void Yield() override;

  // Closes the window early; the calls above then do nothing.
  void Close();
  // The window while it is open, else null.
  ProgressWindow* Window() const { return window_.data(); }

 private:
  QPointer<ProgressWindow> window_;
  std::chrono::milliseconds yield_interval_;
  QElapsedTimer since_yield_;
};

}  // namespace tovek::ui
