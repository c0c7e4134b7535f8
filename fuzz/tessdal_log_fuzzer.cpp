// A Cabrillo log as the score calculator reads and scores it (ReadLog and
// LogDataSearch), with the shipped Cty.dat and Tovek.are, into its result row.
#include <cmath>

#include "calculator/calculation_run.h"
#include "calculator/log_reader.h"
#include "calculator/result_table.h"
#include "calculator/scoring.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = ScratchFile(QStringLiteral("log.cbr"), Bytes(data, size));
  const LogRead log = ReadLog(path);
  FUZZ_EXPECT(log.status == LogRead::Status::kRead || log.status == LogRead::Status::kTooManyQsos);
  FUZZ_EXPECT(log.qsos.size() <= kMaxLogQsos);
  NoProgress progress;
  const LogScore score = LogDataSearch(log, ShippedPrefixes(), ShippedAreas(), progress);

  const BandSlot& total = score.tally[kTotalSlot];
  FUZZ_EXPECT(total.valid + total.dupes <= log.qsos.size());
  FUZZ_EXPECT(total.valid >= 0 && total.dupes >= 0 && total.points >= 0);
  FUZZ_EXPECT(total.mult1 >= 0 && total.mult2 >= 0 && total.mult1 <= total.valid &&
              total.mult2 <= total.valid);
  BandSlot sum;
  for (int slot = 0; slot < kBandSlots; ++slot) {
    sum.valid += score.tally[slot].valid;
    sum.dupes += score.tally[slot].dupes;
    sum.points += score.tally[slot].points;
  }
  FUZZ_EXPECT(sum.valid == total.valid && sum.dupes == total.dupes && sum.points == total.points);
  FUZZ_EXPECT(score.score >= 0);

  const ResultRow row = ResultRowOf(path, log, score);
  FUZZ_EXPECT(row.qso_lines == log.qsos.size());
  // A row holds numbers that the results file can keep.
  FUZZ_EXPECT(std::isfinite(row.claimed_score) && std::isfinite(row.score));
  FUZZ_EXPECT(row.call_sign.size() <= result_width::kCallSign);
  FUZZ_EXPECT(row.soapbox.size() <= result_width::kSoapbox);
  const QStringList cells = GridCells(row);
  FUZZ_EXPECT(cells.size() == kGridColumns);
  FUZZ_EXPECT(RowFromGridCells(cells, ResultRow()) == row);
  RankingTables tables;
  tables.File(row);
  FUZZ_EXPECT(tables.TotalEntries() <= 3);
  return 0;
}
