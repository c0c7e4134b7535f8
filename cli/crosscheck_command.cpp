// tovek crosscheck: the contest's logs checked against each other, per log
// or per QSO line on standard output, reports and checked results on request.
#include <QDir>
#include <future>
#include <optional>

#include "calculator/calculation_run.h"
#include "calculator/crosscheck/check_rules_file.h"
#include "calculator/crosscheck/crosscheck_run.h"
#include "calculator/crosscheck/large_heap.h"
#include "calculator/log_list.h"
#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "cli/results_output.h"

namespace tovek::cli {
namespace {

using crosscheck::CheckRules;
using crosscheck::KnownCalls;

const QString kName = QStringLiteral("tovek crosscheck");

const QString kUsage =
    QStringLiteral(
        "Usage: tovek crosscheck [--cty FILE] [--partial-cty] [--area FILE] [--master FILE]\n"
        "                        [--rules FILE] [--start yyyy-mm-dd] [--qsos] [--save FILE.rlt]\n"
        "                        [--out DIR] PATH...\n\n"
        "Checks the contest's logs against each other: every QSO line of every log is\n"
        "matched with the other station's log (after correcting each log's clock) and\n"
        "gets one verdict:\n\n"
        "  OK          matched; call, band and exchange agree\n"
        "  UNVERIFIED  the other station sent no log; its call is confirmed elsewhere\n"
        "  NIL         the other station's log holds no such QSO\n"
        "  BUST        the call was miscopied (detail: the call worked)\n"
        "  XBUST       the received number was miscopied (detail: the number sent)\n"
        "  BAND        logged on the wrong band (detail: the right band, e.g. 14000)\n"
        "  UNIQUE      a call in no other log and not in the master list\n"
        "  DUPE        worked before on the same band\n"
        "  TIME        outside the 48 hours from --start, after clock correction\n\n"
        "PATH as for 'tovek score': a folder stands for its \"*.cbr\" files, any other\n"
        "PATH is one log file. Prints a header line, then one line per log in input\n"
        "order, tab-separated:\n\n"
        "  CallSign Category QsoLines Ok Unverified Nil Bust ExchangeBust Band Unique\n"
        "  Dupe OutOfTime ClockOffsetMinutes Score CheckedScore\n\n"
        "ClockOffsetMinutes: how many minutes the log's clock was ahead (negative:\n"
        "behind), the offset that holds for most of its QSOs. Score: as 'tovek score'\n"
        "gives it; CheckedScore: the same scoring over the credited QSOs (OK,\n"
        "UNVERIFIED and, by the rules, UNIQUE), less the penalties.\n\n"
        "  --cty FILE      the prefix file (default: Cty.dat in the program folder)\n") +
    PartialCtyUsage(18) +
    QStringLiteral(
        "  --area FILE     the area file (default: Tovek.are in the program folder)\n"
        "  --master FILE   known calls, one per line, '#' lines are comments: a call\n"
        "                  in it is genuine without a log (default: MASTER.SCP in the\n"
        "                  program folder, else /usr/share/hamradio-files/MASTER.SCP,\n"
        "                  else none; the calculator's window takes the same)\n"
        "  --rules FILE    the rules (default: CrossCheck.ini in the program folder,\n"
        "                  written with its defaults when missing)\n"
        "  --start DATE    the first day of the contest period (without it: no TIME)\n"
        "  --qsos          print instead one line per QSO line of every log (logs in\n"
        "                  input order, lines in file order):\n"
        "                    CALL<TAB>LINE<TAB>VERDICT<TAB>DETAIL\n"
        "                  LINE being the line's 1-based number in its file\n"
        "  --save FILE     write the checked results as a results file (Score = the\n"
        "                  checked score), for 'tovek results' and the calculator\n"
        "  --out DIR       write each entrant's report (CALL.lcr) and the committee's\n"
        "                  summary (CrossCheck.txt) into DIR, and for programs (and\n"
        "                  'tovek publish --crosscheck DIR'), tab-separated with a\n"
        "                  header line: CrossCheckLogs.tsv, the lines printed without\n"
        "                  --qsos, and CrossCheckLines.tsv, the lines --qsos prints\n"
        "                  whose verdict is not OK\n\n"
        "Exit status: 0 done, 1 a data file missing or unreadable (also a prefix file\n"
        "that stops at a bad line, unless --partial-cty), too many logs, or a file that\n"
        "could not be written, 2 usage error.\n");

std::optional<CheckRules> LoadRules(const Arguments& arguments, CommandIo& io) {
  const bool given = arguments.Has("--rules");
  const QString path = arguments.Value(
      "--rules", QDir(io.program_folder).filePath(QString::fromLatin1(crosscheck::kRulesFileName)));
  if (given && !QFileInfo::exists(path)) {
    io.err << kName << ": " << path << ": no such rules file\n";
    return std::nullopt;
  }
  const crosscheck::RulesFileRead read = crosscheck::ReadRulesFile(path, !given);
  if (read.created && !read.outcome.ok) {
    io.err << kName << ": " << path << ": " << read.outcome.error << " (the defaults apply)\n";
  }
  return read.rules;
}

void PrintLogs(QTextStream& out, const crosscheck::CrossCheckRun& run) {
  out << crosscheck::LogFigureNames().join(u'\t') << '\n';
  const crosscheck::CheckedContest contest = run.Contest();
  for (size_t l = 0; l < run.logs.size(); ++l) {
    out << crosscheck::LogFigures(contest, l).join(u'\t') << '\n';
  }
}

int Run(const QStringList& args, CommandIo& io) {
  crosscheck::UseLargePagesForHeap();  // before the master list's thread starts
  QString error;
  const auto parsed = Arguments::Parse(
      args, {"--cty", "--area", "--master", "--rules", "--start", "--save", kOutOption},
      {"--qsos", kPartialCtyOption}, error);
  if (parsed && parsed->Operands().isEmpty()) error = QStringLiteral("no PATH given");
  if (parsed && error.isEmpty()) error = EmptyOutFolderError(*parsed);
  const std::optional<QDate> start =
      parsed && error.isEmpty() ? DateOption(*parsed, "--start", error) : std::nullopt;
  if (!error.isEmpty()) {
    io.err << kName << ": " << error << "\n" << kUsage;
    return kUsageError;
  }
  // The master list is read while the scoring's tables load.
  const QString master =
      parsed->Value("--master", crosscheck::DefaultKnownCallsPath(io.program_folder));
  QString master_error;
  std::future<std::optional<KnownCalls>> master_read =
      std::async(std::launch::async, [&]() -> std::optional<KnownCalls> {
        if (master.isEmpty()) return KnownCalls();
        return crosscheck::ReadKnownCalls(master, master_error);
      });
  PrefixTable prefixes;
  AreaTable areas;
  if (const int loaded = LoadScoringTables(*parsed, io, prefixes, areas); loaded != kSuccess) {
    return loaded;
  }
  const std::optional<KnownCalls> known = master_read.get();
  if (!known) {
    io.err << kName << ": " << master << ": " << master_error << '\n';
    return kRefused;
  }
  const std::optional<CheckRules> rules = LoadRules(*parsed, io);
  if (!rules) return kRefused;

  QStringList paths;
  if (const int taken = RunLogPaths(*parsed, kName, io, paths); taken != kSuccess) return taken;
  NoProgress progress;
  const crosscheck::CrossCheckInputs inputs{prefixes, areas, *known, *rules, start};
  const std::optional<crosscheck::CrossCheckRun> run =
      crosscheck::RunCrossCheck(paths, inputs, progress);
  for (const crosscheck::ContestLog& log : run->logs) {
    io.err << BadBytesNote(log.path, log.scored.decoding);
    if (log.scored.status == LogRead::Status::kMissing ||
        log.scored.status == LogRead::Status::kUnreadable) {
      io.err << log.path << ": " << UnreadReason(log.scored) << '\n';
    }
  }
  if (parsed->Has("--qsos")) {
    for (const QString& line : crosscheck::QsoVerdictLines(run->logs, run->check)) {
      io.out << line << '\n';
    }
  } else {
    PrintLogs(io.out, *run);
  }
  if (OutputFailed(io, kName)) return kRefused;
  if (parsed->Has("--save")) {
    const int saved =
        SaveResultsFile(parsed->Value("--save"), crosscheck::CheckedResults(*run), kName, io);
    if (saved != kSuccess) return saved;
  }
  if (parsed->Has(kOutOption)) {
    const FileOutcome written = crosscheck::WriteReports(run->Contest(), parsed->Value(kOutOption));
    if (!written.ok) {
      io.err << kName << ": " << written.error << '\n';
      return kRefused;
    }
  }
  return kSuccess;
}

}  // namespace

Command CrossCheckCommand() {
  return {QStringLiteral("crosscheck"),
          QStringLiteral("check the logs against each other: a verdict per QSO line"), kUsage, Run};
}

}  // namespace tovek::cli
