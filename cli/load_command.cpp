// tovek load: a log file read into rows as the editor reads it.
#include <QDir>

#include "cli/command_line.h"
#include "editor/log_lines.h"

namespace tovek::cli {
namespace {

const QString kUsage = QStringLiteral(
    "Usage: tovek load [--tags FILE] LOGFILE\n\n"
    "Reads an entrant's log exactly as the log editor opens it and prints its rows,\n"
    "one per line: a line ends at CR LF or CR (a lone LF stays in the line and is\n"
    "removed), tabs are removed, \"X-QSO:\" becomes \"QSO:\", and run-together rows\n"
    "are cut in front of the header tags.\n\n"
    "  --tags FILE  the header tag list (default: CabHeader.dat in the program folder)\n\n"
    "Exit status: 0 done, 1 the log could not be read, 2 usage error.\n");

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(args, {QStringLiteral("--tags")}, {}, error);
  if (parsed && parsed->Operands().size() != 1) error = QStringLiteral("give one LOGFILE");
  if (!error.isEmpty()) {
    io.err << "tovek load: " << error << "\n" << kUsage;
    return kUsageError;
  }
  const QString tags_path = parsed->Value(
      QStringLiteral("--tags"), QDir(io.program_folder).filePath(QStringLiteral("CabHeader.dat")));
  const QString& log_path = parsed->Operands().first();
  NoProgress progress;
  const LogReadOutcome read = ReadLogRows(log_path, LoadHeaderTags(tags_path), progress);
  for (const QString& row : read.rows) io.out << row << '\n';
  if (!read.file.ok) {
    io.err << log_path << ": " << read.file.error << '\n';
    return kRefused;
  }
  return kSuccess;
}

}  // namespace

Command LoadCommand() {
  return {QStringLiteral("load"), QStringLiteral("read a log file into rows as the editor does"),
          kUsage, Run};
}

}  // namespace tovek::cli
