#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/command_line.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream in(stdin);
  QTextStream out(stdout);
  QTextStream err(stderr);
  for (QTextStream* stream : {&in, &out, &err}) stream->setEncoding(QStringConverter::Utf8);
  tovek::cli::CommandIo io{in, out, err, QCoreApplication::applicationDirPath()};
  const int status = tovek::cli::RunTovek(app.arguments().mid(1), io);
  out.flush();
  err.flush();
  return status;
}
