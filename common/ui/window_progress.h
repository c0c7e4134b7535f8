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

  // Reading the clock costs more than a row of the fastest loops, so Yield
  // reads it only every so many calls: as many as take about this long,
  // and never more than kMaxCallsPerClock.
  static constexpr std::chrono::microseconds kClockSpacing{50};
  static constexpr int kMaxCallsPerClock = 64;

  // Gives the window a cancel button; Cancelled() says whether it was
  // pressed. Without this call the window has no button.
  void OfferCancel();
  bool Cancelled() const { return cancelled_; }

  // Closes the window early; the calls above then do nothing.
  void Close();
  // The window while it is open (brought up to date first), else null.
  ProgressWindow* Window();

 private:
  // A visible bar costs microseconds per new value even when nothing needs
  // painting, and a new range or value repaints it at once; over two
  // million QSOs or a few thousand logs that is seconds. The range, value
  // and labels are kept here and handed to the window when it gets a
  // chance to paint.
  void Flush();
  // Whether the interval is over; false without a look at the clock while
  // calls are still to be counted down.
  bool YieldDue() const;
  // Counts a call down; or, when the count is out, reads the clock (true)
  // and sets the next count from how long the calls since the last
  // reading took.
  bool CountCall();

  QPointer<ProgressWindow> window_;
  std::chrono::milliseconds yield_interval_;
  QElapsedTimer since_yield_;
  int calls_until_clock_ = 0;
  int calls_per_clock_ = 1;
  qint64 last_clock_ns_ = 0;
  qint64 maximum_ = 0;
  bool maximum_pending_ = false;
  qint64 value_ = 0;
  bool value_pending_ = false;
  QString labels_[2];
  bool label_pending_[2] = {false, false};
  bool cancelled_ = false;
};

}  // namespace tovek::ui
