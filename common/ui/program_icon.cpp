#include "common/ui/program_icon.h"

#include <QFile>
#include <QGuiApplication>

namespace tovek::ui {

QIcon ProgramIcon(const ProgramInfo& info) {
  // The sizes the icons are rendered at (desktop/icons/render).
  static constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
  QIcon icon;
  for (const int size : kSizes) {
    const QString path = QStringLiteral(":/icons/png/%1/%2.png").arg(size).arg(info.name);
    if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
  }
  return icon;
}

QString DesktopEntryName(const ProgramInfo& info) { return QStringLiteral("tovek-") + info.name; }

void SetProgramIdentity(QGuiApplication& application, const ProgramInfo& info) {
  application.setWindowIcon(ProgramIcon(info));
  application.setDesktopFileName(DesktopEntryName(info));
}

}  // namespace tovek::ui
