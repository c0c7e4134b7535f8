#include "cli/results_output.h"

#include <QDir>

#include "calculator/ranking_writer.h"
#include "calculator/results_file.h"
#include "cli/command_inputs.h"
#include "common/text_file.h"

namespace tovek::cli {
namespace {

const QStringList kHeader = {"No",       "CallSign",  "Category",  "ClaimedScore", "Score",
                             "QsoLines", "Valid",     "Dupes",     "Points",       "Mult1",
                             "Mult2",    "TotalMult", "Continent", "Entity"};
// Columns 1 to 13 of the results grid, after the row number.
constexpr int kLastPrintedColumn = 13;

int Refuse(CommandIo& io, const QString& command, const QString& message) {
  io.err << command << ": " << message << '\n';
  return kRefused;
}

}  // namespace

QString PublishUsage() {
  return QStringLiteral(
      "  --out DIR     write the 25 ranking files (DATE + WorldHigh.Rez ... CheckLog.Rez)\n"
      "                into DIR/Results and the 8 award files (DATE + WorldAwards.Awd ...\n"
      "                JaAwards.Awd) into DIR/Awards, creating both folders; files of\n"
      "                the same names are replaced\n"
      "  --date DATE   the date that begins their names, yyyy-mm-dd (default: today)\n");
}

void PrintResultRows(QTextStream& out, const ResultTable& rows) {
  out << kHeader.join(u'\t') << '\n';
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const QStringList cells = GridCells(rows[i]);
    out << (i + 1);
    for (int column = 1; column <= kLastPrintedColumn; ++column)
      out << '\t' << PlainText(cells[column]);
    out << '\n';
  }
}

std::optional<ResultTable> ReadResultsFile(const QString& path, const QString& command,
                                           CommandIo& io) {
  NoProgress progress;
  const ResultFileRead read = ResultRead(path, progress);
  if (!read.outcome.ok) {
    io.err << command << ": " << path << ": " << read.outcome.error << '\n';
    return std::nullopt;
  }
  if (read.partial) {
    io.err << command << ": " << path << ": the length is not a whole number of "
           << kResultRecordSize << "-byte records; " << read.rows.size() << " read\n";
    io.err.flush();
  }
  return read.rows;
}

std::optional<QDate> OutputDate(const Arguments& arguments, QString& error) {
  if (!arguments.Has(kDateOption)) return QDate::currentDate();
  return DateOption(arguments, kDateOption, error);
}

int SaveResultsFile(const QString& path, const ResultTable& rows, const QString& command,
                    CommandIo& io) {
  if (rows.isEmpty()) return Refuse(io, command, path + QStringLiteral(": no result rows to save"));
  NoProgress progress;
  const FileOutcome saved = ResultSave(path, rows, progress);
  if (!saved.ok) return Refuse(io, command, path + QStringLiteral(": ") + saved.error);
  return kSuccess;
}

int PublishResults(const QString& folder, QDate date, const ResultTable& rows,
                   const QString& command, CommandIo& io) {
  if (rows.isEmpty()) {
    return Refuse(io, command, QStringLiteral("no result rows: no ranking or award files written"));
  }
  const QDir root(folder);
  const OutputFolders folders{root.filePath(QStringLiteral("Results")),
                              root.filePath(QStringLiteral("Awards"))};
  for (const QString& made : {folders.results, folders.awards}) {
    if (!QDir().mkpath(made)) {
      return Refuse(io, command, made + QStringLiteral(": the folder cannot be created"));
    }
  }
  NoProgress progress;
  const OutputOutcome written = WriteRankingFiles(folders, date, RankRows(rows), progress);
  if (!written.outcome.ok) {
    return Refuse(io, command, written.path + QStringLiteral(": ") + written.outcome.error);
  }
  return kSuccess;
}

}  // namespace tovek::cli
