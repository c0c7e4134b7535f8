// Window placements and column widths are stored in twips, 1/1440 inch, so
// that they mean the same size on screens of any resolution.
#pragma once

#include <QWidget>
#include <cmath>

namespace tovek::ui {

inline constexpr double kTwipsPerInch = 1440.0;

inline double LogicalDpi(const QWidget* widget) {
  const int dpi = widget ? widget->logicalDpiX() : 96;
  return dpi > 0 ? dpi : 96;
}

inline int TwipsToPixels(double twips, const QWidget* widget) {
  return static_cast<int>(std::lround(twips * LogicalDpi(widget) / kTwipsPerInch));
}

inline double PixelsToTwips(int pixels, const QWidget* widget) {
  return std::round(pixels * kTwipsPerInch / LogicalDpi(widget));
}

}  // namespace tovek::ui
