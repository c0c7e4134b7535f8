#include <QApplication>
#include <QTimer>

#include "calculator/ui/tessdal_main_window.h"
#include "common/ui/message_boxes.h"
#include "common/ui/program_icon.h"
#include "common/ui/toolkit_translation.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tovek::ui::SetProgramIdentity(app, tovek::ui::kTessdalInfo);
  tovek::ui::LoadToolkitTranslation(app);
  tovek::ui::QtMessageBoxes messages(QStringLiteral("TOVEK CALC"));
  tovek::ui::TessdalMainWindow window({QCoreApplication::applicationDirPath(), &messages});
  window.show();
  QTimer::singleShot(0, &window, &tovek::ui::TessdalMainWindow::Start);
  return app.exec();
}
