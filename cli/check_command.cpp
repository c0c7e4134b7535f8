// tovek check: the editor's data check over a log.
#include "cli/command_line.h"
#include "cli/editor_review.h"
#include "common/text_file.h"
#include "editor/data_check.h"

namespace tovek::cli {
namespace {

const QString kUsage =
    QStringLiteral(
        "Usage: tovek check [--cty FILE] [--partial-cty] [--settings FILE] [--tags FILE]\n"
        "                   LOGFILE\n\n"
        "Opens an entrant's log as the log editor does (see 'tovek load --help') and runs\n"
        "its data check over every QSO row, with the field columns (CabBandPos,\n"
        "CabModePos, CabDatePos), the start date (StartDate) and the band limits of the\n"
        "settings file. Prints the fault lines, one per line, as the editor lists them:\n"
        "the row's index (0-based) right-aligned in 5 characters, \" MODE        \",\n"
        "\" TIME        \" or \" FREQENCY    \", then the row. A row gives at most three\n"
        "lines, in that order; a log without faults prints nothing.\n\n") +
    EditorReviewUsage() +
    QStringLiteral(
        "\nExit status: 0 checked (with or without faults), 1 the prefix file (also one\n"
        "that stops at a bad line, unless --partial-cty) or the log could not be read,\n"
        "2 usage error.\n");

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(args, EditorReviewOptions(), EditorReviewFlags(), error);
  if (parsed && parsed->Operands().size() != 1) error = QStringLiteral("give one LOGFILE");
  if (!error.isEmpty()) {
    io.err << "tovek check: " << error << "\n" << kUsage;
    return kUsageError;
  }
  int status = kSuccess;
  const std::optional<EditorReview> review =
      OpenForReview(*parsed, parsed->Operands().first(), QStringLiteral("tovek check"), io, status);
  if (!review) return status;
  NoProgress progress;
  const QStringList faults =
      DataCheck(review->rows, CheckColumnsFrom(review->settings.layout),
                review->settings.start_date, review->settings.limits, review->prefixes, progress);
  for (const QString& fault : faults) io.out << PlainText(fault) << '\n';
  return kSuccess;
}

}  // namespace

Command CheckCommand() {
  return {QStringLiteral("check"), QStringLiteral("the editor's data check over a log"), kUsage,
          Run};
}

}  // namespace tovek::cli
