#include <QApplication>

#include "common/ui/message_boxes.h"
#include "common/ui/program_icon.h"
#include "common/ui/toolkit_translation.h"
#include "converter/ui/morrick_main_window.h"
#include "converter/ui/text_editor_launcher.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tovek::ui::SetProgramIdentity(app, tovek::ui::kMorrickInfo);
  tovek::ui::LoadToolkitTranslation(app);
  tovek::ui::QtMessageBoxes boxes(QStringLiteral("Morrick"));
  tovek::ui::DesktopTextEditorLauncher editor;
  tovek::ui::MorrickMainWindow window(QCoreApplication::applicationDirPath(), boxes, editor);
  window.Load();
  window.show();
  return app.exec();
}
