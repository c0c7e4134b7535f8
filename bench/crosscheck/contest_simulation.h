// A contest with a known truth, for measuring the cross-check: the QSOs as
// they happened on the air, the logs the entrants sent of them with the
// errors real logs have, and for every QSO line the verdict a perfect check
// would give it.
//
// The same seed gives the same contest, the same files and the same truth.
#pragma once

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <limits>
#include <vector>

#include "bench/crosscheck/miscopies.h"
#include "bench/generator/bench_data.h"
#include "common/prefix_table.h"

namespace tovek::bench {

// What a perfect check says of a QSO line, as `tovek crosscheck --qsos`
// writes it.
enum class Truth : std::uint8_t {
  kOk,
  kUnverified,
  kNil,
  kBust,          // detail: the call worked
  kExchangeBust,  // detail: the number the other station sent
  kBand,          // detail: the band the QSO was made on
  kUnique,
  kDupe,
  kOutOfTime,
};
inline constexpr int kTruthCount = 9;

// "OK", "UNVERIFIED", "NIL", "BUST", "XBUST", "BAND", "UNIQUE", "DUPE", "TIME".
QString TruthWord(Truth truth);

// The five contest bands by index, named by their lower edge in kHz.
inline constexpr int kContestBandCount = 5;
QString ContestBandName(int band);  // "3500", "7000", "14000", "21000", "28000"

// The contest runs 48 hours from 00:00 UTC of its start date; minutes are
// counted from that moment.
inline constexpr int kContestMinutes = 48 * 60;

// A station's clock against true time: ahead by `offset` minutes, and from
// true minute `jump_minute` on by `later_offset` (a clock set in mid-contest).
struct StationClock {
  enum class Kind { kExact, kSmall, kLarge, kWholeHours, kWholeDay, kJump };
  static constexpr int kNoJump = std::numeric_limits<int>::max();

  Kind kind = Kind::kExact;
  int offset = 0;
  int later_offset = 0;
  int jump_minute = kNoJump;

  int OffsetAt(int true_minute) const { return true_minute >= jump_minute ? later_offset : offset; }
};
inline constexpr int kClockKindCount = 6;
const char* ClockKindName(StationClock::Kind kind);

// A stretch of time a station spends on one band, calling CQ on one
// frequency (running) or tuning for stations that do (search and pounce).
struct Segment {
  int start = 0;  // true minute
  int end = 0;    // true minute, not included
  int band = 0;
  bool running = false;
  int khz = 0;  // the running frequency
};

struct Station {
  QString call;
  QString continent;
  QString exchange;               // "01" to "40", sent in every QSO
  double activity = 1;            // heavy-tailed: a few big stations, many small ones
  bool casual = false;            // a call MASTER.SCP does not hold
  int utc_offset = 0;             // hours, for the bands of its night and day
  std::vector<Segment> segments;  // in time order
  int qsos = 0;                   // made on the air
  int log = -1;                   // index into SimulatedContest::logs; -1: sent none
};

struct OnAirQso {
  int minute = 0;  // true minute
  int caller = 0;  // station that answered
  int runner = 0;  // station that called CQ
  int band = 0;
  int khz = 0;
};

// One QSO line of a log, as written, with what went wrong in it and the
// verdict it deserves.
struct LogLine {
  int qso = 0;      // index into SimulatedContest::qsos
  int partner = 0;  // the station worked
  int true_minute = 0;
  int logged_minute = 0;
  int band = 0;                  // as logged
  int khz = 0;                   // as logged
  QString call;                  // as logged
  QString received_exchange;     // as logged
  bool partner_dropped = false;  // the partner sent a log without this QSO
  bool wrong_band = false;       // logged while the logger still had the last band
  int call_miscopy = -1;         // a CallMiscopy, or -1
  int exchange_miscopy = -1;     // an ExchangeMiscopy, or -1
  int time_noise = 0;            // minutes the logged time is off its clock
  Truth truth = Truth::kOk;
  QString detail;
};

struct EntrantLog {
  int station = 0;
  QString file_name;         // "CALL.cbr", "/" written as "-"
  bool fixed_layout = true;  // the log editor's Cabrillo 2.0 line, else Cabrillo 3.0
  QString category;          // "SOHP", "SOLP", "MO"
  StationClock clock;
  int main_offset = 0;  // the offset that holds for most of its matchable lines
  int matchable = 0;    // lines whose QSO the other station logged too
  std::vector<LogLine> lines;
};

struct SimulationShape {
  std::uint64_t seed = 1;
  int logs = 300;
  QDate start = QDate(2026, 9, 26);
};

// What was put into the contest, for the summary.
struct SimulationFacts {
  int stations = 0;
  int casual_stations = 0;
  int portable_stations = 0;
  int silent_stations = 0;  // put on the air but never worked anybody
  std::int64_t on_air_qsos = 0;
  std::int64_t on_air_dupes = 0;  // a station called a runner it had worked on that band
  std::int64_t out_of_period_qsos = 0;
  std::int64_t dropped_lines = 0;  // QSOs one side never logged
  std::int64_t wrong_band_lines = 0;
  std::int64_t noisy_times = 0;
  std::vector<std::int64_t> call_miscopies = std::vector<std::int64_t>(kCallMiscopyCount);
  std::vector<std::int64_t> exchange_miscopies = std::vector<std::int64_t>(kExchangeMiscopyCount);
  std::vector<int> clock_kinds = std::vector<int>(kClockKindCount);
};

struct SimulatedContest {
  SimulationShape shape;
  std::vector<Station> stations;
  std::vector<OnAirQso> qsos;    // in time order
  std::vector<EntrantLog> logs;  // in file-name order
  QSet<QString> master_calls;    // MASTER.SCP, as the check's master call list
  SimulationFacts facts;
  QString error;  // empty when the contest could be made
};

SimulatedContest SimulateContest(const SimulationShape& shape, const CallPool& pool,
                                 const PrefixTable& prefixes);

// Writes into `folder`: logs/CALL.cbr for every entrant; logs.txt, their
// paths in order; truth.tsv, "CALL<TAB>LINE<TAB>VERDICT<TAB>DETAIL" for
// every QSO line of every log in that order; truth-clock.tsv,
// "CALL<TAB>OFFSET_MINUTES<TAB>MATCHABLE_QSOS". The summary is written
// apart, once the files have been checked.
WriteOutcome WriteSimulatedContest(const QString& folder, const SimulatedContest& contest);

// Writes text files as `tovek` writes its reports: UTF-8, LF line ends.
WriteOutcome WriteReportLines(const QString& path, const QStringList& lines);

// Reads the written logs back and holds every line's truth against what
// the files say: an OK line's partner logged it on that band at that time
// and the number received is the one sent; a DUPE repeats an earlier call
// and band; a NIL's partner log holds no such QSO; UNVERIFIED and UNIQUE
// calls are what the other logs and MASTER.SCP make them; and so on.
// Returns one text per fault found (empty: the truth holds).
QStringList CheckTruth(const QString& folder, const SimulatedContest& contest);

// The summary: what was injected and the counts of every truth.
QStringList SummaryLines(const SimulatedContest& contest, const QStringList& faults);

}  // namespace tovek::bench
