#include "calculator/crosscheck/crosscheck_run.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include "calculator/crosscheck/parallel_work.h"

namespace tovek::crosscheck {

std::optional<CrossCheckRun> RunCrossCheck(const QStringList& paths, const CrossCheckInputs& inputs,
                                           Progress& progress,
                                           const std::function<bool()>& cancelled) {
  const auto stop = [&] { return cancelled && cancelled(); };
  CrossCheckRun run;
  run.rules = inputs.rules;
  const auto log_count = static_cast<size_t>(paths.size());
  run.logs.resize(log_count);
  // Each log is scored as the calculation run scores it as soon as it is
  // read; its scoring entries then go, as the run lets them go. Logs are
  // read and scored side by side, a cache of call facts per thread.
  std::vector<CallFactsCache> caches(static_cast<size_t>(ParallelWorkers()));
  std::vector<LogScore> claimed(log_count);
  const auto show_done = ShowItemsDone(progress);
  progress.SetLabel(0, QStringLiteral("READ LOG DATA"));
  progress.SetMaximum(paths.size());
  const bool read = ForEachInParallel(
      log_count,
      [&](size_t l, int worker) {
        NoProgress scoring_progress;
        ContestLog& log = run.logs[l];
        log = ReadContestLog(paths[static_cast<qsizetype>(l)]);
        claimed[l] = LogDataSearch(log.scored, inputs.prefixes, inputs.areas, scoring_progress,
                                   caches[static_cast<size_t>(worker)]);
        log.scored.qsos = QsoEntryList();
      },
      show_done, stop);
  if (!read) return std::nullopt;
  progress.SetLabel(0, QStringLiteral("CROSS CHECK"));
  run.check = CrossCheck(run.logs, inputs.known, run.rules, inputs.start, progress, cancelled);
  if (stop()) return std::nullopt;
  progress.SetLabel(0, QStringLiteral("SCORE"));
  progress.SetMaximum(static_cast<qint64>(log_count));
  run.scores.resize(log_count);
  const bool scored = ForEachInParallel(
      log_count,
      [&](size_t l, int worker) {
        run.scores[l] =
            ScoreCheckedLog(run.logs[l], run.check.logs[l], run.rules, inputs.prefixes,
                            inputs.areas, caches[static_cast<size_t>(worker)], claimed[l]);
      },
      show_done, stop);
  if (!scored) return std::nullopt;
  return run;
}

QString DefaultKnownCallsPath(const QString& program_folder) {
  const QString own = QDir(program_folder).filePath(QStringLiteral("MASTER.SCP"));
  if (QFileInfo::exists(own)) return own;
  const QString debian = QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");
  return QFileInfo::exists(debian) ? debian : QString();
}

std::optional<QDate> LikelyFirstDay(const CrossCheckRun& run) {
  QMap<qint64, qint64> per_day;
  for (size_t l = 0; l < run.logs.size(); ++l) {
    const ClockModel& clock = run.check.logs[l].clock;
    for (const ContestQso& qso : run.logs[l].qsos) {
      if (qso.minute == kNoTime) continue;
      const qint64 minute = qint64{qso.minute} - clock.OffsetAt(qso.minute);
      ++per_day[minute >= 0 ? minute / 1440 : (minute - 1439) / 1440];
    }
  }
  std::optional<qint64> best_day;
  qint64 best_count = 0;
  for (auto day = per_day.cbegin(); day != per_day.cend(); ++day) {
    const qint64 count = day.value() + per_day.value(day.key() + 1);
    if (!best_day || count > best_count) {
      best_day = day.key();
      best_count = count;
    }
  }
  if (!best_day) return std::nullopt;
  return QDate(2000, 1, 1).addDays(*best_day);
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
