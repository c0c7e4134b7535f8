#include "calculator/crosscheck/cross_check.h"

#include <QHash>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <tuple>

#include "calculator/crosscheck/clock_fit.h"
#include "calculator/crosscheck/parallel_work.h"
#include "calculator/crosscheck/rtty_errors.h"
#include "common/text_file.h"

namespace tovek::crosscheck {
namespace {

constexpr int kNone = -1;
constexpr int kPeriodMinutes = 48 * 60;
// How far from a QSO the other logs are searched for a station on the air;
// further for a call nobody else logged, which is far more often a miscopy
// than a station heard by one entrant alone.
constexpr int kOnAirReach = 15;
constexpr int kUniqueOnAirReach = 90;
// How far around a QSO its own log's neighbours tell which band it was on.
constexpr int kNeighbourReach = 30;
constexpr int kNeighboursEachSide = 3;
// A line paired across bands and calls at once must agree to the minute.
constexpr int kTwiceWrongWindow = 2;
// The dearest miscopy a bust may be: one error nothing explains, or two
// cheap ones. Without the other log's word, only a single error of the model.
constexpr double kMaxPairedBustCost = rtty_cost::kOther;
constexpr double kMaxOnAirBustCost = rtty_cost::kKeyboard;
// A call other logs hold too is taken for a miscopy only when it is the
// error RTTY makes again and again: the same lost shift or flipped bit.
constexpr double kMaxRepeatedBustCost = rtty_cost::kOneBit;

// Exchanges compare as numbers ("08" is "8"), anything else as its text:
// each gets a number, its value for a number, a negative one for a text.
class ExchangeBook {
 public:
  int Code(QStringView exchange) {
    if (exchange.isEmpty()) return kNone;
    int value = 0;
    bool number = exchange.size() <= 9;
    for (qsizetype i = 0; number && i < exchange.size(); ++i) {
      number = exchange[i] >= u'0' && exchange[i] <= u'9';
      value = value * 10 + (exchange[i].unicode() - u'0');
    }
    if (number && value < kSmallNumbers) {
      // Most exchanges are small numbers: whether one was seen is a bit.
      if (!small_seen_[static_cast<size_t>(value)]) {
        small_seen_[static_cast<size_t>(value)] = true;
        first_written_.insert(value, exchange.toString());
      }
      return value;
    }
    const int code = number ? value : TextCode(exchange);
    if (!first_written_.contains(code)) first_written_.insert(code, exchange.toString());
    return code;
  }
  // The exchange of a code as it was first written.
  QString Text(int code) const { return first_written_.value(code); }

 private:
  int TextCode(QStringView exchange) {
    const QString text = exchange.toString();
    const auto found = texts_.constFind(text);
    if (found != texts_.cend()) return found.value();
    const int code = kNone - 1 - static_cast<int>(texts_.size());
    texts_.insert(text, code);
    return code;
  }
  static constexpr int kSmallNumbers = 100000;
  QHash<QString, int> texts_;
  QHash<int, QString> first_written_;
  std::vector<bool> small_seen_ = std::vector<bool>(kSmallNumbers);
};

// The most frequent of some codes (the lowest code among equals), kNone
// left out; kNone for none.
int MostCommon(std::vector<int> codes) {
  std::sort(codes.begin(), codes.end());
  int best = kNone;
  qsizetype best_count = 0;
  for (auto run = codes.begin(); run != codes.end();) {
    const auto end = std::upper_bound(run, codes.end(), *run);
    if (*run != kNone && end - run > best_count) {
      best = *run;
      best_count = end - run;
    }
    run = end;
  }
  return best;
}

// Every call of the contest gets a number; the check compares numbers.
// Calls are found by their characters in an open table kept a quarter full,
// so that the bust search can ask for the hundreds of variants of a call,
// nearly all of them no call at all, at the price of one probe each and
// without making a text of any.
class CallBook {
 public:
  CallBook() { slots_.assign(kFirstSlots, kNone); }

  int Intern(QStringView call) {
    const std::uint32_t hash = Hash(call);
    const size_t slot = SlotOf(call, hash);
    if (slots_[slot] != kNone) return slots_[slot];
    const int id = static_cast<int>(texts_.size());
    texts_.push_back(call.toString());
    hashes_.push_back(hash);
    slots_[slot] = id;
    if (texts_.size() * 4 > slots_.size()) Grow();
    return id;
  }
  int Find(QStringView call) const { return slots_[SlotOf(call, Hash(call))]; }
  const QString& Text(int id) const { return texts_[static_cast<size_t>(id)]; }
  int Size() const { return static_cast<int>(texts_.size()); }

 private:
  static constexpr size_t kFirstSlots = 1 << 12;

  static std::uint32_t Hash(QStringView call) {
    std::uint32_t hash = 2166136261u;
    for (const QChar c : call) hash = (hash ^ c.unicode()) * 16777619u;
    return hash ^ (hash >> 15);
  }
  // The slot that holds `call`, or the empty slot where it would go.
  size_t SlotOf(QStringView call, std::uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const int id = slots_[slot];
      if (id == kNone) return slot;
      if (hashes_[static_cast<size_t>(id)] == hash && texts_[static_cast<size_t>(id)] == call) {
        return slot;
      }
    }
  }
  void Grow() {
    slots_.assign(slots_.size() * 2, kNone);
    const size_t mask = slots_.size() - 1;
    for (size_t id = 0; id < texts_.size(); ++id) {
      size_t slot = hashes_[id] & mask;
      while (slots_[slot] != kNone) slot = (slot + 1) & mask;
      slots_[slot] = static_cast<int>(id);
    }
  }

  std::vector<int> slots_;  // a call's number, or kNone
  std::vector<QString> texts_;
  std::vector<std::uint32_t> hashes_;  // per number
};

// Where calls were heard: per call and band, the corrected minutes of some
// QSO lines, sorted, all in one table (a list per call and band was a
// hundred thousand small allocations).
class CallTimes {
 public:
  // `each(add)` calls add(call, band, minute) for every line to keep; it is
  // called twice, once to count and once to fill.
  template <typename Each>
  void Build(int calls, Each each) {
    begin_.assign(static_cast<size_t>(calls) * kBands + 1, 0);
    each([&](int call, int band, int) { ++begin_[Key(call, band) + 1]; });
    for (size_t k = 1; k < begin_.size(); ++k) begin_[k] += begin_[k - 1];
    minutes_.resize(static_cast<size_t>(begin_.back()));
    std::vector<int> end(begin_.begin(), begin_.end() - 1);
    each([&](int call, int band, int minute) {
      minutes_[static_cast<size_t>(end[Key(call, band)]++)] = minute;
    });
    for (size_t k = 0; k + 1 < begin_.size(); ++k) {
      std::sort(minutes_.begin() + begin_[k], minutes_.begin() + begin_[k + 1]);
    }
  }

  int CountNear(int call, int band, int minute, int reach) const {
    const size_t key = Key(call, band);
    const auto first = minutes_.begin() + begin_[key];
    const auto last = minutes_.begin() + begin_[key + 1];
    return static_cast<int>(std::upper_bound(first, last, minute + reach) -
                            std::lower_bound(first, last, minute - reach));
  }

 private:
  static constexpr size_t kBands = kContestBands + 1;
  static size_t Key(int call, int band) {
    return static_cast<size_t>(call) * kBands + static_cast<size_t>(band);
  }
  std::vector<int> begin_;  // per (call, band): where its minutes start; one more at the end
  std::vector<int> minutes_;
};

// A log's QSOs as numbers, with what the stages need to find them fast.
struct IndexedLog {
  int station = kNone;
  std::vector<int> call;       // per QSO: the worked call's number
  std::vector<int> corrected;  // per QSO: minute after clock correction, or kNoTime
  std::vector<bool> dupe;
  std::vector<int> sent;      // per QSO: the sent exchange's code, or kNone
  std::vector<int> received;  // per QSO: the received exchange's code, or kNone
  // (call, QSO) of every line, sorted: the lines of a call are a range.
  std::vector<std::pair<int, int>> lines_by_call;
  std::array<std::vector<int>, kContestBands + 1> by_time;  // per band, by corrected minute
  int usual_sent = kNone;                                   // the exchange this station sends most

  // The QSOs of this log that worked the call `worked`, in file order.
  template <typename Visit>
  void ForEachLineOf(int worked, Visit visit) const {
    auto it = std::lower_bound(lines_by_call.begin(), lines_by_call.end(),
                               std::pair<int, int>{worked, -1});
    for (; it != lines_by_call.end() && it->first == worked; ++it) visit(it->second);
  }
  bool Worked(int call_number) const {
    const auto it = std::lower_bound(lines_by_call.begin(), lines_by_call.end(),
                                     std::pair<int, int>{call_number, -1});
    return it != lines_by_call.end() && it->first == call_number;
  }
};

// The line a line was paired with. How they were paired shows in the lines
// themselves: a call that is not the other station's was miscopied, and
// bands that differ were logged on different bands.
struct Partner {
  int log = kNone;
  int qso = kNone;
};

struct Candidate {
  double cost;  // 0 for exact calls
  int delta;    // minutes between the sides, absolute
  bool dupe;    // a duplicate line: paired only when nothing better is left
  int log_a, qso_a, log_b, qso_b;

  bool operator<(const Candidate& o) const {
    return std::tie(dupe, cost, delta, log_a, qso_a, log_b, qso_b) <
           std::tie(o.dupe, o.cost, o.delta, o.log_a, o.qso_a, o.log_b, o.qso_b);
  }
};

class Checker {
 public:
  Checker(const std::vector<ContestLog>& logs, const KnownCalls& known, const CheckRules& rules,
          std::optional<QDate> start, Progress& progress, const std::function<bool()>& cancelled)
      : logs_(logs), known_(known), rules_(rules), progress_(progress), cancelled_(cancelled) {
    if (start) period_start_ = MinuteOf(start->year(), start->month(), start->day(), 0, 0);
    model_ = rules.bust_search == CheckRules::BustSearch::kEditDistance1
                 ? ErrorModel::kEditDistance1
                 : ErrorModel::kRtty;
  }

  ContestCheck Run() {
    result_.logs.resize(logs_.size());
    for (size_t i = 0; i < logs_.size(); ++i) {
      result_.logs[i].qsos.resize(static_cast<size_t>(logs_[i].qsos.size()));
    }
    progress_.SetMaximum(static_cast<qint64>(logs_.size()) * 3);
    const std::function<void()> stages[] = {
        [&] { IndexLogs(); },
        [&] {
          if (rules_.clock_correction) EstimateClocks();
        },
        [&] { ApplyClocks(); },
        [&] { PairStations(kSameBand, rules_.time_window); },
        [&] {
          if (rules_.bust_search != CheckRules::BustSearch::kNone) PairMiscopiedCalls();
        },
        [&] {
          if (rules_.band_errors) PairStations(kOtherBands, rules_.time_window);
        },
        // Two stations work each other once a band: exact calls on one band
        // left over are the same QSO whatever their times say, when a clock
        // too short of shared QSOs to be fitted kept them apart.
        [&] {
          if (rules_.clock_correction) PairStations(kSameBand, kWholeContest);
        },
        [&] {
          if (rules_.clock_correction) RefitClocks();
        },
        [&] { ApplyClocks(); },
        [&] { CountAppearances(); },
        [&] { JudgeLines(); },
    };
    for (const auto& stage : stages) {
      if (cancelled_ && cancelled_()) break;
      stage();
    }
    return std::move(result_);
  }

 private:
  // ---- indexing ----

  void IndexLogs() {
    indexed_.resize(logs_.size());
    // Numbering calls and exchanges takes one log after another; what each
    // log makes of its numbers is its own.
    for (size_t l = 0; l < logs_.size(); ++l) {
      NumberLog(l);
      progress_.SetValue(static_cast<qint64>(l));
      progress_.Yield();
    }
    ForEachLog([&](size_t l) {
      IndexedLog& index = indexed_[l];
      index.lines_by_call.reserve(index.call.size());
      for (size_t q = 0; q < index.call.size(); ++q) {
        index.lines_by_call.push_back({index.call[q], static_cast<int>(q)});
      }
      std::sort(index.lines_by_call.begin(), index.lines_by_call.end());
      index.dupe = Dupes(logs_[l], index.lines_by_call);
      index.usual_sent = MostCommon(index.sent);
    });
    known_call_.resize(static_cast<size_t>(calls_.Size()));
    for (int call = 0; call < calls_.Size(); ++call) {
      known_call_[static_cast<size_t>(call)] = known_.contains(calls_.Text(call));
    }
    pair_.resize(logs_.size());
    for (size_t l = 0; l < logs_.size(); ++l) {
      pair_[l].resize(static_cast<size_t>(logs_[l].qsos.size()));
    }
  }

  // The log's station, its worked calls and its exchanges as numbers.
  void NumberLog(size_t l) {
    const ContestLog& log = logs_[l];
    IndexedLog& index = indexed_[l];
    index.station = log.station.isEmpty() ? kNone : calls_.Intern(log.station);
    if (index.station != kNone) {
      if (station_log_.size() <= static_cast<size_t>(index.station)) {
        station_log_.resize(static_cast<size_t>(index.station) + 1, kNone);
      }
      int& first = station_log_[static_cast<size_t>(index.station)];
      if (first == kNone) first = static_cast<int>(l);
    }
    const auto count = static_cast<size_t>(log.qsos.size());
    index.call.resize(count);
    index.sent.resize(count);
    index.received.resize(count);
    for (size_t q = 0; q < count; ++q) {
      const ContestQso& qso = log.qsos[static_cast<qsizetype>(q)];
      index.call[q] = calls_.Intern(qso.call);
      index.sent[q] = exchanges_.Code(qso.SentExchange());
      index.received[q] = exchanges_.Code(qso.ReceivedExchange());
    }
  }

  // The scoring's duplicate rule: a call worked before on the same band,
  // QSOs off the five bands counting with the first band.
  static std::vector<bool> Dupes(const ContestLog& log,
                                 const std::vector<std::pair<int, int>>& lines_by_call) {
    std::vector<bool> dupe(lines_by_call.size());
    std::array<bool, kContestBands> worked{};
    for (size_t i = 0; i < lines_by_call.size(); ++i) {
      if (i == 0 || lines_by_call[i].first != lines_by_call[i - 1].first) worked = {};
      const ContestQso& qso = log.qsos[lines_by_call[i].second];
      if (qso.call.isEmpty()) continue;
      bool& seen = worked[static_cast<size_t>(qso.band == kOtherBand ? 0 : qso.band)];
      dupe[static_cast<size_t>(lines_by_call[i].second)] = seen;
      seen = true;
    }
    return dupe;
  }

  int LogOf(int call) const {
    return call >= 0 && static_cast<size_t>(call) < station_log_.size()
               ? station_log_[static_cast<size_t>(call)]
               : kNone;
  }

  const ContestQso& Qso(int log, int qso) const {
    return logs_[static_cast<size_t>(log)].qsos[qso];
  }

  // Calls `work(log)` for every log, side by side on the processor's cores:
  // for stages where each log's result depends on no other's of the same
  // stage. The progress bar moves from `progress_base` when one is given.
  void ForEachLog(const std::function<void(size_t)>& work,
                  std::optional<size_t> progress_base = std::nullopt) {
    ForEachInParallel(
        logs_.size(), [&](size_t l, int) { work(l); },
        [&](size_t done) {
          if (progress_base) progress_.SetValue(static_cast<qint64>(*progress_base + done));
          progress_.Yield();
        },
        // A cancelled check stops here, and no stage after this one runs.
        cancelled_);
  }

  // ---- clocks ----

  // A QSO a log shares with another log by exact calls on one band,
  // whatever their time: what the clocks are fitted on before any pairing.
  struct SharedQso {
    int minute;
    int other;
    int other_minute;
  };
  std::vector<SharedQso> SharedQsos(int log) const {
    std::vector<SharedQso> shared;
    const IndexedLog& a = indexed_[static_cast<size_t>(log)];
    if (a.station == kNone) return shared;
    for (size_t q = 0; q < a.call.size(); ++q) {
      const int other = LogOf(a.call[q]);
      if (other == kNone || other == log) continue;
      const ContestQso& qa = Qso(log, static_cast<int>(q));
      if (qa.minute == kNoTime) continue;
      indexed_[static_cast<size_t>(other)].ForEachLineOf(a.station, [&](int qb) {
        const ContestQso& other_qso = Qso(other, qb);
        if (other_qso.band != qa.band || other_qso.minute == kNoTime) return;
        shared.push_back({qa.minute, other, other_qso.minute});
      });
    }
    return shared;
  }

  void EstimateClocks() {
    std::vector<std::vector<SharedQso>> shared(logs_.size());
    ForEachLog([&](size_t l) { shared[l] = SharedQsos(static_cast<int>(l)); });
    // Most clocks are right: a first fit against uncorrected partners finds
    // the wrong ones, a second against corrected partners sharpens them.
    for (int round = 0; round < 2; ++round) {
      std::vector<ClockModel> fitted(logs_.size());
      ForEachLog([&](size_t l) {
        std::vector<ClockSample> samples;
        samples.reserve(shared[l].size());
        for (const SharedQso& s : shared[l]) {
          samples.push_back(SampleAgainst(s.minute, s.other, s.other_minute));
        }
        fitted[l] = FitClock(std::move(samples));
      });
      for (size_t l = 0; l < logs_.size(); ++l) result_.logs[l].clock = fitted[l];
      progress_.Yield();
    }
  }

  // Once paired, a log's clock is measured on its pairs alone.
  void RefitClocks() {
    std::vector<ClockModel> fitted(logs_.size());
    ForEachLog([&](size_t l) {
      std::vector<ClockSample> samples;
      for (size_t q = 0; q < pair_[l].size(); ++q) {
        const auto [other, other_qso] = pair_[l][q];
        if (other == kNone) continue;
        const int minute = Qso(static_cast<int>(l), static_cast<int>(q)).minute;
        const int other_minute = Qso(other, other_qso).minute;
        if (minute == kNoTime || other_minute == kNoTime) continue;
        samples.push_back(SampleAgainst(minute, other, other_minute));
      }
      fitted[l] = FitClock(std::move(samples));
    });
    for (size_t l = 0; l < logs_.size(); ++l) result_.logs[l].clock = fitted[l];
  }

  const ClockModel& Clock(int log) const { return result_.logs[static_cast<size_t>(log)].clock; }

  // A QSO logged at `minute` here and at `other_minute` in log `other`: how
  // far ahead this clock is of the other one's, as that one is corrected now.
  ClockSample SampleAgainst(int minute, int other, int other_minute) const {
    return {minute, minute - (other_minute - Clock(other).OffsetAt(other_minute))};
  }

  void ApplyClocks() {
    ForEachLog([&](size_t l) {
      IndexedLog& index = indexed_[l];
      const ClockModel& clock = result_.logs[l].clock;
      index.corrected.resize(index.call.size());
      for (auto& band : index.by_time) band.clear();
      for (size_t q = 0; q < index.call.size(); ++q) {
        const ContestQso& qso = logs_[l].qsos[static_cast<qsizetype>(q)];
        index.corrected[q] =
            qso.minute == kNoTime ? kNoTime : qso.minute - clock.OffsetAt(qso.minute);
        if (qso.minute != kNoTime)
          index.by_time[static_cast<size_t>(qso.band)].push_back(static_cast<int>(q));
      }
      for (auto& band : index.by_time) {
        std::stable_sort(band.begin(), band.end(),
                         [&](int a, int b) { return index.corrected[a] < index.corrected[b]; });
      }
    });
  }

  int Corrected(int log, int qso) const {
    return indexed_[static_cast<size_t>(log)].corrected[static_cast<size_t>(qso)];
  }

  // The QSOs of a log on a band within `reach` minutes of `minute`.
  template <typename Visit>
  void ForEachNear(int log, int band, int minute, int reach, Visit visit) const {
    const IndexedLog& index = indexed_[static_cast<size_t>(log)];
    const std::vector<int>& list = index.by_time[static_cast<size_t>(band)];
    auto it = std::lower_bound(list.begin(), list.end(), minute - reach,
                               [&](int q, int value) { return index.corrected[q] < value; });
    for (; it != list.end() && index.corrected[*it] <= minute + reach; ++it) visit(*it);
  }

  // ---- pairing ----

  bool Free(int log, int qso) const {
    return pair_[static_cast<size_t>(log)][static_cast<size_t>(qso)].log == kNone;
  }

  void Pair(const Candidate& c) {
    pair_[static_cast<size_t>(c.log_a)][static_cast<size_t>(c.qso_a)] = {c.log_b, c.qso_b};
    pair_[static_cast<size_t>(c.log_b)][static_cast<size_t>(c.qso_b)] = {c.log_a, c.qso_a};
  }

  // Takes the candidates best first, each line into one pair at most.
  void PairBestFirst(std::vector<Candidate>& candidates) {
    std::sort(candidates.begin(), candidates.end());
    for (const Candidate& c : candidates) {
      if (Free(c.log_a, c.qso_a) && Free(c.log_b, c.qso_b)) Pair(c);
    }
  }

  bool IsDupe(int log, int qso) const {
    return indexed_[static_cast<size_t>(log)].dupe[static_cast<size_t>(qso)];
  }

  enum Bands { kSameBand, kOtherBands };
  static constexpr int kWholeContest = 3 * 24 * 60;

  // Lines that name each other's station exactly, on one band or on two,
  // within `window` minutes.
  void PairStations(Bands bands, int window) {
    const bool same_band = bands == kSameBand;
    for (size_t l = 0; l < logs_.size(); ++l) {
      const int log = static_cast<int>(l);
      const IndexedLog& a = indexed_[l];
      if (a.station == kNone) continue;
      std::vector<Candidate> candidates;
      for (size_t q = 0; q < a.call.size(); ++q) {
        const int other = LogOf(a.call[q]);
        if (other <= log || !Free(log, static_cast<int>(q))) continue;
        const int minute = a.corrected[q];
        if (minute == kNoTime) continue;
        const int band = Qso(log, static_cast<int>(q)).band;
        const IndexedLog& b = indexed_[static_cast<size_t>(other)];
        b.ForEachLineOf(a.station, [&](int qb) {
          const int other_minute = b.corrected[static_cast<size_t>(qb)];
          if (other_minute == kNoTime || !Free(other, qb)) return;
          if ((Qso(other, qb).band == band) != same_band) return;
          const int delta = std::abs(minute - other_minute);
          if (delta > window) return;
          candidates.push_back({0, delta, IsDupe(log, static_cast<int>(q)) || IsDupe(other, qb),
                                log, static_cast<int>(q), other, qb});
        });
      }
      PairBestFirst(candidates);
      progress_.Yield();
    }
  }

  // A line that names a station exactly, left without a pair, and a line of
  // that station's log at the same time on the same band whose call is a
  // miscopy of the first line's station: the second side busted the call.
  void PairMiscopiedCalls() {
    // Nothing is paired until every log has named its candidates: each log
    // looks on its own.
    std::vector<std::vector<Candidate>> found(logs_.size());
    ForEachLog([&](size_t l) { found[l] = MiscopyCandidates(static_cast<int>(l)); });
    std::vector<Candidate> candidates;
    for (const auto& of_log : found) candidates.insert(candidates.end(), of_log.begin(), of_log.end());
    PairBestFirst(candidates);
  }

  std::vector<Candidate> MiscopyCandidates(int log) const {
    std::vector<Candidate> candidates;
    const IndexedLog& x = indexed_[static_cast<size_t>(log)];
    if (x.station == kNone) return candidates;
    const QString& station = calls_.Text(x.station);
    for (size_t q = 0; q < x.call.size(); ++q) {
      const int other = LogOf(x.call[q]);
      if (other == kNone || other == log || !Free(log, static_cast<int>(q))) continue;
      const int minute = x.corrected[q];
      if (minute == kNoTime) continue;
      const int band = Qso(log, static_cast<int>(q)).band;
      // On another band too, when band errors are looked for: a line can
      // be wrong twice. Then the minutes must agree closely.
      for (int other_band = 0; other_band <= kOtherBand; ++other_band) {
        const bool same_band = other_band == band;
        if (!same_band && !rules_.band_errors) continue;
        const int window = same_band ? rules_.time_window : kTwiceWrongWindow;
        ForEachNear(other, other_band, minute, window, [&](int qa) {
          if (!Free(other, qa)) return;
          const int copied = indexed_[static_cast<size_t>(other)].call[static_cast<size_t>(qa)];
          if (copied == x.station) return;
          const double cost = MiscopyCost(station, calls_.Text(copied), model_);
          if (!AcceptableBust(cost, same_band ? kMaxPairedBustCost : kMaxOnAirBustCost)) return;
          candidates.push_back({cost + (same_band ? 0 : kMaxPairedBustCost),
                                std::abs(minute - Corrected(other, qa)),
                                IsDupe(log, static_cast<int>(q)) || IsDupe(other, qa), other, qa,
                                log, static_cast<int>(q)});
        });
      }
    }
    return candidates;
  }

  bool AcceptableBust(double cost, double limit) const {
    if (model_ == ErrorModel::kEditDistance1) return cost == 1;
    return cost > 0 && cost <= limit;
  }

  // ---- judging ----

  // How many logs name each call, what they copied from it, and where it
  // was heard and on the air: three tables made side by side.
  void CountAppearances() {
    const std::function<void()> tables[] = {
        [&] { CountLogsNaming(); },
        [&] {
          heard_.Build(calls_.Size(), [&](auto add) {
            ForEachTimedLine([&](int, int call, int band, int minute) { add(call, band, minute); });
          });
        },
        // A station is on the air where other logs name it and where its
        // own log has QSOs.
        [&] {
          on_air_.Build(calls_.Size(), [&](auto add) {
            ForEachTimedLine([&](int station, int call, int band, int minute) {
              add(call, band, minute);
              if (station != kNone) add(station, band, minute);
            });
          });
        },
    };
    ForEachInParallel(std::size(tables), [&](size_t table, int) { tables[table](); });
  }

  void CountLogsNaming() {
    appearances_.assign(static_cast<size_t>(calls_.Size()), 0);
    received_.clear();
    for (size_t l = 0; l < logs_.size(); ++l) {
      const IndexedLog& index = indexed_[l];
      for (size_t i = 0; i < index.lines_by_call.size(); ++i) {
        const int call = index.lines_by_call[i].first;
        if (i == 0 || call != index.lines_by_call[i - 1].first) {
          ++appearances_[static_cast<size_t>(call)];
        }
      }
      for (size_t q = 0; q < index.call.size(); ++q) {
        if (index.received[q] != kNone) received_.push_back({index.call[q], index.received[q]});
      }
    }
    std::sort(received_.begin(), received_.end());
  }

  // Every line with a time: its log's station, its call, band and minute.
  template <typename Visit>
  void ForEachTimedLine(Visit visit) const {
    for (size_t l = 0; l < logs_.size(); ++l) {
      const IndexedLog& index = indexed_[l];
      for (size_t q = 0; q < index.call.size(); ++q) {
        if (index.corrected[q] == kNoTime) continue;
        visit(index.station, index.call[q], logs_[l].qsos[static_cast<qsizetype>(q)].band,
              index.corrected[q]);
      }
    }
  }

  void JudgeLines() {
    ForEachLog(
        [&](size_t l) {
          LogCheck& check = result_.logs[l];
          for (size_t q = 0; q < check.qsos.size(); ++q) {
            check.qsos[q] = Judge(static_cast<int>(l), static_cast<int>(q));
            ++check.counts[static_cast<int>(check.qsos[q].verdict)];
          }
        },
        logs_.size());
  }

  bool OutOfPeriod(int log, int qso) const {
    if (!period_start_) return false;
    const int minute = Corrected(log, qso);
    return minute == kNoTime || minute < *period_start_ ||
           minute >= *period_start_ + kPeriodMinutes;
  }

  QsoCheck Judge(int log, int qso) const {
    QsoCheck check;
    const auto [other, other_qso] = pair_[static_cast<size_t>(log)][static_cast<size_t>(qso)];
    if (other != kNone) {
      check.other_log = other;
      check.other_qso = other_qso;
      const int a = Corrected(log, qso);
      const int b = Corrected(other, other_qso);
      check.time_difference = a - b;
    }
    if (IsDupe(log, qso)) {
      check.verdict = Verdict::kDupe;
    } else if (OutOfPeriod(log, qso)) {
      check.verdict = Verdict::kOutOfTime;
    } else if (other != kNone) {
      JudgePaired(log, qso, check);
    } else {
      JudgeUnpaired(log, qso, check);
    }
    return check;
  }

  // A paired line is wrong on the band when its side is to blame for the
  // bands differing, else wrong on the call when it names another station
  // than the other log's, else right or wrong on the number.
  void JudgePaired(int log, int qso, QsoCheck& check) const {
    const int other = check.other_log;
    const int other_band = Qso(other, check.other_qso).band;
    if (Qso(log, qso).band != other_band && BlameForBand(log, qso, other, check.other_qso) == log) {
      check.verdict = Verdict::kBand;
      check.detail = BandName(other_band);
    } else if (indexed_[static_cast<size_t>(log)].call[static_cast<size_t>(qso)] !=
               indexed_[static_cast<size_t>(other)].station) {
      check.verdict = Verdict::kBust;
      check.detail = logs_[static_cast<size_t>(other)].station;
    } else {
      JudgeExchange(log, qso, check);
    }
  }

  void JudgeExchange(int log, int qso, QsoCheck& check) const {
    const IndexedLog& theirs = indexed_[static_cast<size_t>(check.other_log)];
    const int copied = indexed_[static_cast<size_t>(log)].received[static_cast<size_t>(qso)];
    const int sent = theirs.sent[static_cast<size_t>(check.other_qso)];
    if (copied == kNone || sent == kNone || copied == sent) return;
    // The other station's log may itself hold a slip of its own sent number.
    if (copied == theirs.usual_sent) return;
    check.verdict = Verdict::kExchangeBust;
    check.detail = Qso(check.other_log, check.other_qso).SentExchange().toString();
  }

  // Which side of a pair logged on different bands is wrong: the one the
  // evidence puts less on its logged band at that time, its own QSOs around
  // it and, weighing more, what the other logs heard of it. kNone when the
  // logs do not tell (both sides keep their QSO).
  int BlameForBand(int log_a, int qso_a, int log_b, int qso_b) const {
    const int band_a = Qso(log_a, qso_a).band;
    const int band_b = Qso(log_b, qso_b).band;
    const int support_a = OwnBandSupport(log_a, qso_a, band_a, band_b);
    const int support_b = OwnBandSupport(log_b, qso_b, band_b, band_a);
    if (support_a + 2 <= support_b) return log_a;
    if (support_b + 2 <= support_a) return log_b;
    return kNone;
  }

  // How much says the station was on its logged band rather than on the
  // other side's: its nearest QSOs before and after, one each, and twice
  // each the other logs' lines naming it near that time.
  int OwnBandSupport(int log, int qso, int own_band, int other_band) const {
    const int minute = Corrected(log, qso);
    std::vector<std::pair<int, int>> near;  // (distance, band)
    for (const int band : {own_band, other_band}) {
      ForEachNear(log, band, minute, kNeighbourReach, [&](int q) {
        if (q != qso) near.push_back({Corrected(log, q) - minute, band});
      });
    }
    int support = 0;
    for (const int side : {-1, 1}) {
      std::vector<std::pair<int, int>> this_side;
      for (const auto& n : near) {
        if ((n.first < 0 ? -1 : 1) == side) this_side.push_back({std::abs(n.first), n.second});
      }
      std::sort(this_side.begin(), this_side.end());
      for (size_t i = 0; i < this_side.size() && i < kNeighboursEachSide; ++i) {
        support += this_side[i].second == own_band ? 1 : -1;
      }
    }
    const int station = indexed_[static_cast<size_t>(log)].station;
    // The pair's own lines name the stations too: they count on both sides.
    support += 2 * (heard_.CountNear(station, own_band, minute, kOnAirReach) -
                    heard_.CountNear(station, other_band, minute, kOnAirReach));
    return support;
  }

  int OthersLogging(int call, int log) const {
    const int all = appearances_[static_cast<size_t>(call)];
    const bool mine = indexed_[static_cast<size_t>(log)].Worked(call);
    return all - (mine ? 1 : 0);
  }

  bool OnAir(int call, int band, int minute) const {
    return on_air_.CountNear(call, band, minute, kOnAirReach) > 0;
  }

  void JudgeUnpaired(int log, int qso, QsoCheck& check) const {
    const int call = indexed_[static_cast<size_t>(log)].call[static_cast<size_t>(qso)];
    const ContestQso& line = Qso(log, qso);
    const int minute = Corrected(log, qso);
    const int their_log = LogOf(call);
    const bool searching = rules_.bust_search != CheckRules::BustSearch::kNone;
    if (their_log != kNone && their_log != log) {
      // A station that sent a log and has no such QSO: the call was busted
      // only if that station was elsewhere and a near call was right here.
      if (searching && minute != kNoTime && !OnAir(call, line.band, minute)) {
        const QString worked = OnAirOrigin(log, qso, kOnAirReach, kMaxOnAirBustCost);
        if (!worked.isEmpty()) {
          check.verdict = Verdict::kBust;
          check.detail = worked;
          return;
        }
      }
      check.verdict = Verdict::kNil;
      return;
    }
    const int others = OthersLogging(call, log);
    const bool known = known_call_[static_cast<size_t>(call)];
    const bool repeated_errors = !known && model_ == ErrorModel::kRtty;
    if (searching && minute != kNoTime && (others == 0 || repeated_errors)) {
      const bool unique = others == 0 && !known;
      const QString worked =
          others == 0
              ? OnAirOrigin(log, qso, unique ? kUniqueOnAirReach : kOnAirReach, kMaxOnAirBustCost)
              : OnAirOrigin(log, qso, kOnAirReach, kMaxRepeatedBustCost,
                            appearances_[static_cast<size_t>(call)]);
      if (!worked.isEmpty()) {
        check.verdict = Verdict::kBust;
        check.detail = worked;
        return;
      }
    }
    const bool genuine = others >= rules_.min_appearances || known;
    if (!genuine) {
      check.verdict = Verdict::kUnique;
      return;
    }
    check.verdict = Verdict::kUnverified;
    JudgeExchangeByConsensus(log, qso, call, check);
  }

  // A station without a log sends what most of the others copied from it.
  void JudgeExchangeByConsensus(int log, int qso, int call, QsoCheck& check) const {
    const int mine = indexed_[static_cast<size_t>(log)].received[static_cast<size_t>(qso)];
    if (mine == kNone) return;
    // What the others copied: this line's own number counted once less.
    const auto first = std::lower_bound(received_.begin(), received_.end(),
                                        std::pair<int, int>{call, std::numeric_limits<int>::min()});
    int total = -1;
    int usual = kNone;
    int usual_count = 0;
    int mine_count = -1;
    for (auto run = first; run != received_.end() && run->first == call;) {
      auto end = run;
      while (end != received_.end() && *end == *run) ++end;
      const int code = run->second;
      const int count = static_cast<int>(end - run) - (code == mine ? 1 : 0);
      total += count + (code == mine ? 1 : 0);
      if (code == mine) mine_count = count;
      if (count > usual_count) {  // runs come by rising code: the lowest wins a tie
        usual = code;
        usual_count = count;
      }
      run = end;
    }
    if (usual == kNone || usual == mine || usual_count < 2) return;
    if (usual_count < 3 * mine_count || usual_count * 10 < total * 6) return;
    check.verdict = Verdict::kExchangeBust;
    check.detail = exchanges_.Text(usual);
  }

  // The call this line's call is a miscopy of, among the stations heard on
  // its band within `reach` minutes: the likeliest, when one stands out. A
  // call other logs hold too is a miscopy only of a call more of them hold
  // (`appearances`: how many logs hold the copied call).
  QString OnAirOrigin(int log, int qso, int reach, double max_cost, int appearances = 0) const {
    const ContestQso& line = Qso(log, qso);
    const int minute = Corrected(log, qso);
    const int own_station = indexed_[static_cast<size_t>(log)].station;
    struct Best {
      double cost = std::numeric_limits<double>::infinity();
      int heard = 0;
      int call = kNone;
      bool tied = false;
    } best;
    std::vector<int> seen;
    ForEachOneErrorOrigin(line.call, model_, [&](QStringView origin) {
      const int call = calls_.Find(origin);
      if (call == kNone || call == own_station) return;
      if (std::find(seen.begin(), seen.end(), call) != seen.end()) return;
      seen.push_back(call);
      if (appearances_[static_cast<size_t>(call)] <= appearances && LogOf(call) == kNone) {
        return;
      }
      const int heard = on_air_.CountNear(call, line.band, minute, reach);
      if (heard == 0) return;
      const double cost = MiscopyCost(origin, line.call, model_);
      if (!AcceptableBust(cost, max_cost)) return;
      if (cost < best.cost || (cost == best.cost && heard > best.heard)) {
        best = {cost, heard, call, false};
      } else if (cost == best.cost && heard == best.heard) {
        best.tied = true;
      }
    });
    if (best.call == kNone || best.tied) return QString();
    return calls_.Text(best.call);
  }

  const std::vector<ContestLog>& logs_;
  const KnownCalls& known_;
  const CheckRules& rules_;
  Progress& progress_;
  const std::function<bool()>& cancelled_;
  std::optional<int> period_start_;
  ErrorModel model_;

  CallBook calls_;
  std::vector<int> station_log_;  // per call: the first log of that station, or kNone
  std::vector<bool> known_call_;  // per call: whether the master list holds it
  std::vector<IndexedLog> indexed_;
  std::vector<std::vector<Partner>> pair_;  // per log, per line
  std::vector<int> appearances_;            // per call: logs naming it
  CallTimes on_air_;                        // per call: the lines naming it and its log's
  CallTimes heard_;                         // per call: the lines naming it
  ExchangeBook exchanges_;
  std::vector<std::pair<int, int>> received_;  // (call, exchange copied from it), sorted
  ContestCheck result_;
};

}  // namespace

QString VerdictWord(Verdict verdict) {
  static const QString kWords[kVerdictCount] = {
      QStringLiteral("OK"),     QStringLiteral("UNVERIFIED"), QStringLiteral("NIL"),
      QStringLiteral("BUST"),   QStringLiteral("XBUST"),      QStringLiteral("BAND"),
      QStringLiteral("UNIQUE"), QStringLiteral("DUPE"),       QStringLiteral("TIME")};
  return kWords[static_cast<int>(verdict)];
}

bool IsCredited(Verdict verdict, bool unique_credit) {
  switch (verdict) {
    case Verdict::kOk:
    case Verdict::kUnverified:
      return true;
    case Verdict::kUnique:
      return unique_credit;
    default:
      return false;
  }
}

std::optional<KnownCalls> ReadKnownCalls(const QString& path, QString& error) {
  const TextFileLines file = ReadTextLines(path, LineEnds::kCrLfCrOrLf, max_file_size::kReference);
  if (!file.outcome.ok) {
    error = file.outcome.error;
    return std::nullopt;
  }
  KnownCalls calls;
  calls.reserve(file.lines.size());
  for (const QString& line : file.lines) {
    const QString call = line.trimmed().toUpper();
    if (!call.isEmpty() && !call.startsWith(u'#')) calls.insert(call);
  }
  return calls;
}

ContestCheck CrossCheck(const std::vector<ContestLog>& logs, const KnownCalls& known,
                        const CheckRules& rules, std::optional<QDate> start, Progress& progress,
                        const std::function<bool()>& cancelled) {
  return Checker(logs, known, rules, start, progress, cancelled).Run();
}

}  // namespace tovek::crosscheck
