#include "common/ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tovek::ui {
namespace {

// The part of the top edge that must be on a screen: enough to grab the
// title bar and see which window it is.
constexpr int kGripHeight = 24;
constexpr int kGripLength = 80;

bool GripOn(const QRect& window, const QRect& screen) {
  const QRect strip(window.left(), window.top(), window.width(),
                    std::min(kGripHeight, window.height()));
  const QRect on_screen = strip.intersected(screen);
  return on_screen.height() == strip.height() &&
         on_screen.width() >= std::min(kGripLength, strip.width());
}

// Room kept above a client area for the window manager's title bar. A
// client area at a screen's top edge (0, 0 is also the placement of a
// window never moved before) opened with its title bar above the screen,
// where nobody can grab it.
constexpr int kTitleBarRoom = 24;

QRect BelowTitleBarRoom(QRect placed, const QRect& screen) {
  const int lowest_top = screen.top() + kTitleBarRoom;
  if (placed.top() >= lowest_top) return placed;
  placed.moveTop(lowest_top);
  if (placed.bottom() > screen.bottom()) placed.setBottom(screen.bottom());
  return placed;
}

}  // namespace

QRect VisiblePlacement(const QRect& saved, const QList<QRect>& screens) {
  if (screens.isEmpty()) return saved;
  for (const QRect& screen : screens) {
    if (GripOn(saved, screen)) {
      return BelowTitleBarRoom(QRect(saved.topLeft(), saved.size().boundedTo(screen.size())),
                               screen);
    }
  }
  const QRect& primary = screens.first();
  QRect centred(QPoint(0, 0), saved.size().boundedTo(primary.size()));
  centred.moveCenter(primary.center());
  return BelowTitleBarRoom(centred, primary);
}

void PlaceWindow(QWidget& window, const QRect& saved) {
  QList<QRect> screens;
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    screens.append(primary->availableGeometry());
  }
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.append(screen->availableGeometry());
  }
  // setGeometry places the client area whether or not the window manager
  // has framed the window yet; move() before the frame is known placed the
  // client area where the frame was meant to go.
  window.setGeometry(VisiblePlacement(saved, screens));
}

void PlaceWindowAt(QWidget& window, const QPoint& saved_top_left) {
  // A window not yet shown takes its layout's size first, as showing it
  // would have done.
  if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) window.adjustSize();
  PlaceWindow(window, QRect(saved_top_left, window.size()));
}

}  // namespace tovek::ui
