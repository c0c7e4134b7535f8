#include "common/ui/font_filter.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace tovek::ui {
namespace {

// Large enough that a proportional font's "M" and "I" cannot round to the
// same number of pixels.
constexpr int kMeasurePixels = 48;

}  // namespace

bool PassesFixedPitchTest(const FontMeasure& measure) {
  if (measure.width_m != measure.width_i || measure.symbol) return false;
  if (!measure.requested.isEmpty() &&
      measure.requested.compare(measure.name_in_effect, Qt::CaseInsensitive) != 0) {
    return false;
  }
  const QString& name = measure.name_in_effect;
  return !(name.startsWith(u'@') || name.startsWith(u'$') || name.startsWith(u'&'));
}

FontMeasure MeasureFontFamily(const QString& family) {
  QFont font(family);
  font.setPixelSize(kMeasurePixels);
  const QFontMetrics metrics(font);
  return {QFontInfo(font).family(), metrics.horizontalAdvance(u'M'),
          metrics.horizontalAdvance(u'I'), family,
          QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol)};
}

QStringList FixedPitchFamilies(const QStringList& families) {
  QStringList listed;
  for (const QString& family : families) {
    if (PassesFixedPitchTest(MeasureFontFamily(family))) listed.append(family);
  }
  return listed;
}

QStringList ScreenFixedPitchFamilies() {
  QStringList families = QFontDatabase::families();
  // Private families are the system's own user-interface fonts, not offered.
  families.removeIf([](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
  return FixedPitchFamilies(families);
}

}  // namespace tovek::ui
