#include "calculator/crosscheck/crosscheck_run.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

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
  // Each log is scored as the calculation run scores it as soon as it is
  // read; its scoring entries then go, as the run lets them go.
  CallFactsCache cache;
  NoProgress scoring_progress;
  std::vector<LogScore> claimed;
  claimed.reserve(static_cast<size_t>(paths.size()));
  for (qsizetype i = 0; i < paths.size(); ++i) {
    if (stop()) return std::nullopt;
    ContestLog log = ReadContestLog(paths[i]);
    claimed.push_back(
        LogDataSearch(log.scored, inputs.prefixes, inputs.areas, scoring_progress, cache));
    log.scored.qsos = QsoEntryList();
    run.logs.push_back(std::move(log));
    progress.SetValue(i + 1);
    progress.Yield();
  }
  progress.SetLabel(0, QStringLiteral("CROSS CHECK"));
  run.check = CrossCheck(run.logs, inputs.known, run.rules, inputs.start, progress, cancelled);
  if (stop()) return std::nullopt;
  progress.SetLabel(0, QStringLiteral("SCORE"));
  progress.SetMaximum(static_cast<qint64>(run.logs.size()));
  run.scores.reserve(run.logs.size());
  for (size_t l = 0; l < run.logs.size(); ++l) {
    run.scores.push_back(ScoreCheckedLog(run.logs[l], run.check.logs[l], run.rules, inputs.prefixes,
                                         inputs.areas, cache, claimed[l]));
    progress.SetValue(static_cast<qint64>(l + 1));
    progress.Yield();
  }
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
