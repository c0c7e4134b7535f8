#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <string_view>

#include "cli/command_line.h"

int main(int argc, char* argv[]) {
  // publish --certificates paints, with the fonts a GUI application brings;
  // the offscreen platform needs no display.
  bool paints = false;
  if (argc > 1 && std::string_view(argv[1]) == "publish") {
    for (int i = 2; i < argc; ++i) paints = paints || std::string_view(argv[i]) == "--certificates";
  }
  if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const std::unique_ptr<QCoreApplication> app =
      paints ? std::make_unique<QGuiApplication>(argc, argv)
             : std::make_unique<QCoreApplication>(argc, argv);
  QTextStream in(stdin);
  QTextStream out(stdout);
  QTextStream err(stderr);
  for (QTextStream* stream : {&in, &out, &err}) stream->setEncoding(QStringConverter::Utf8);
  tovek::cli::CommandIo io{in, out, err, QCoreApplication::applicationDirPath()};
  const int status = tovek::cli::RunTovek(app->arguments().mid(1), io);
  out.flush();
  err.flush();
  return status;
}
