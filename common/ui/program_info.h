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
};

inline const ProgramInfo kKavrelInfo{QStringLiteral("Kavrel"), 1, 4, 33};
inline const ProgramInfo kTessdalInfo{QStringLiteral("TOVEK CALC"), 1, 2, 7};
inline const ProgramInfo kMorrickInfo{QStringLiteral("Morrick"), 1, 0, 31};

// "Version 1.4 Build 33".
QString VersionText(const ProgramInfo& info);

// The version box's caption: the title followed by " のバージョン".
QString AboutCaption(const ProgramInfo& info);

}  // namespace tovek::ui
