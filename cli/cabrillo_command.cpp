// tovek cabrillo: a log to the editor's Cabrillo 2.0 file and error report,
// without the windows and without moving the log.
#include <QDir>

#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "cli/editor_review.h"
#include "editor/cabrillo_reader.h"
#include "editor/cabrillo_writer.h"
#include "editor/data_check.h"

namespace tovek::cli {
namespace {

const QString kName = QStringLiteral("tovek cabrillo: ");

const QString kUsage =
    QStringLiteral(
        "Usage: tovek cabrillo [--cty FILE] [--partial-cty] [--settings FILE] [--tags FILE]\n"
        "                      --out DIR LOGFILE\n\n"
        "Takes an entrant's log the way of the log editor without its windows: opens it\n"
        "(see 'tovek load --help'), reads its header into the summary (call sign,\n"
        "category, continent, entity ...), cuts every QSO row into fields at the basic\n"
        "layout of the settings file (CabBandPos ... CabRptlen), and writes\n\n"
        "  DIR/NAME.cbr  the Cabrillo 2.0 file, QSO lines of exactly 75 characters\n"
        "  DIR/NAME.err  the error report, holding the fault lines of 'tovek check'\n\n"
        "NAME is the call sign with its first \"/\" written as \"-\". Prints the path of\n"
        "the .cbr file. The log itself stays where it is.\n\n") +
    EditorReviewUsage() +
    QStringLiteral(
        "  --out DIR        the folder that receives the two files (created when missing)\n\n"
        "Exit status: 0 written; 1 nothing written because the prefix file (also one that\n"
        "stops at a bad line, unless --partial-cty) or the log could not be read, the\n"
        "summary is incomplete (the editor's message on standard error), a QSO row's\n"
        "date and time cannot be read, the log has no QSO row or the call sign makes no\n"
        "file name; also 1 when a file could not be written; 2 usage\n"
        "error.\n");

int Refuse(CommandIo& io, const QString& message) {
  io.err << message << '\n';
  return kRefused;
}

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(args, EditorReviewOptions() + QStringList{"--out"},
                                       EditorReviewFlags(), error);
  if (parsed && parsed->Operands().size() != 1) error = QStringLiteral("give one LOGFILE");
  if (parsed && error.isEmpty()) error = EmptyOutFolderError(*parsed);
  if (parsed && error.isEmpty() && !parsed->Has("--out")) {
    error = QStringLiteral("give the output folder with --out DIR");
  }
  if (!error.isEmpty()) {
    io.err << kName << error << "\n" << kUsage;
    return kUsageError;
  }
  int status = kSuccess;
  const std::optional<EditorReview> review = OpenForReview(
      *parsed, parsed->Operands().first(), QStringLiteral("tovek cabrillo"), io, status);
  if (!review) return status;

  LogSummary summary = CabTempRead(review->rows, review->prefixes).summary;
  FillSummaryDefaults(summary);
  if (const QString missing = IncompleteSummaryMessage(summary); !missing.isEmpty()) {
    return Refuse(io, QString(missing).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }
  NoProgress progress;
  const QsoReadOutcome read = ReadQsoRecords(review->rows, review->settings.layout, progress);
  if (!read.ok) return Refuse(io, kName + read.error);
  if (read.records.isEmpty()) return Refuse(io, kName + QStringLiteral("the log has no QSO row"));
  const OutputName name = OutputNameOf(summary.call_sign);
  if (!name.Ok()) return Refuse(io, RefusedCallSignMessage(summary.call_sign, name));

  const QStringList faults =
      DataCheck(review->rows, CheckColumnsFrom(review->settings.layout),
                review->settings.start_date, review->settings.limits, review->prefixes, progress);
  const QDir out(parsed->Value("--out"));
  if (!QDir().mkpath(out.path())) {
    return Refuse(io, kName + out.path() + QStringLiteral(": cannot create the folder"));
  }
  const QString cabrillo_path = out.filePath(name.Cabrillo());
  const FileOutcome cabrillo = WriteTextLines(cabrillo_path, CabrilloLines(summary, read.records));
  if (!cabrillo.ok) return Refuse(io, cabrillo_path + ": " + cabrillo.error);
  const QString report_path = out.filePath(name.ErrorReport());
  const FileOutcome report = WriteTextLines(report_path, ErrorReportLines(faults));
  if (!report.ok) return Refuse(io, report_path + ": " + report.error);
  io.out << cabrillo_path << '\n';
  return kSuccess;
}

}  // namespace

Command CabrilloCommand() {
  return {QStringLiteral("cabrillo"),
          QStringLiteral("a log to the editor's Cabrillo 2.0 file and error report"), kUsage, Run};
}

}  // namespace tovek::cli
