// Where a window opens when its settings hold a placement. A placement saved
// with another screen arrangement (a second monitor unplugged, a smaller
// laptop screen) may lie off every screen: the window would open where no
// one can reach it, so it opens on the primary screen instead.
#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace tovek::ui {

// The rectangle to open a window at, from its saved rectangle (client area
// position and size) and the available areas of the screens, the primary
// screen first. The saved rectangle stands when the strip along its top edge
// (where the title bar is grabbed) lies on one screen over its full height
// and for a good length; a window larger than that screen is shrunk to it.
// Otherwise the window keeps its size, shrunk to the primary screen, and is
// centred on it. Either way the client area starts low enough below the
// screen's top edge to leave room for a title bar above it (shrunk by as
// much where it would reach below the screen). With no screens the saved
// rectangle stands.
QRect VisiblePlacement(const QRect& saved, const QList<QRect>& screens);

// A window's placement is kept as its client area, the rectangle inside the
// window manager's frame (QWidget::geometry()), and set again as that same
// rectangle: a frame position (x(), y()) saved and set again as a client
// position moved a framed window up by its title bar on every open.
//
// Sets a top-level window's client area to the visible placement of `saved`
// on the screens present.
void PlaceWindow(QWidget& window, const QRect& saved);
// The same for a window whose size is its layout's: only the client area's
// top left corner was saved.
void PlaceWindowAt(QWidget& window, const QPoint& saved_top_left);

}  // namespace tovek::ui
