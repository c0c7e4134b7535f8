#include "bench/crosscheck/contest_simulation.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <unordered_set>

#include "bench/crosscheck/miscopies.h"
#include "common/call_resolution.h"
#include "common/output_names.h"

namespace tovek::bench {
namespace {

// The air is simulated from an hour before the start to an hour after the
// end, for the stations that start early or go on too long.
constexpr int kFirstMinute = -60;
constexpr int kEndMinute = kContestMinutes + 60;

// How the stations behave.
constexpr double kSubmittingShare = 0.77;  // of the stations heard on the air
constexpr double kCasualShare = 0.12;      // calls MASTER.SCP does not know
constexpr double kPortableShare = 0.015;
constexpr double kActivityShape = 1.15;  // Pareto: the smaller, the heavier the tail
constexpr double kMaxActivity = 500;
constexpr double kOvertimeShare = 0.02;  // for each end of the contest
constexpr double kRecallShare = 0.007;   // answering a runner already worked on the band
constexpr double kMoveShare = 0.3;       // moving on after finding nobody new to work
constexpr int kRunnerCapacity = 2;       // QSOs a minute

// What goes wrong between the air and the logs.
constexpr double kDroppedShare = 0.02;    // of QSOs between two entrants: one never logs it
constexpr double kWrongBandShare = 0.04;  // of band changes: the logger keeps the last band
constexpr double kCallMiscopyShare = 0.02;
constexpr double kExchangeMiscopyShare = 0.008;
constexpr double kTimeNoiseShare = 0.08;  // logged a minute early or late

struct BandPlan {
  int low_khz;  // the RTTY part of the band
  int high_khz;
};
constexpr std::array<BandPlan, kContestBandCount> kBandPlans = {
    {{3580, 3600}, {7030, 7045}, {14070, 14100}, {21070, 21110}, {28070, 28150}}};

// Shares of the kinds of miscopies, in the order of their enums.
constexpr int kCallMiscopyWeights[kCallMiscopyCount] = {25, 5, 25, 15, 10, 12, 8};
constexpr int kExchangeMiscopyWeights[kExchangeMiscopyCount] = {40, 30, 30};

// In (0, 1].
double Uniform(Random& random) {
  return (static_cast<double>(random.Next() >> 11) + 1) * 0x1.0p-53;
}

double Between(Random& random, double low, double high) {
  return low + (high - low) * Uniform(random);
}

int WeightedIndex(Random& random, std::span<const int> weights) {
  int total = 0;
  for (const int weight : weights) total += weight;
  int pick = random.Below(total);
  for (size_t i = 0; i < weights.size(); ++i) {
    if (pick < weights[i]) return static_cast<int>(i);
    pick -= weights[i];
  }
  return 0;
}

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

// Low bands at night, high bands by day, at the station's own hour.
int PickBand(Random& random, int minute, int utc_offset) {
  static constexpr int kNight[] = {35, 40, 20, 5, 0};
  static constexpr int kTwilight[] = {10, 30, 40, 15, 5};
  static constexpr int kDay[] = {0, 10, 35, 30, 25};
  const int hour = ((FloorDiv(minute, 60) + utc_offset) % 24 + 24) % 24;
  if (hour >= 21 || hour < 5) return WeightedIndex(random, kNight);
  if (hour < 8 || hour >= 17) return WeightedIndex(random, kTwilight);
  return WeightedIndex(random, kDay);
}

int UtcOffsetOf(const QString& continent, const QString& entity) {
  if (entity == u"JA") return 9;
  if (continent == u"NA") return -6;
  if (continent == u"SA") return -4;
  if (continent == u"EU") return 1;
  if (continent == u"AS") return 7;
  if (continent == u"OC") return 10;
  return 2;  // AF
}

// A zone-like number that stays with the station: near the zones of its
// continent.
QString ExchangeOf(Random& random, const QString& continent, const QString& entity) {
  int zone = 25;
  if (entity != u"JA") {
    if (continent == u"NA")
      zone = random.Between(1, 8);
    else if (continent == u"SA")
      zone = random.Between(9, 13);
    else if (continent == u"EU")
      zone = random.Between(14, 16);
    else if (continent == u"AS")
      zone = random.Pick(std::array{17, 18, 19, 21, 22, 23, 24, 26, 27});
    else if (continent == u"OC")
      zone = random.Between(28, 32);
    else
      zone = random.Between(33, 39);
  }
  return QStringLiteral("%1").arg(zone, 2, 10, QChar(u'0'));
}

// Entrants come from every continent, Japan most of all: the groups are the
// six continents (Asia without Japan), then Japan.
struct StationGroups {
  std::array<const std::vector<int>*, 7> groups;
  std::vector<int> asia_without_japan;
};

const std::vector<int>& PickGroup(Random& random, const StationGroups& groups) {
  static constexpr int kWeights[] = {20, 4, 35, 8, 4, 4, 25};
  return *groups.groups[static_cast<size_t>(WeightedIndex(random, kWeights))];
}

// The call up to and including its last digit: "JA1" of "JA1ABC", "3D2"
// of "3D2AG"; empty when nothing follows that digit.
QString AreaPrefix(const QString& call) {
  for (qsizetype i = call.size() - 1; i > 0; --i) {
    if (call[i].isDigit()) return i + 1 < call.size() ? call.left(i + 1) : QString();
  }
  return {};
}

// A call of a real prefix that MASTER.SCP does not hold: a newcomer.
QString CasualCall(Random& random, const std::vector<int>& group, const CallPool& pool,
                   const PrefixTable& prefixes, const QSet<QString>& master,
                   const QSet<QString>& taken) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const QString area = AreaPrefix(pool.calls[static_cast<size_t>(random.Pick(group))].call);
    if (area.isEmpty() || area.size() > 5) continue;
    QString call = area;
    const int letters = random.Chance(0.4) ? 2 : 3;
    for (int i = 0; i < letters; ++i) call += QChar(u'A' + random.Below(26));
    if (master.contains(call) || taken.contains(call)) continue;
    if (!DxccCheck(prefixes, call).Resolved()) continue;
    return call;
  }
  return {};
}

QString PortableCall(Random& random, const QString& home) {
  const QString call = random.Chance(0.7) ? home + u'/' + QString::number(random.Below(10))
                                          : home + QStringLiteral("/P");
  return call.size() <= 12 ? call : home;
}

// The station's hours on the air, cut into runs on one frequency and
// stretches of search and pounce, each on the band its local hour favours.
std::vector<Segment> MakeSchedule(Random& random, double hours, double run_share, int utc_offset) {
  std::vector<Segment> segments;
  const double on_minutes = hours * 60;
  const int periods = std::clamp(static_cast<int>(std::lround(1 + hours / 5)), 1, 10);
  const double mean_on = on_minutes / periods;
  const double mean_off = (kContestMinutes - on_minutes) / periods;
  int t = static_cast<int>(mean_off * Uniform(random));
  for (int period = 0; period < periods && t < kContestMinutes; ++period) {
    const int period_end =
        std::min(kContestMinutes, t + static_cast<int>(mean_on * Between(random, 0.6, 1.4)) + 1);
    while (t < period_end) {
      Segment segment;
      segment.running = random.Chance(run_share);
      segment.start = t;
      segment.end = std::min(
          period_end, t + (segment.running ? random.Between(45, 180) : random.Between(15, 50)));
      segment.band = PickBand(random, t, utc_offset);
      const BandPlan& plan = kBandPlans[static_cast<size_t>(segment.band)];
      segment.khz = random.Between(plan.low_khz, plan.high_khz);
      segments.push_back(segment);
      t = segment.end;
    }
    t += static_cast<int>(mean_off * Between(random, 0.4, 1.6));
  }
  return segments;
}

// A few stations start before the contest does, or go on after its end.
void AddOvertime(Random& random, Station& station) {
  std::vector<Segment>& segments = station.segments;
  if (segments.empty()) return;
  if (random.Chance(kOvertimeShare)) {
    const int early = random.Between(10, 45);
    if (segments.front().start <= 30) {
      segments.front().start = -early;
    } else {
      Segment segment = segments.front();
      segment.start = -early;
      segment.end = random.Between(5, 30);
      segments.insert(segments.begin(), segment);
    }
  }
  if (random.Chance(kOvertimeShare)) {
    const int late = random.Between(10, 45);
    if (segments.back().end >= kContestMinutes - 30) {
      segments.back().end = kContestMinutes + late;
    } else {
      Segment segment = segments.back();
      segment.start = kContestMinutes - random.Between(5, 30);
      segment.end = kContestMinutes + late;
      segments.push_back(segment);
    }
  }
}

void Schedule(Random& random, Station& station) {
  const double hours =
      station.casual ? (random.Chance(0.5) ? Between(random, 0.05, 0.25) : Between(random, 0.5, 2))
                     : std::clamp(1 + 2.5 * std::sqrt(station.activity), 1.0, 42.0);
  const double run_share = std::clamp((std::log10(station.activity) - 0.2) / 1.8, 0.0, 0.85);
  station.segments = MakeSchedule(random, hours, run_share, station.utc_offset);
  AddOvertime(random, station);
}

// The stations on the air: real calls of MASTER.SCP with a heavy-tailed
// activity, and casual newcomers who make a handful of QSOs.
std::vector<Station> MakeStations(Random& random, int count, const CallPool& pool,
                                  const PrefixTable& prefixes, const QSet<QString>& master,
                                  SimulationFacts& facts) {
  StationGroups groups;
  for (const int index : pool.by_continent[3]) {
    if (pool.calls[static_cast<size_t>(index)].entity != u"JA") {
      groups.asia_without_japan.push_back(index);
    }
  }
  groups.groups = {&pool.by_continent[0], &pool.by_continent[1],
                   &pool.by_continent[2], &groups.asia_without_japan,
                   &pool.by_continent[4], &pool.by_continent[5],
                   &pool.japanese};
  const int casual_count = static_cast<int>(std::lround(count * kCasualShare));
  std::vector<Station> stations;
  QSet<QString> taken;
  while (static_cast<int>(stations.size()) < count) {
    Station station;
    station.casual = static_cast<int>(stations.size()) >= count - casual_count;
    const std::vector<int>& group = PickGroup(random, groups);
    if (station.casual) {
      station.call = CasualCall(random, group, pool, prefixes, master, taken);
      station.activity = Between(random, 1, 1.5);
    } else {
      station.call = pool.calls[static_cast<size_t>(random.Pick(group))].call;
      station.activity = std::min(kMaxActivity, std::pow(Uniform(random), -1 / kActivityShape));
    }
    if (station.call.isEmpty() || taken.contains(station.call)) continue;
    taken.insert(station.call);
    const DxccResult where = DxccCheck(prefixes, station.call);
    station.continent = where.cnt;
    station.utc_offset = UtcOffsetOf(where.cnt, where.cty);
    station.exchange = ExchangeOf(random, where.cnt, where.cty);
    if (!station.casual && random.Chance(kPortableShare)) {
      const QString portable = PortableCall(random, station.call);
      if (!taken.contains(portable)) {
        taken.insert(portable);
        station.call = portable;
        ++facts.portable_stations;
      }
    }
    Schedule(random, station);
    stations.push_back(std::move(station));
  }
  facts.stations = count;
  facts.casual_stations = casual_count;
  return stations;
}

std::uint64_t PairKey(int a, int b, int band) {
  const auto low = static_cast<std::uint64_t>(std::min(a, b));
  const auto high = static_cast<std::uint64_t>(std::max(a, b));
  return (low << 35) | (high << 3) | static_cast<std::uint64_t>(band);
}

// The runners calling CQ on one band in one minute, picked in proportion
// to how loud (how big) they are.
struct BandRunners {
  std::vector<int> stations;
  std::vector<int> khz;
  std::vector<double> cumulative;

  void Clear() {
    stations.clear();
    khz.clear();
    cumulative.clear();
  }
  void Add(int station, int frequency, double loudness) {
    stations.push_back(station);
    khz.push_back(frequency);
    cumulative.push_back((cumulative.empty() ? 0 : cumulative.back()) + loudness);
  }
  // An index into `stations`.
  size_t Pick(Random& random) const {
    const double at = Uniform(random) * cumulative.back();
    const auto found = std::lower_bound(cumulative.begin(), cumulative.end(), at);
    return std::min(static_cast<size_t>(found - cumulative.begin()), stations.size() - 1);
  }
};

// The minute-by-minute air: every search-and-pounce station on a band may
// answer one runner of that band a minute; a runner works at most two
// callers a minute, and a pair works once per band (almost).
class Air {
 public:
  Air(std::vector<Station>& stations, Random& random, SimulationFacts& facts)
      : stations_(stations),
        random_(random),
        facts_(facts),
        load_(stations.size()),
        moved_(stations.size()) {
    for (const Station& station : stations) {
      loudness_.push_back(std::pow(station.activity, 0.8));
      answer_rate_.push_back(std::min(0.55, 0.25 + 0.1 * std::log10(station.activity)));
    }
  }

  std::vector<OnAirQso> Run() {
    const std::vector<std::vector<std::pair<int, int>>> starts = SegmentStarts();
    std::vector<std::pair<int, int>> active;  // station, segment
    for (int minute = kFirstMinute; minute < kEndMinute; ++minute) {
      const auto& starting = starts[static_cast<size_t>(minute - kFirstMinute)];
      active.insert(active.end(), starting.begin(), starting.end());
      std::erase_if(active, [&](const auto& on) { return SegmentOf(on).end <= minute; });
      Tune(active);
      Answer(minute);
    }
    return std::move(qsos_);
  }

 private:
  const Segment& SegmentOf(const std::pair<int, int>& on) const {
    return stations_[static_cast<size_t>(on.first)].segments[static_cast<size_t>(on.second)];
  }

  std::vector<std::vector<std::pair<int, int>>> SegmentStarts() const {
    std::vector<std::vector<std::pair<int, int>>> starts(kEndMinute - kFirstMinute);
    for (size_t s = 0; s < stations_.size(); ++s) {
      const std::vector<Segment>& segments = stations_[s].segments;
      for (size_t i = 0; i < segments.size(); ++i) {
        const int start = std::max(kFirstMinute, segments[i].start);
        if (start >= kEndMinute) continue;
        starts[static_cast<size_t>(start - kFirstMinute)].emplace_back(static_cast<int>(s),
                                                                       static_cast<int>(i));
      }
    }
    return starts;
  }

  void Tune(const std::vector<std::pair<int, int>>& active) {
    for (BandRunners& band : runners_) band.Clear();
    callers_.clear();
    for (const auto& on : active) {
      const Segment& segment = SegmentOf(on);
      if (segment.running) {
        runners_[static_cast<size_t>(segment.band)].Add(on.first, segment.khz,
                                                        loudness_[static_cast<size_t>(on.first)]);
        load_[static_cast<size_t>(on.first)] = 0;
      } else {
        callers_.push_back(on);
      }
    }
    // Who answers first changes from minute to minute.
    for (size_t i = callers_.size(); i > 1; --i) {
      std::swap(callers_[i - 1], callers_[static_cast<size_t>(random_.Below(static_cast<int>(i)))]);
    }
  }

  void Answer(int minute) {
    for (const auto& on : callers_) {
      const int caller = on.first;
      if (!random_.Chance(answer_rate_[static_cast<size_t>(caller)])) continue;
      const int band = CallerBand(on);
      const BandRunners& runners = runners_[static_cast<size_t>(band)];
      const int picked = PickRunner(caller, runners, band);
      if (picked < 0) {
        MaybeMoveBand(on);
        continue;
      }
      const int runner = runners.stations[static_cast<size_t>(picked)];
      const int khz = runners.khz[static_cast<size_t>(picked)];
      qsos_.push_back({minute, caller, runner, band, khz});
      ++load_[static_cast<size_t>(runner)];
      ++stations_[static_cast<size_t>(caller)].qsos;
      ++stations_[static_cast<size_t>(runner)].qsos;
      if (minute < 0 || minute >= kContestMinutes) ++facts_.out_of_period_qsos;
    }
  }

  // The band a search-and-pounce station tunes: its segment's, unless it
  // moved on during the segment.
  int CallerBand(const std::pair<int, int>& on) const {
    const Moved& moved = moved_[static_cast<size_t>(on.first)];
    return moved.segment == on.second ? moved.band : SegmentOf(on).band;
  }

  // A caller who finds nobody new on its band now and then moves to a band
  // where somebody is running.
  void MaybeMoveBand(const std::pair<int, int>& on) {
    if (!random_.Chance(kMoveShare)) return;
    std::array<int, kContestBandCount> weights{};
    for (int band = 0; band < kContestBandCount; ++band) {
      weights[static_cast<size_t>(band)] =
          static_cast<int>(runners_[static_cast<size_t>(band)].stations.size());
    }
    weights[static_cast<size_t>(CallerBand(on))] = 0;
    if (std::all_of(weights.begin(), weights.end(), [](int w) { return w == 0; })) return;
    moved_[static_cast<size_t>(on.first)] = {on.second, WeightedIndex(random_, weights)};
  }

  // An index into `runners`, or -1 when the caller finds nobody. Now and
  // then a caller answers a runner it has worked on the band already (not
  // sure the QSO was complete); otherwise only new ones.
  int PickRunner(int caller, const BandRunners& runners, int band) {
    if (runners.stations.empty()) return -1;
    const bool recall = random_.Chance(kRecallShare);
    for (int attempt = 0; attempt < 4; ++attempt) {
      const size_t picked = runners.Pick(random_);
      const int runner = runners.stations[picked];
      if (runner == caller || load_[static_cast<size_t>(runner)] >= kRunnerCapacity) continue;
      const bool worked = worked_.count(PairKey(caller, runner, band)) > 0;
      if (worked != recall) continue;
      if (worked) ++facts_.on_air_dupes;
      worked_.insert(PairKey(caller, runner, band));
      return static_cast<int>(picked);
    }
    return -1;
  }

  struct Moved {
    int segment = -1;
    int band = 0;
  };

  std::vector<Station>& stations_;
  Random& random_;
  SimulationFacts& facts_;
  std::vector<double> loudness_;
  std::vector<double> answer_rate_;
  std::vector<int> load_;
  std::vector<Moved> moved_;
  std::array<BandRunners, kContestBandCount> runners_;
  std::vector<std::pair<int, int>> callers_;
  std::unordered_set<std::uint64_t> worked_;
  std::vector<OnAirQso> qsos_;
};

// Which of the stations heard on the air send a log: nearly every big
// station, most small ones, few newcomers. Returns them in file-name order.
std::vector<int> ChooseEntrants(Random& random, const std::vector<Station>& stations, int logs) {
  std::vector<std::pair<double, int>> keyed;
  for (size_t s = 0; s < stations.size(); ++s) {
    const Station& station = stations[s];
    if (station.qsos == 0) continue;
    const double weight = station.casual           ? 0.25
                          : station.activity >= 30 ? 0.98
                          : station.activity >= 5  ? 0.85
                                                   : 0.6;
    // Weighted sampling without replacement: the largest keys win.
    keyed.emplace_back(std::log(Uniform(random)) / weight, static_cast<int>(s));
  }
  if (static_cast<int>(keyed.size()) < logs) return {};
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<int> entrants;
  for (int i = 0; i < logs; ++i) entrants.push_back(keyed[static_cast<size_t>(i)].second);
  std::sort(entrants.begin(), entrants.end(), [&](int a, int b) {
    return OutputNameOf(stations[static_cast<size_t>(a)].call).Cabrillo() <
           OutputNameOf(stations[static_cast<size_t>(b)].call).Cabrillo();
  });
  return entrants;
}

QString PickCategory(Random& random, double activity) {
  static const QStringList kCategories = {"SOHP", "SOLP", "MO"};
  static constexpr int kBig[] = {60, 10, 30};
  static constexpr int kSmall[] = {35, 58, 7};
  return kCategories[WeightedIndex(
      random, activity >= 100 ? std::span<const int>(kBig) : std::span<const int>(kSmall))];
}

int SomeOffset(Random& random) {
  const int size = random.Pick(std::array{random.Between(1, 5), random.Between(10, 59), 60});
  return random.Chance(0.7) ? size : -size;
}

// Most clocks are right; some are a few minutes off, some many, some by
// whole hours (a time zone) or a whole day (the date), a few are set in
// mid-contest.
StationClock PickClock(Random& random) {
  using Kind = StationClock::Kind;
  StationClock clock;
  const int pick = random.Below(1000);
  if (pick < 780) return clock;
  if (pick < 860) {
    clock.kind = Kind::kSmall;
    clock.offset = random.Between(1, 5) * (random.Chance(0.7) ? 1 : -1);
  } else if (pick < 910) {
    clock.kind = Kind::kLarge;
    clock.offset = random.Between(10, 59) * (random.Chance(0.5) ? 1 : -1);
  } else if (pick < 950) {
    clock.kind = Kind::kWholeHours;
    clock.offset = random.Pick(std::array{60, -60, 120, -120});
  } else if (pick < 970) {
    clock.kind = Kind::kWholeDay;
    clock.offset = random.Chance(0.5) ? 1440 : -1440;
  } else {
    clock.kind = Kind::kJump;
    // Either a wrong clock set right, or a right one gone wrong.
    if (random.Chance(0.5)) {
      clock.offset = SomeOffset(random);
    } else {
      clock.later_offset = SomeOffset(random);
    }
  }
  return clock;
}

// A clock is set in mid-contest, but well away from the middle of the
// station's QSOs: which offset holds for most of its log is then clear.
void PlaceJump(Random& random, const std::vector<int>& qso_minutes, StationClock& clock) {
  const double share =
      random.Chance(0.5) ? Between(random, 0.15, 0.35) : Between(random, 0.65, 0.85);
  const auto at = static_cast<size_t>(share * static_cast<double>(qso_minutes.size()));
  clock.jump_minute = qso_minutes.empty() ? kContestMinutes / 2 : qso_minutes[at] + 1;
}

// What the logger has in its band field: the band of the last QSO it took,
// which the operator may forget to change after moving to another band.
struct LoggerBand {
  int last_true_band = -1;
  int band = -1;
  int khz = 0;
  int stale_lines_left = 0;
};

void PlaceOnBand(Random& random, const OnAirQso& qso, LoggerBand& logger, LogLine& line) {
  if (logger.last_true_band >= 0 && qso.band != logger.last_true_band) {
    logger.stale_lines_left = 0;
    if (random.Chance(kWrongBandShare)) {
      logger.stale_lines_left = 1;
      while (logger.stale_lines_left < 5 && random.Chance(0.5)) ++logger.stale_lines_left;
    }
  }
  logger.last_true_band = qso.band;
  // Back on the band the logger still shows: the mistake undoes itself.
  if (logger.band == qso.band) logger.stale_lines_left = 0;
  if (logger.stale_lines_left > 0) {
    --logger.stale_lines_left;
    line.wrong_band = true;
    line.band = logger.band;
    line.khz = logger.khz;
    return;
  }
  line.band = logger.band = qso.band;
  line.khz = logger.khz = qso.khz;
}

void MiscopyCallOf(Random& random, const QString& own_call, LogLine& line) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int kind = WeightedIndex(random, kCallMiscopyWeights);
    const std::optional<QString> miscopy =
        MiscopyCall(line.call, static_cast<CallMiscopy>(kind), random);
    if (!miscopy || *miscopy == own_call) continue;
    line.call = *miscopy;
    line.call_miscopy = kind;
    return;
  }
}

void MiscopyExchangeOf(Random& random, LogLine& line) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int kind = WeightedIndex(random, kExchangeMiscopyWeights);
    const std::optional<QString> miscopy =
        MiscopyExchange(line.received_exchange, static_cast<ExchangeMiscopy>(kind), random);
    if (!miscopy) continue;
    line.received_exchange = *miscopy;
    line.exchange_miscopy = kind;
    return;
  }
}

// Which side of each QSO logged it: every entrant, except that now and then
// one of two entrants never logged a QSO the other did.
std::vector<std::array<bool, 2>> LoggedSides(Random& random, const SimulatedContest& contest,
                                             SimulationFacts& facts) {
  std::vector<std::array<bool, 2>> logged;
  logged.reserve(contest.qsos.size());
  for (const OnAirQso& qso : contest.qsos) {
    std::array<bool, 2> sides = {contest.stations[static_cast<size_t>(qso.caller)].log >= 0,
                                 contest.stations[static_cast<size_t>(qso.runner)].log >= 0};
    if (sides[0] && sides[1] && random.Chance(kDroppedShare)) {
      // Not a log's only QSO: an empty log is another matter.
      const int side = random.Below(2);
      const int station = side == 0 ? qso.caller : qso.runner;
      if (contest.stations[static_cast<size_t>(station)].qsos >= 3) {
        sides[static_cast<size_t>(side)] = false;
        ++facts.dropped_lines;
      }
    }
    logged.push_back(sides);
  }
  return logged;
}

LogLine MakeLine(Random& random, const SimulatedContest& contest, const EntrantLog& log,
                 int qso_index, bool partner_dropped, LoggerBand& logger) {
  const OnAirQso& qso = contest.qsos[static_cast<size_t>(qso_index)];
  const Station& own = contest.stations[static_cast<size_t>(log.station)];
  LogLine line;
  line.qso = qso_index;
  line.partner = qso.caller == log.station ? qso.runner : qso.caller;
  const Station& partner = contest.stations[static_cast<size_t>(line.partner)];
  line.true_minute = qso.minute;
  if (random.Chance(kTimeNoiseShare)) line.time_noise = random.Chance(0.5) ? 1 : -1;
  line.logged_minute = qso.minute + log.clock.OffsetAt(qso.minute) + line.time_noise;
  PlaceOnBand(random, qso, logger, line);
  line.call = partner.call;
  line.received_exchange = partner.exchange;
  line.partner_dropped = partner_dropped;
  // A QSO the partner never logged stays as it is: with an error of its own
  // on top, nothing could tell a miscopy from a QSO that did not happen.
  if (partner_dropped) return line;
  if (random.Chance(kCallMiscopyShare)) MiscopyCallOf(random, own.call, line);
  if (random.Chance(kExchangeMiscopyShare)) MiscopyExchangeOf(random, line);
  return line;
}

void BuildLogLines(Random& random, SimulatedContest& contest) {
  const std::vector<std::array<bool, 2>> logged = LoggedSides(random, contest, contest.facts);
  std::vector<std::vector<std::pair<int, bool>>> worked(contest.logs.size());
  for (size_t q = 0; q < contest.qsos.size(); ++q) {
    const OnAirQso& qso = contest.qsos[q];
    const int caller_log = contest.stations[static_cast<size_t>(qso.caller)].log;
    const int runner_log = contest.stations[static_cast<size_t>(qso.runner)].log;
    if (logged[q][0]) worked[static_cast<size_t>(caller_log)].emplace_back(q, !logged[q][1]);
    if (logged[q][1]) worked[static_cast<size_t>(runner_log)].emplace_back(q, !logged[q][0]);
  }
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    EntrantLog& log = contest.logs[l];
    LoggerBand logger;
    for (const auto& [qso, unanswered] : worked[l]) {
      const OnAirQso& on_air = contest.qsos[static_cast<size_t>(qso)];
      const int partner = on_air.caller == log.station ? on_air.runner : on_air.caller;
      const bool partner_dropped =
          unanswered && contest.stations[static_cast<size_t>(partner)].log >= 0;
      log.lines.push_back(MakeLine(random, contest, log, qso, partner_dropped, logger));
    }
  }
}

Truth JudgeLine(const SimulatedContest& contest, const LogLine& line, bool dupe, int logs_with_call,
                QString& detail) {
  const Station& partner = contest.stations[static_cast<size_t>(line.partner)];
  if (dupe) return Truth::kDupe;
  // Out of time is judged on the logged time with the clock's error taken
  // out: a QSO of 23:59 logged a minute late is out, as the check must see it.
  const int corrected = line.true_minute + line.time_noise;
  if (corrected < 0 || corrected >= kContestMinutes) return Truth::kOutOfTime;
  // A band error shows only against the partner's own line.
  if (line.wrong_band && partner.log >= 0 && !line.partner_dropped) {
    detail = ContestBandName(contest.qsos[static_cast<size_t>(line.qso)].band);
    return Truth::kBand;
  }
  if (line.call_miscopy >= 0) {
    detail = partner.call;
    return Truth::kBust;
  }
  if (line.exchange_miscopy >= 0) {
    detail = partner.exchange;
    return Truth::kExchangeBust;
  }
  if (line.partner_dropped) return Truth::kNil;
  if (partner.log >= 0) return Truth::kOk;
  // A station that sent no log is genuine when another log or the master
  // call list knows it.
  if (logs_with_call >= 2 || contest.master_calls.contains(line.call)) return Truth::kUnverified;
  return Truth::kUnique;
}

// The verdicts, in the order DUPE, TIME, BAND, BUST, XBUST, NIL: a line
// with two errors takes the first.
void JudgeLines(SimulatedContest& contest) {
  QHash<QString, int> logs_with_call;
  for (const EntrantLog& log : contest.logs) {
    QSet<QString> calls;
    for (const LogLine& line : log.lines) calls.insert(line.call);
    for (const QString& call : calls) ++logs_with_call[call];
  }
  for (EntrantLog& log : contest.logs) {
    QSet<QString> worked;
    for (LogLine& line : log.lines) {
      const QString key = QString::number(line.band) + u' ' + line.call;
      const bool dupe = worked.contains(key);
      worked.insert(key);
      line.truth = JudgeLine(contest, line, dupe, logs_with_call.value(line.call), line.detail);
    }
  }
}

// The offset of most of the lines a check can measure it on.
void SummariseLog(const SimulatedContest& contest, EntrantLog& log) {
  int after_jump = 0;
  for (const LogLine& line : log.lines) {
    if (contest.stations[static_cast<size_t>(line.partner)].log < 0 || line.partner_dropped) {
      continue;
    }
    ++log.matchable;
    if (line.true_minute >= log.clock.jump_minute) ++after_jump;
  }
  log.main_offset = 2 * after_jump > log.matchable ? log.clock.later_offset : log.clock.offset;
}

void CountInjections(SimulatedContest& contest) {
  SimulationFacts& facts = contest.facts;
  for (const EntrantLog& log : contest.logs) {
    ++facts.clock_kinds[static_cast<size_t>(log.clock.kind)];
    for (const LogLine& line : log.lines) {
      if (line.wrong_band) ++facts.wrong_band_lines;
      if (line.time_noise != 0) ++facts.noisy_times;
      if (line.call_miscopy >= 0) ++facts.call_miscopies[static_cast<size_t>(line.call_miscopy)];
      if (line.exchange_miscopy >= 0) {
        ++facts.exchange_miscopies[static_cast<size_t>(line.exchange_miscopy)];
      }
    }
  }
  for (const Station& station : contest.stations) {
    if (station.qsos == 0) ++facts.silent_stations;
  }
}

}  // namespace

QString TruthWord(Truth truth) {
  static const QString kWords[kTruthCount] = {
      QStringLiteral("OK"),     QStringLiteral("UNVERIFIED"), QStringLiteral("NIL"),
      QStringLiteral("BUST"),   QStringLiteral("XBUST"),      QStringLiteral("BAND"),
      QStringLiteral("UNIQUE"), QStringLiteral("DUPE"),       QStringLiteral("TIME")};
  return kWords[static_cast<int>(truth)];
}

QString ContestBandName(int band) {
  static const QString kNames[kContestBandCount] = {
      QStringLiteral("3500"), QStringLiteral("7000"), QStringLiteral("14000"),
      QStringLiteral("21000"), QStringLiteral("28000")};
  return kNames[band];
}

const char* ClockKindName(StationClock::Kind kind) {
  switch (kind) {
    case StationClock::Kind::kExact:
      return "right";
    case StationClock::Kind::kSmall:
      return "1-5 minutes off";
    case StationClock::Kind::kLarge:
      return "10-59 minutes off";
    case StationClock::Kind::kWholeHours:
      return "whole hours off";
    case StationClock::Kind::kWholeDay:
      return "a whole day off";
    case StationClock::Kind::kJump:
      return "set in mid-contest";
  }
  return "";
}

SimulatedContest SimulateContest(const SimulationShape& shape, const CallPool& pool,
                                 const PrefixTable& prefixes) {
  SimulatedContest contest;
  contest.shape = shape;
  for (const KnownCall& known : pool.calls) contest.master_calls.insert(known.call.toUpper());
  Random random(shape.seed);
  // Some stations never make a QSO (nobody was on their band); a few more
  // are put on the air so that the share sending logs comes out near the
  // intended one.
  const int stations = static_cast<int>(std::ceil(shape.logs / kSubmittingShare * 1.02));
  contest.stations =
      MakeStations(random, stations, pool, prefixes, contest.master_calls, contest.facts);
  contest.qsos = Air(contest.stations, random, contest.facts).Run();
  contest.facts.on_air_qsos = static_cast<std::int64_t>(contest.qsos.size());

  const std::vector<int> entrants = ChooseEntrants(random, contest.stations, shape.logs);
  if (entrants.empty()) {
    contest.error = QStringLiteral("fewer stations made QSOs than logs were asked for");
    return contest;
  }
  std::vector<std::vector<int>> qso_minutes(contest.stations.size());
  for (const OnAirQso& qso : contest.qsos) {
    qso_minutes[static_cast<size_t>(qso.caller)].push_back(qso.minute);
    qso_minutes[static_cast<size_t>(qso.runner)].push_back(qso.minute);
  }
  for (const int station : entrants) {
    Station& entrant = contest.stations[static_cast<size_t>(station)];
    entrant.log = static_cast<int>(contest.logs.size());
    EntrantLog log;
    log.station = station;
    log.file_name = OutputNameOf(entrant.call).Cabrillo();
    log.fixed_layout = random.Chance(0.5);
    log.category = PickCategory(random, entrant.activity);
    log.clock = PickClock(random);
    if (log.clock.kind == StationClock::Kind::kJump) {
      PlaceJump(random, qso_minutes[static_cast<size_t>(station)], log.clock);
    }
    contest.logs.push_back(std::move(log));
  }
  BuildLogLines(random, contest);
  JudgeLines(contest);
  for (EntrantLog& log : contest.logs) SummariseLog(contest, log);
  CountInjections(contest);
  return contest;
}

}  // namespace tovek::bench
