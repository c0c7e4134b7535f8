#include "common/ui/window_progress.h"

#include <QCoreApplication>

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

void WindowProgress::SetMaximum(qint64 maximum) {
  if (!window_) return;
  window_->SetMaximum(maximum);
  Flush();
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
  return !since_yield_.isValid() || since_yield_.elapsed() >= yield_interval_.count();
}

bool WindowProgress::LabelsWanted() { return window_ && YieldDue(); }

void WindowProgress::Yield() {
  if (!YieldDue()) return;
  Flush();
  QCoreApplication::processEvents();
  since_yield_.start();
}

ProgressWindow* WindowProgress::Window() {
  Flush();
  return window_.data();
}

void WindowProgress::Flush() {
  if (!window_) return;
  if (value_pending_) window_->SetValue(value_);
  value_pending_ = false;
  for (int label = 0; label < 2; ++label) {
    if (label_pending_[label]) window_->SetLabel(label, labels_[label]);
    label_pending_[label] = false;
  }
}

}  // namespace tovek::ui
