// What the cross-check tells: a report per entrant (plain ASCII English:
// the entrants are world-wide), a summary for the committee, and the lines
// and figures that tovek prints and the window shows.
#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

#include "calculator/crosscheck/checked_score.h"
#include "calculator/crosscheck/cross_check.h"

namespace tovek::crosscheck {

// A whole contest checked and scored, as the reports need it.
struct CheckedContest {
  const std::vector<ContestLog>& logs;
  const ContestCheck& check;
  const std::vector<CheckedScore>& scores;
  const CheckRules& rules;
};

// One log's figures, in the order of `tovek crosscheck`'s columns:
// CallSign Category QsoLines Ok Unverified Nil Bust ExchangeBust Band Unique
// Dupe OutOfTime ClockOffsetMinutes Score CheckedScore.
QStringList LogFigures(const CheckedContest& contest, size_t log);
QStringList LogFigureNames();

// One line per QSO line of every log (or only those whose verdict is not
// OK), logs in order, lines in file order: CALL, the line's number in its
// file, the verdict and its detail.
enum class VerdictLines { kEvery, kNotOk };
QStringList QsoVerdictLines(const std::vector<ContestLog>& logs, const ContestCheck& check,
                            VerdictLines which = VerdictLines::kEvery);
QStringList QsoVerdictNames();

// The name of an entrant's report file: the call sign with its "/" as "-"
// and ".lcr", as the log editor names its files; empty for a call that
// makes no file name (it would leave the folder, or no system could hold it).
QString ReportFileName(const QString& station);

// A line of a log: which log, which of its QSO lines.
struct LineRef {
  size_t log;
  size_t line;
};
// By station call, the lines of other logs that concern it: its call busted,
// its number miscopied, QSOs with it that its own log lacks.
using LinesAboutStations = QHash<QString, std::vector<LineRef>>;
LinesAboutStations IndexLinesAboutStations(const CheckedContest& contest);

// The report of one entrant: counts, clock, score arithmetic, every line
// that is not OK with its evidence, and what the other logs say of this
// station's own call. Reports of many entrants share one index.
QStringList EntrantReport(const CheckedContest& contest, size_t log);
QStringList EntrantReport(const CheckedContest& contest, size_t log,
                          const LinesAboutStations& about);

// The committee's summary: totals, the clock table, the logs with most
// faults, the calls worked most by stations that sent no log, and bust rates.
QStringList CommitteeSummary(const CheckedContest& contest);

inline constexpr const char* kSummaryFileName = "CrossCheck.txt";

// The same results for programs, tab-separated, each with a header line of
// the names above: the figures of every log, and the QSO lines that are not
// OK.
inline constexpr const char* kLogFiguresFileName = "CrossCheckLogs.tsv";
inline constexpr const char* kNotOkLinesFileName = "CrossCheckLines.tsv";

// Writes every entrant's report, the summary and the two tab-separated files
// into `folder` (created when missing); the summary names the logs whose
// call makes no file name. Stops at the first file that cannot be written
// and says which.
FileOutcome WriteReports(const CheckedContest& contest, const QString& folder);

}  // namespace tovek::crosscheck
