// tovek results: a results file's rows on standard output, and its ranking
// and award files when asked.
#include "calculator/results_file.h"
#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "cli/results_output.h"

namespace tovek::cli {
namespace {

const QString kName = QStringLiteral("tovek results");

const QString kUsage =
    QStringLiteral(
        "Usage: tovek results [--out DIR [--date yyyy-mm-dd]] FILE.rlt\n\n"
        "Reads a results file (the calculator's \".rlt\" file, or one written by\n"
        "'tovek score --save') and prints its rows as 'tovek score' does, in the\n"
        "order of the file: No is the record's position, nothing is sorted.\n"
        "A file whose length is not a whole number of 493-byte records is read as\n"
        "the nearest number of records (a last record cut short is read as far as it\n"
        "goes); standard error says so.\n\n") +
    PublishUsage() +
    QStringLiteral(
        "\nExit status: 0 done; 1 the file cannot be read or is no results file, it\n"
        "holds no rows to publish, or an output file could not be written; 2 usage\n"
        "error.\n");

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(args, {kOutOption, kDateOption}, {}, error);
  if (parsed && parsed->Operands().size() != 1) error = QStringLiteral("give one FILE.rlt");
  if (parsed && error.isEmpty()) error = EmptyOutFolderError(*parsed);
  const std::optional<QDate> date =
      parsed && error.isEmpty() ? OutputDate(*parsed, error) : std::nullopt;
  if (!error.isEmpty()) {
    io.err << kName << ": " << error << "\n" << kUsage;
    return kUsageError;
  }
  const std::optional<ResultTable> rows = ReadResultsFile(parsed->Operands().first(), kName, io);
  if (!rows) return kRefused;
  PrintResultRows(io.out, *rows);
  if (OutputFailed(io, kName)) return kRefused;
  if (parsed->Has(kOutOption)) {
    return PublishResults(parsed->Value(kOutOption), *date, *rows, kName, io);
  }
  return kSuccess;
}

}  // namespace

Command ResultsCommand() {
  return {QStringLiteral("results"),
          QStringLiteral("print a results file's rows, write its ranking and award files"), kUsage,
          Run};
}

}  // namespace tovek::cli
