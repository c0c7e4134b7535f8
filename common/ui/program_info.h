// The title and version a program shows in its version box (and Morrick in
// the CREATED-BY line of its Cabrillo files).
#pragma once

#include <QString>

namespace tovek::ui {

struct ProgramInfo {
  QString title;
  int major = 0;
  int minor = 0;
  int revision = 0;
  // The program's file name, which also names its icon and menu entry.
  QString name;
};

inline const ProgramInfo kKavrelInfo{QStringLiteral("Kavrel"), 1, 4, 33, QStringLiteral("kavrel")};
inline const ProgramInfo kTessdalInfo{QStringLiteral("TOVEK CALC"), 1, 2, 7,
                                      QStringLiteral("tessdal")};
inline const ProgramInfo kMorrickInfo{QStringLiteral("Morrick"), 1, 0, 31,
                                      QStringLiteral("morrick")};

// "Version 1.4 Build 33".
QString VersionText(const ProgramInfo& info);

// The version box's caption: the title followed by " のバージョン".
QString AboutCaption(const ProgramInfo& info);

}  // namespace tovek::ui
