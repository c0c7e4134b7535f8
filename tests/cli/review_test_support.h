// Running tovek in-process over the editor's sample logs.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <ostream>

#include "cli/command_line.h"
#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tovek::cli::testing {

using tovek::testing::Tovek;
using tovek::testing::TovekRun;

inline QString SamplesFolder() {
  return QDir(QStringLiteral(TOVEK_TEST_DATA_DIR "/../../samples")).absolutePath();
}

// A Kavrel.ini holding the sample contest's start date; every other key
// takes its default.
inline QString WriteSampleSettings(const tovek::testing::TempFolder& folder) {
  return folder.Write(QStringLiteral("Kavrel.ini"), "StartDate=2026/09/26\r\n");
}

}  // namespace tovek::cli::testing
