// A calculation run over a log list: each log read, scored and turned into
// its result row, in list order. The window and the command line both run it,
// so they give the same rows.
#pragma once

#include "calculator/area_table.h"
#include "calculator/log_list.h"
#include "calculator/log_reader.h"
#include "calculator/result_table.h"
#include "calculator/scoring.h"
#include "common/prefix_table.h"
#include "common/progress.h"

namespace tovek {

// What a run tells its host while it goes through the list.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // Log `index` (0-based) of `count` has been read; `log.status` tells
  // whether it could be.
  virtual void LogRead(qsizetype index, qsizetype count, const QString& path,
                       const LogRead& log) = 0;
  // The log has been scored and its row made. The row's QSO points are
  // those the 16-bit field can hold; the score has them all.
  virtual void RowAdded(const ResultRow& row, const LogScore& score) = 0;
  // Asked before each log: true ends the run there.
  virtual bool StopRequested() { return false; }
};

// The row a run adds for a log, read and scored. A log that could not be
// read at all gets a row that says so (UnreadLogRow).
ResultRow ResultRowOf(const QString& path, const LogRead& log, const LogScore& score);

// The reason shown for a log that could not be read.
QString UnreadReason(const LogRead& log);

// The progress window's second label: "3 / 25" and two spaces.
QString RunPositionText(qsizetype number, qsizetype count);

// The status text while log `number` (1-based) of `count` is scored: the
// number right-aligned in five, " / ", the count, two spaces and the path.
QString RunStatusText(qsizetype number, qsizetype count, const QString& path);

// Reads and scores every log of the list in order and returns their rows in
// that order (not yet sorted).
ResultTable ScoreLogList(const LogList& list, const PrefixTable& prefixes, const AreaTable& areas,
                         Progress& progress, RunObserver& observer);

}  // namespace tovek
