#include "calculator/calculation_run.h"

namespace tovek {

QString UnreadReason(const LogRead& log) {
  switch (log.status) {
    case LogRead::Status::kMissing:
      return QStringLiteral("ファイルがありません！");
    case LogRead::Status::kUnreadable:
      return log.error;
    case LogRead::Status::kRead:
    case LogRead::Status::kTooManyQsos:
      break;
  }
  return {};
}

ResultRow ResultRowOf(const QString& path, const LogRead& log, const LogScore& score) {
  if (log.status == LogRead::Status::kMissing || log.status == LogRead::Status::kUnreadable) {
    return UnreadLogRow(path, UnreadReason(log));
  }
  return MakeResultRow(log.summary, log.qsos.size(), score);
}

QString RunPositionText(qsizetype number, qsizetype count) {
  return QStringLiteral("%1 / %2  ").arg(number).arg(count);
}

QString RunStatusText(qsizetype number, qsizetype count, const QString& path) {
  return QStringLiteral("%1 / %2  %3").arg(number, 5).arg(count).arg(path);
}

ResultTable ScoreLogList(const LogList& list, const PrefixTable& prefixes, const AreaTable& areas,
                         Progress& progress, RunObserver& observer) {
  ResultTable rows;
  CallFactsCache cache;
  const qsizetype count = list.Count();
  for (qsizetype i = 0; i < count; ++i) {
    if (observer.StopRequested()) break;
    const QString path = list.Path(i);
    const LogRead log = ReadLog(path);
    observer.LogRead(i, count, path, log);
    const LogScore score = LogDataSearch(log, prefixes, areas, progress, cache);
    rows.append(ResultRowOf(path, log, score));
    observer.RowAdded(rows.constLast(), score);
    // Scoring lets the windows catch up after every QSO; a log without QSO
    // lines (missing, unreadable, in a layout of its own) gets its turn
    // here, or a list of them would leave the windows unpainted to the end.
    progress.Yield();
  }
  return rows;
}

}  // namespace tovek
