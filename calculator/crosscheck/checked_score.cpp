#include "calculator/crosscheck/checked_score.h"

#include <algorithm>
#include <cmath>

#include "calculator/calculation_run.h"
#include "common/call_resolution.h"

namespace tovek::crosscheck {
namespace {

LogScore ScoreEntries(const ContestLog& log, QsoEntryList entries, const PrefixTable& prefixes,
                      const AreaTable& areas, CallFactsCache& cache) {
  LogRead read;
  read.summary = log.scored.summary;
  read.stn_cnt = log.scored.stn_cnt;
  read.qsos = std::move(entries);
  NoProgress progress;
  return LogDataSearch(read, prefixes, areas, progress, cache);
}

}  // namespace

double PenaltyOf(Verdict verdict, const CheckRules& rules) {
  switch (verdict) {
    case Verdict::kNil:
      return rules.nil_penalty;
    case Verdict::kBust:
      return rules.bust_penalty;
    case Verdict::kExchangeBust:
      return rules.exchange_penalty;
    default:
      return 0;
  }
}

CheckedScore ScoreCheckedLog(const ContestLog& log, const LogCheck& check, const CheckRules& rules,
                             const PrefixTable& prefixes, const AreaTable& areas,
                             CallFactsCache& cache, const LogScore& claimed) {
  CheckedScore result;
  result.claimed = claimed;
  QsoEntryList credited;
  for (qsizetype i = 0; i < log.qsos.size(); ++i) {
    const ContestQso& qso = log.qsos[i];
    const Verdict verdict = check.qsos[static_cast<size_t>(i)].verdict;
    if (IsCredited(verdict, rules.unique_credit)) {
      credited.append({BandOfFrequency(qso.Frequency().toString()), qso.call.toString()});
    } else if (const double penalty = PenaltyOf(verdict, rules); penalty > 0) {
      const QString continent = DxccCheck(prefixes, qso.call).cnt;
      result.penalty_points += penalty * QsoPoints(continent, log.scored.stn_cnt);
    }
  }
  result.credited = ScoreEntries(log, std::move(credited), prefixes, areas, cache);
  const BandSlot& total = result.credited.tally[kTotalSlot];
  result.points = std::max<std::int64_t>(
      0, total.points - static_cast<std::int64_t>(std::llround(result.penalty_points)));
  result.score = result.points * (std::int64_t{total.mult1} + total.mult2);
  return result;
}

ResultRow CheckedResultRow(const ContestLog& log, const LogCheck& check,
                           const CheckedScore& score) {
  if (log.scored.status == LogRead::Status::kMissing ||
      log.scored.status == LogRead::Status::kUnreadable) {
    return UnreadLogRow(log.path, UnreadReason(log.scored));
  }
  LogScore shown = score.credited;
  BandSlot& total = shown.tally[kTotalSlot];
  total.dupes = static_cast<std::int16_t>(check.Count(Verdict::kDupe));
  total.points = static_cast<std::int32_t>(std::min<std::int64_t>(score.points, INT32_MAX));
  shown.score = score.score;
  return MakeResultRow(log.scored.summary, log.qsos.size(), shown);
}

}  // namespace tovek::crosscheck
