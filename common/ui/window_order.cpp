#include "common/ui/window_order.h"

#include <QWidget>

namespace tovek::ui {

void SetStaysOnTop(QWidget* window, bool on) {
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
  const bool visible = window->isVisible();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (visible) window->show();
}

TopMostPause::TopMostPause(QWidget* window)
    : window_(window), was_on_top_(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
  if (was_on_top_) SetStaysOnTop(window_, false);
}

TopMostPause::~TopMostPause() {
  if (was_on_top_) SetStaysOnTop(window_, true);
}

}  // namespace tovek::ui
