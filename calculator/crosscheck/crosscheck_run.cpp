#include "calculator/crosscheck/crosscheck_run.h"

namespace tovek::crosscheck {

std::optional<CrossCheckRun> RunCrossCheck(const QStringList& paths, const CrossCheckInputs& inputs,
                                           Progress& progress,
                                           const std::function<bool()>& cancelled) {
  const auto stop = [&] { return cancelled && cancelled(); };
  CrossCheckRun run;
  run.rules = inputs.rules;
  run.logs.reserve(static_cast<size_t>(paths.size()));
  progress.SetLabel(0, QStringLiteral("READ LOG DATA"));
  progress.SetMaximum(paths.size());
  for (qsizetype i = 0; i < paths.size(); ++i) {
    if (stop()) return std::nullopt;
    run.logs.push_back(ReadContestLog(paths[i]));
    progress.SetValue(i + 1);
    progress.Yield();
  }
  progress.SetLabel(0, QStringLiteral("CROSS CHECK"));
  run.check = CrossCheck(run.logs, inputs.known, run.rules, inputs.start, progress, cancelled);
  if (stop()) return std::nullopt;
  progress.SetLabel(0, QStringLiteral("SCORE"));
  progress.SetMaximum(static_cast<qint64>(run.logs.size()));
  CallFactsCache cache;
  run.scores.reserve(run.logs.size());
  for (size_t l = 0; l < run.logs.size(); ++l) {
    run.scores.push_back(ScoreCheckedLog(run.logs[l], run.check.logs[l], run.rules, inputs.prefixes,
                                         inputs.areas, cache));
    progress.SetValue(static_cast<qint64>(l + 1));
    progress.Yield();
  }
  return run;
}

ResultTable CheckedResults(const CrossCheckRun& run) {
  ResultTable rows;
  rows.reserve(static_cast<qsizetype>(run.logs.size()));
  for (size_t l = 0; l < run.logs.size(); ++l) {
    rows.append(CheckedResultRow(run.logs[l], run.check.logs[l], run.scores[l]));
  }
  SortByScore(rows);
  return rows;
}

}  // namespace tovek::crosscheck
