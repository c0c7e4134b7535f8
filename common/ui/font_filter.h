// Which fonts the font picker offers: the fixed-pitch ones, found by
// measuring "M" and "I" (the font database's own fixed-pitch flag is not
// reliable for the CJK fonts the lists are usually shown in).
#pragma once

#include <QString>
#include <QStringList>

namespace tovek::ui {

struct FontMeasure {
  QString name_in_effect;  // the family actually used for the requested one
  int width_m = 0;
  int width_i = 0;
  QString requested;    // the family asked for; empty: not known
  bool symbol = false;  // a face of symbols, not of letters
};

// Equal widths of "M" and "I", and a name that does not begin with "@"
// (vertical-writing fonts), "$" or "&". Not offered either: a symbol face
// (its "M" and "I" are blanks of one width) and an alias that stands for
// another family (the list would show that face twice, once under a name
// that means another face on the next system).
bool PassesFixedPitchTest(const FontMeasure& measure);

// Measures the family on the screen.
FontMeasure MeasureFontFamily(const QString& family);

// The families that pass, in the given order.
QStringList FixedPitchFamilies(const QStringList& families);

// The screen's families that pass, in the font database's order.
QStringList ScreenFixedPitchFamilies();

}  // namespace tovek::ui
