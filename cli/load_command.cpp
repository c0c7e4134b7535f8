// tovek load: a log file read into rows and cleaned up as the editor does
// when it opens a log.
#include <QDir>

#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "common/text_file.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

namespace tovek::cli {
namespace {

const QString kUsage = QStringLiteral(
    "Usage: tovek load [--tags FILE] LOGFILE\n\n"
    "Reads an entrant's log exactly as the log editor opens it and prints its rows,\n"
    "one per line.\n\n"
    "Reading: a line ends at CR LF or CR (a lone LF stays in the line and is removed),\n"
    "tabs are removed, \"X-QSO:\" becomes \"QSO:\", and run-together rows are cut in\n"
    "front of the header tags.\n\n"
    "Then, when the log holds more than one row, the five clean-up passes run in\n"
    "this order:\n"
    "  1. blank rows are removed (a blank last row stays);\n"
    "  2. a row is cut in front of a second \"QSO:\", or without one in front of\n"
    "     \"END\", found from column 5 on;\n"
    "  3. the row after a QSO row is appended to it unless that row is empty or\n"
    "     begins with \"QSO:\" or \"END\";\n"
    "  4. the frequency of each QSO row is right-aligned in columns 6 to 10 (a row\n"
    "     whose column 5 is not a blank, with no blank from column 10 on, or with a\n"
    "     frequency longer than five characters stays as it is);\n"
    "  5. when at least three QSO rows are found and two neighbouring ones differ in\n"
    "     length (blanks at the ends not counted), \"データ長が不揃いです\" goes to\n"
    "     standard error.\n\n"
    "  --tags FILE  the header tag list (default: CabHeader.dat in the program folder)\n\n"
    "Exit status: 0 done (also with uneven rows), 1 the log could not be read (the\n"
    "rows read so far are printed, no pass runs), 2 usage error.\n");

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
  LogReadOutcome read = ReadLogRows(log_path, LoadHeaderTags(tags_path), progress);
  if (!read.file.ok) {
    for (const QString& row : read.rows) io.out << PlainText(row) << '\n';
    io.err << log_path << ": " << read.file.error << '\n';
    return kRefused;
  }
  io.err << BadBytesNote(log_path, read.decoding);
  UndoLines undo;
  const LoadPassesOutcome passes = RunLoadPasses(read.rows, undo, progress);
  for (const QString& row : read.rows) io.out << PlainText(row) << '\n';
  if (passes.uneven_lengths) io.err << kUnevenLengthsMessage << '\n';
  return kSuccess;
}

}  // namespace

Command LoadCommand() {
  return {QStringLiteral("load"),
          QStringLiteral("read a log file and clean it up as the editor does on opening"), kUsage,
          Run};
}

}  // namespace tovek::cli
