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
  if (window_) window_->SetMaximum(maximum);
}

void WindowProgress::SetValue(qint64 value) {
  if (window_) window_->SetValue(value);
}

void WindowProgress::SetLabel(int label, const QString& text) {
  if (window_) window_->SetLabel(label, text);
}

void WindowProgress::Yield() {
  if (since_yield_.isValid() && since_yield_.elapsed() < yield_interval_.count()) return;
  QCoreApplication::processEvents();
  since_yield_.start();
}

}  // namespace tovek::ui
