// tovek score: a calculation run over Cabrillo logs, its rows on standard output.
#include "calculator/area_table.h"
#include "calculator/calculation_run.h"
#include "calculator/log_list.h"
#include "calculator/result_table.h"
#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "cli/results_output.h"
#include "common/prefix_table.h"

namespace tovek::cli {
namespace {

const QString kName = QStringLiteral("tovek score");
const QString kSaveOption = QStringLiteral("--save");

const QString kUsage =
    QStringLiteral(
        "Usage: tovek score [--cty FILE] [--partial-cty] [--area FILE] [--save FILE.rlt]\n"
        "                   [--out DIR [--date yyyy-mm-dd]] PATH...\n\n"
        "Scores Cabrillo logs as the score calculator's run does. A PATH that is a\n"
        "folder stands for its \"*.cbr\" files (in any letter case, by name ignoring\n"
        "case, as the log list dialog shows them); any other PATH is one log file.\n"
        "Prints a header line, then one line per result row in the order of the\n"
        "results grid: highest calculated score first, equal scores in list order.\n"
        "Fields are tab-separated; numbers in their shortest decimal form:\n\n"
        "  No CallSign Category ClaimedScore Score QsoLines Valid Dupes Points\n"
        "  Mult1 Mult2 TotalMult Continent Entity\n\n"
        "A log that cannot be read is named on standard error and still gets its\n"
        "row: the file's name as call sign, every count 0.\n\n"
        "  --cty FILE    the prefix file (default: Cty.dat in the program folder)\n") +
    PartialCtyUsage(16) +
    QStringLiteral(
        "  --area FILE   the area file (default: Tovek.are in the program folder)\n"
        "  --save FILE   write the rows, in the order printed, as a results file\n"
        "                (493-byte records, as the calculator's window saves them;\n"
        "                read it again with 'tovek results')\n") +
    PublishUsage() +
    QStringLiteral(
        "\nExit status: 0 done, 1 prefix or area file missing or unreadable (a prefix\n"
        "file that stops at a bad line too, unless --partial-cty), too many logs, no result\n"
        "rows to save or publish, or a file that could not be written, 2 usage error.\n");

// Tells on standard error what the window would say in a message box.
class ErrorObserver final : public RunObserver {
 public:
  explicit ErrorObserver(QTextStream& err) : err_(err) {}

  void LogRead(qsizetype, qsizetype, const QString& path, const tovek::LogRead& log) override {
    err_ << BadBytesNote(path, log.decoding);
    if (!ClaimedScoreValue(log.summary.claimed_score)) {
      err_ << path << ": CLAIMED-SCORE is too large to be read; 0 is kept\n";
    }
    switch (log.status) {
      case tovek::LogRead::Status::kRead:
        err_.flush();
        return;
      case tovek::LogRead::Status::kMissing:
        err_ << path << ": " << UnreadReason(log) << '\n';
        break;
      case tovek::LogRead::Status::kUnreadable:
        err_ << path << ": " << log.error << '\n';
        break;
      case tovek::LogRead::Status::kTooManyQsos:
        err_ << path << ": more than " << kMaxLogQsos << " QSO lines; scored up to there\n";
        break;
    }
    err_.flush();
  }
  void RowAdded(const ResultRow&, const LogScore&) override {}

 private:
  QTextStream& err_;
};

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(
      args, {"--cty", "--area", kSaveOption, kOutOption, kDateOption}, {kPartialCtyOption}, error);
  if (parsed && parsed->Operands().isEmpty()) error = QStringLiteral("no PATH given");
  if (parsed && error.isEmpty()) error = EmptyOutFolderError(*parsed);
  const std::optional<QDate> date =
      parsed && error.isEmpty() ? OutputDate(*parsed, error) : std::nullopt;
  if (!error.isEmpty()) {
    io.err << kName << ": " << error << "\n" << kUsage;
    return kUsageError;
  }
  PrefixTable prefixes;
  AreaTable areas;
  if (const int loaded = LoadScoringTables(*parsed, io, prefixes, areas); loaded != kSuccess) {
    return loaded;
  }

  // Each path is given whole: the list's folder stays empty.
  LogList list;
  if (const int taken = RunLogPaths(*parsed, kName, io, list.names); taken != kSuccess) {
    return taken;
  }
  NoProgress progress;
  ErrorObserver observer(io.err);
  ResultTable rows = ScoreLogList(list, prefixes, areas, progress, observer);
  SortByScore(rows);
  PrintResultRows(io.out, rows);
  if (OutputFailed(io, kName)) return kRefused;
  if (parsed->Has(kSaveOption)) {
    const int saved = SaveResultsFile(parsed->Value(kSaveOption), rows, kName, io);
    if (saved != kSuccess) return saved;
  }
  if (parsed->Has(kOutOption))
    return PublishResults(parsed->Value(kOutOption), *date, rows, kName, io);
  return kSuccess;
}

}  // namespace

Command ScoreCommand() {
  return {QStringLiteral("score"), QStringLiteral("score Cabrillo logs and print the results rows"),
          kUsage, Run};
}

}  // namespace tovek::cli
