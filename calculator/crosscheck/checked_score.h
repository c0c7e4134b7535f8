// A log's score after the cross-check: the contest's scoring applied to the
// QSOs the check credits, less the penalties the rules set.
#pragma once

#include "calculator/area_table.h"
#include "calculator/crosscheck/cross_check.h"
#include "calculator/result_table.h"
#include "calculator/scoring.h"
#include "common/prefix_table.h"

namespace tovek::crosscheck {

struct CheckedScore {
  LogScore claimed;   // the log scored as the calculation run scores it
  LogScore credited;  // the same scoring over the credited QSOs only
  // Points a penalised QSO was worth, times its penalty, summed.
  double penalty_points = 0;
  std::int64_t points = 0;  // credited points less the penalty points, never below 0
  std::int64_t score = 0;   // points times the credited multipliers
};

// The penalty a verdict carries, in QSOs' worth of points.
double PenaltyOf(Verdict verdict, const CheckRules& rules);

// `claimed` is the log scored as the calculation run scores it
// (LogDataSearch over `log.scored`), which a contest run takes as it reads
// each log, so that the log's scoring entries need not be kept.
CheckedScore ScoreCheckedLog(const ContestLog& log, const LogCheck& check, const CheckRules& rules,
                             const PrefixTable& prefixes, const AreaTable& areas,
                             CallFactsCache& cache, const LogScore& claimed);

// The log's row in a checked results file: as the calculation run makes it,
// with the checked score as its score, the credited QSOs as its valid QSOs
// and points, and the duplicate lines as its duplicates.
ResultRow CheckedResultRow(const ContestLog& log, const LogCheck& check, const CheckedScore& score);

}  // namespace tovek::crosscheck
