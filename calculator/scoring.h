// Checking and scoring one log: duplicates per band, points by continent,
// multipliers per band, and the score.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "calculator/area_table.h"
#include "calculator/log_reader.h"
#include "common/prefix_table.h"
#include "common/progress.h"

namespace tovek {

struct BandSlot {
  std::int16_t valid = 0;
  std::int16_t dupes = 0;
  std::int32_t points = 0;
  std::int16_t mult1 = 0;
  std::int16_t mult2 = 0;

  friend bool operator==(const BandSlot&, const BandSlot&) = default;
};

// Slots 0 to 4 for the bands "3.5", "7", "14", "21", "28" (QSOs outside the
// five bands count in slot 0); slot 5 is the total.
inline constexpr int kBandSlots = 5;
inline constexpr int kTotalSlot = 5;
using BandTally = std::array<BandSlot, kBandSlots + 1>;

struct LogScore {
  BandTally tally{};
  // Points times multipliers can pass the 32-bit range on a large log.
  std::int64_t score = 0;

  friend bool operator==(const LogScore&, const LogScore&) = default;
};

// The points of a valid QSO with a station on `continent`: 3 for another
// continent, 2 for the log's own, 0 when the continent is unknown.
std::int32_t QsoPoints(QStringView continent, QStringView own_continent);

// The slot of a band text, trimmed: 0 to 4, and 0 for any other band.
int BandSlotOf(QStringView band);

// The entities whose stations count areas (multiplier 2) instead of entities.
bool CountsAreas(QStringView entity);

// The area of a station of JA, K, VE or VK: a portable call is first reduced
// to the prefix of the place it operates from; a call that matches no token
// keeps `current_area`.
QString AreaOfStation(const AreaTable& areas, const QString& call, const QString& current_area);

// What scoring asks the prefix and area tables about a call depends on the
// call alone, and a contest's logs work the same stations over and over:
// a run keeps the answers of the calls it met lately, in a table of fixed
// size, so memory stays the same however many logs are scored. A call has
// two slots it may sit in; a new call takes the first and moves the one
// there to the second. Valid for the tables of one run only.
class CallFactsCache {
 public:
  struct Facts {
    const QString* entity = nullptr;     // primary prefix, or null
    const QString* continent = nullptr;  // or null
    const QString* area = nullptr;       // for JA, K, VE and VK: null when no token matches
    bool counts_areas = false;
  };

  // 2^slot_bits slots (two at least) of one cache line each.
  explicit CallFactsCache(int slot_bits = 18);

  // The facts of `call`, from its slot when that holds the call, else looked
  // up and kept there. `hash` is qHash(call).
  Facts Of(QStringView call, size_t hash, const PrefixTable& prefixes, const AreaTable& areas);

  // Asks the processor to bring the slot of `hash` closer: a large table
  // misses the cache on every call, and a loop that asks a few calls ahead
  // waits for many slots at once instead of one after another.
  void Prefetch(size_t hash) const {
    const Slot* pair = slots_.get() + PairIndex(hash);
    __builtin_prefetch(pair);
    __builtin_prefetch(pair + 1);
  }

 private:
  // Calls of QSO lines are at most 12 characters; longer ones (and empty
  // ones) are looked up every time.
  static constexpr qsizetype kMaxCall = 12;
  struct alignas(64) Slot {
    Facts facts;
    char16_t call[kMaxCall] = {};
    std::uint32_t hash = 0;
    std::int16_t length = -1;  // -1: empty
  };
  static_assert(sizeof(Slot) == 64);
  // The first of the two slots a call may sit in.
  size_t PairIndex(size_t hash) const {
    return ((hash * 0x9E3779B97F4A7C15ull) >> 32 & (slot_count_ / 2 - 1)) * 2;
  }
  static bool Holds(const Slot& slot, QStringView call, std::uint32_t hash);
  static Facts LookUp(QStringView call, const PrefixTable& prefixes, const AreaTable& areas);

  struct FreeMemory {
    void operator()(Slot* slots) const;
  };
  size_t slot_count_;
  std::unique_ptr<Slot, FreeMemory> slots_;
};

// Scores the log as read. `progress` counts the QSOs and names each one in
// its first label ("JA1ABC No. 12  K1XYZ"). A run over many logs passes one
// `cache` for all of them.
LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress);
LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress, CallFactsCache& cache);

}  // namespace tovek
