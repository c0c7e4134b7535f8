#include "common/ui/window_order.h"

#include <QWidget>
#include <QWindow>

namespace tovek::ui {

void SetStaysOnTop(QWidget* window, bool on) {
  const Qt::WindowFlags flags = window->windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) == on) return;
  QWindow* shown = window->isVisible() ? window->windowHandle() : nullptr;
  if (!shown) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    return;
  }
  // A shown window changes the hint in place. QWidget::setWindowFlags hides
  // and re-creates it: that ended a modal dialog's exec() as if cancelled,
  // and had the window manager place the window anew.
  const Qt::WindowFlags changed =
      on ? flags | Qt::WindowStaysOnTopHint : flags & ~Qt::WindowStaysOnTopHint;
  window->overrideWindowFlags(changed);
  shown->setFlags(changed);
}

TopMostPause::TopMostPause(QWidget* window)
    : window_(window), was_on_top_(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
  if (was_on_top_) SetStaysOnTop(window_, false);
}

TopMostPause::~TopMostPause() {
  if (was_on_top_) SetStaysOnTop(window_, true);
}

}  // namespace tovek::ui
