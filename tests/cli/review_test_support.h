// Running tovek in-process over the editor's sample logs.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <ostream>

#include "cli/command_line.h"
#include "tests/support/test_files.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tovek::cli::testing {

struct TovekRun {
  int status;
  QString out;
  QString err;
};

inline TovekRun Tovek(const QStringList& args,
                      const QString& program_folder = QStringLiteral(TOVEK_PROGRAM_DIR)) {
  QString in_text;
  QString out_text;
  QString err_text;
  QTextStream in(&in_text);
  QTextStream out(&out_text);
  QTextStream err(&err_text);
  CommandIo io{in, out, err, program_folder};
  const int status = RunTovek(args, io);
  out.flush();
  err.flush();
  return {status, out_text, err_text};
}

inline QString SamplesFolder() {
  return QDir(QStringLiteral(TOVEK_TEST_DATA_DIR "/../../samples")).absolutePath();
}

// A Kavrel.ini holding the sample contest's start date; every other key
// takes its default.
inline QString WriteSampleSettings(const tovek::testing::TempFolder& folder) {
  return folder.Write(QStringLiteral("Kavrel.ini"), "StartDate=2026/09/26\r\n");
}

}  // namespace tovek::cli::testing
