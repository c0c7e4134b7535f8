// Synthetic contest data for the benchmarks, made from real call signs
// (MASTER.SCP) and the real prefix file, the same bytes for the same seed.
//
// What it writes:
// - a contest: one Cabrillo log per entrant in the layout the editor writes,
//   the scoring run's input;
// - a raw log in the damaged shapes the editor's reading and load passes
//   repair, the editor's input;
// - the same raw log with LF-only line ends, which the editor reads as one
//   long line and cuts again at the header tags;
// - an ADIF file, the converter's input.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "common/prefix_table.h"

namespace tovek::bench {

// xoshiro256** seeded through splitmix64: the same numbers on every
// platform and compiler, which the standard distributions do not promise.
class Random {
 public:
  explicit Random(std::uint64_t seed);
  std::uint64_t Next();
  // Uniform in [0, n); n > 0.
  int Below(int n);
  // Uniform in [low, high].
  int Between(int low, int high) { return low + Below(high - low + 1); }
  // True with probability p.
  bool Chance(double p);
  template <typename List>
  const auto& Pick(const List& list) {
    return list[Below(static_cast<int>(list.size()))];
  }

 private:
  std::uint64_t state_[4];
};

// A real call sign and what the prefix table makes of it.
struct KnownCall {
  QString call;
  QString entity;     // primary prefix; empty when the call does not resolve
  QString continent;  // two letters; empty when the call does not resolve
};

// The call signs of a MASTER.SCP file in file order (comment lines and
// blank lines skipped), each resolved through the prefix table.
struct CallPool {
  std::vector<KnownCall> calls;
  // Indices into `calls` of resolved calls without "/", by continent, in
  // the order "NA", "SA", "EU", "AS", "OC", "AF"; and of JA stations.
  std::vector<std::vector<int>> by_continent;
  std::vector<int> japanese;
};

inline constexpr const char* kContinents[] = {"NA", "SA", "EU", "AS", "OC", "AF"};
inline constexpr int kContinentCount = 6;

struct PoolOutcome {
  CallPool pool;
  QString error;  // empty when the pool was read
};
PoolOutcome LoadCallPool(const QString& master_scp_path, const PrefixTable& prefixes);
// The same, loading `prefixes` from `cty_path` first (the generators' start).
PoolOutcome LoadCallPool(const QString& master_scp_path, const QString& cty_path,
                         PrefixTable& prefixes);

struct ContestShape {
  std::uint64_t seed = 1;
  int logs = 3000;
  int qsos = 1000;  // the mean; each log holds 80 % to 120 % of it
};

// What a contest holds, for the report.
struct ContestFacts {
  int logs = 0;
  std::int64_t qso_lines = 0;
  std::int64_t duplicates = 0;   // QSOs that repeat a call on its band
  std::int64_t portables = 0;    // worked calls written with "/"
  std::int64_t unresolved = 0;   // worked calls the prefix table does not resolve
  std::int64_t out_of_band = 0;  // QSOs on none of the five bands
  std::int64_t bytes = 0;
  QStringList categories;  // those that occur
  QStringList continents;  // the entrants' continents that occur
};

struct WriteOutcome {
  bool ok = true;
  QString error;
};

// Writes the entrants' logs into `folder` (which must exist), one
// CALL.cbr each, in the editor's Cabrillo 2.0 layout.
WriteOutcome WriteContest(const QString& folder, const ContestShape& shape, const CallPool& pool,
                          const PrefixTable& prefixes, ContestFacts& facts);

struct RawLogShape {
  std::uint64_t seed = 1;
  int rows = 32767;  // lines of the file; the log never grows beyond them
};

struct RawLogFacts {
  int lines = 0;
  int qsos = 0;
  int blank_rows = 0;
  int doubled_rows = 0;  // two QSOs on one line
  int split_rows = 0;    // one QSO broken over two lines
  int left_frequencies = 0;
  int tabbed_rows = 0;
  int ignored_qso_rows = 0;  // "X-QSO:"
  int colon_times = 0;
  int lf_joined_rows = 0;  // two QSO lines joined by a lone LF
};

// The bytes of an entrant's log as it arrives: Cabrillo 3.0 tags, CP932,
// CR LF line ends, damaged in the ways the editor repairs.
QByteArray RawLog(const RawLogShape& shape, const CallPool& pool, RawLogFacts& facts);

// A clean log of `qsos` QSO rows whose lines all end with a lone LF, as
// loggers on Linux save them.
QByteArray LfOnlyLog(std::uint64_t seed, int qsos, const CallPool& pool);

struct AdifFacts {
  int records = 0;
  int lower_case_records = 0;
  int field_per_line_records = 0;
};

// An ADIF export of `records` QSOs: a header ending in "<EOH>", records
// one per line, some one field per line, some in lower case, dates with
// their type letter.
QByteArray AdifLog(std::uint64_t seed, int records, const CallPool& pool, AdifFacts& facts);

}  // namespace tovek::bench
