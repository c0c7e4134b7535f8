#include <QApplication>
#include <QTimer>

#include "common/ui/message_boxes.h"
#include "common/ui/program_icon.h"
#include "common/ui/toolkit_translation.h"
#include "editor/ui/kavrel_main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tovek::ui::SetProgramIdentity(app, tovek::ui::kKavrelInfo);
  tovek::ui::LoadToolkitTranslation(app);
  tovek::ui::QtMessageBoxes messages(QStringLiteral("Kavrel"));
  tovek::ui::KavrelMainWindow window({QCoreApplication::applicationDirPath(), &messages});
  window.show();
  QTimer::singleShot(0, &window, &tovek::ui::KavrelMainWindow::Start);
  return app.exec();
}
