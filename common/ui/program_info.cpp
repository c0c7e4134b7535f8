#include "common/ui/program_info.h"

namespace tovek::ui {

QString VersionText(const ProgramInfo& info) {
  return QStringLiteral("Version %1.%2 Build %3")
      .arg(info.major)
      .arg(info.minor)
      .arg(info.revision);
}

QString AboutCaption(const ProgramInfo& info) {
  return info.title + QStringLiteral(" のバージョン");
}

}  // namespace tovek::ui
