// Running tovek in-process: its exit status and what it wrote.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "cli/command_line.h"

namespace tovek::testing {

struct TovekRun {
  int status;
  QString out;
  QString err;
};

inline TovekRun Tovek(const QStringList& args, QString input = {}) {
  QString out_text;
  QString err_text;
  QTextStream in(&input);
  QTextStream out(&out_text);
  QTextStream err(&err_text);
  cli::CommandIo io{in, out, err, QStringLiteral(TOVEK_PROGRAM_DIR)};
  const int status = cli::RunTovek(args, io);
  out.flush();
  err.flush();
  return {status, out_text, err_text};
}

}  // namespace tovek::testing
