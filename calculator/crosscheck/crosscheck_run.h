// A whole cross-check as the window and tovek run it: read the logs, check
// them against each other, score each one as checked.
#pragma once

#include <QStringList>
#include <functional>
#include <optional>

#include "calculator/crosscheck/check_reports.h"
#include "calculator/result_table.h"

namespace tovek::crosscheck {

struct CrossCheckRun {
  CheckRules rules;
  std::vector<ContestLog> logs;  // in the order of the paths
  ContestCheck check;
  std::vector<CheckedScore> scores;

  CheckedContest Contest() const { return {logs, check, scores, rules}; }
};

struct CrossCheckInputs {
  const PrefixTable& prefixes;
  const AreaTable& areas;
  const KnownCalls& known;
  CheckRules rules;
  std::optional<QDate> start;
};

// Runs the check over the logs at `paths`. `progress` counts the logs read,
// then checked, then scored; `cancelled` is asked between logs and ends the
// run without a result when it says so.
std::optional<CrossCheckRun> RunCrossCheck(const QStringList& paths, const CrossCheckInputs& inputs,
                                           Progress& progress,
                                           const std::function<bool()>& cancelled = {});

// The master call list a check uses when none is named: MASTER.SCP in the
// program folder, else the one Debian's hamradio-files package keeps
// current, else none (empty).
QString DefaultKnownCallsPath(const QString& program_folder);

// The likeliest first day of the contest: of the days the QSOs fall on by
// the corrected clocks, the first of the two days in a row that hold most
// of them. A log with its date a day off, or a stray line, moves nothing.
// Nothing when no QSO has a time.
std::optional<QDate> LikelyFirstDay(const CrossCheckRun& run);

// The checked results: one row per log, the checked score as its score,
// highest first (equal scores in list order), as a results file holds them.
ResultTable CheckedResults(const CrossCheckRun& run);

}  // namespace tovek::crosscheck
