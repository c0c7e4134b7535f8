#include "converter/ui/text_editor_launcher.h"

#include <QDesktopServices>
#include <QUrl>

namespace tovek::ui {

void DesktopTextEditorLauncher::Open(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace tovek::ui
