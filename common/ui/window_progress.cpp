#include "common/ui/window_progress.h"

#include <QCoreApplication>
#include <algorithm>

namespace tovek::ui {

WindowProgress::WindowProgress(ProgressStyle style, QWidget* parent,
                               std::chrono::milliseconds yield_interval)
    : window_(new ProgressWindow(style, parent)), yield_interval_(yield_interval) {
  // Closed by the user halfway (Alt+F4), it goes away and the calls below
  // become no-ops; the operation itself runs on.
  window_->setAttribute(Qt::WA_DeleteOnClose);
  window_->show();
}

WindowProgress::~WindowProgress() { Close(); }

void WindowProgress::Close() {
  // The parent may have taken the window with it already; QPointer knows.
  delete window_.data();
  window_.clear();
}

void WindowProgress::OfferCancel() {
  if (!window_) return;
  window_->AddCancelButton();
  QObject::connect(window_, &ProgressWindow::CancelClicked, window_, [this] { cancelled_ = true; });
}

void WindowProgress::SetMaximum(qint64 maximum) {
  maximum_ = maximum;
  maximum_pending_ = true;
}

void WindowProgress::SetValue(qint64 value) {
  value_ = value;
  value_pending_ = true;
}

void WindowProgress::SetLabel(int label, const QString& text) {
  if (label < 0 || label > 1) return;
  labels_[label] = text;
  label_pending_[label] = true;
}

bool WindowProgress::YieldDue() const {
  if (!since_yield_.isValid()) return true;
  return calls_until_clock_ == 0 && since_yield_.elapsed() >= yield_interval_.count();
}

bool WindowProgress::LabelsWanted() { return window_ && YieldDue(); }

bool WindowProgress::CountCall() {
  if (calls_until_clock_ > 0) {
    --calls_until_clock_;
    return false;
  }
  const qint64 now = since_yield_.nsecsElapsed();
  const qint64 took = now - last_clock_ns_;
  last_clock_ns_ = now;
  constexpr qint64 kSpacingNs = std::chrono::nanoseconds(kClockSpacing).count();
  // Slower calls shrink the count at once; faster ones double it at most.
  const qint64 fit = took > 0 ? calls_per_clock_ * kSpacingNs / took : 2 * calls_per_clock_;
  calls_per_clock_ = static_cast<int>(
      std::clamp<qint64>(std::min<qint64>(fit, 2 * calls_per_clock_), 1, kMaxCallsPerClock));
  calls_until_clock_ = calls_per_clock_ - 1;
  return true;
}

void WindowProgress::Yield() {
  if (since_yield_.isValid()) {
    if (!CountCall()) return;
    if (last_clock_ns_ < std::chrono::nanoseconds(yield_interval_).count()) return;
  }
  Flush();
  QCoreApplication::processEvents();
  since_yield_.start();
  last_clock_ns_ = 0;
}

ProgressWindow* WindowProgress::Window() {
  Flush();
  return window_.data();
}

void WindowProgress::Flush() {
  if (!window_) return;
  if (maximum_pending_) window_->SetMaximum(maximum_);
  maximum_pending_ = false;
  if (value_pending_) window_->SetValue(value_);
  value_pending_ = false;
  for (int label = 0; label < 2; ++label) {
    if (label_pending_[label]) window_->SetLabel(label, labels_[label]);
    label_pending_[label] = false;
  }
}

}  // namespace tovek::ui
