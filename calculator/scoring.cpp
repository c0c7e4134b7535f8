#include "calculator/scoring.h"

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

#include <QHash>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "calculator/text_rules.h"
#include "common/call_resolution.h"

namespace tovek {
namespace {

// A text whose length is known when the program is built: these are
// compared once or more for every QSO.
template <size_t N>
constexpr QStringView Text(const char16_t (&text)[N]) {
  return QStringView(text, N - 1);
}

const QString kNothing;

// An open-addressing set that answers one question, "was this item new?",
// for at most `capacity` items of one log, so it never grows: it stands in
// for the lists that scoring searches from their first entry, where only
// membership counts. Slots hold the item's hash and its number; `Same`
// compares an item with the one a number names.
class FirstSeen {
 public:
  explicit FirstSeen(qsizetype capacity) {
    size_t size = 16;
    while (size < static_cast<size_t>(capacity) * 2) size *= 2;
    slots_.assign(size, Slot{});
  }

  // Files item `number` unless an item the same is filed; true when it is new.
  template <typename Same>
  bool Insert(size_t hash, std::int32_t number, Same same) {
    const size_t mask = slots_.size() - 1;
    for (size_t at = (hash * 0x9E3779B97F4A7C15ull) >> 40 & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (slot.number < 0) {
        slot = {hash, number};
        return true;
      }
      if (slot.hash == hash && same(slot.number)) return false;
    }
  }

 private:
  struct Slot {
    size_t hash = 0;
    std::int32_t number = -1;  // -1: free
  };
  std::vector<Slot> slots_;
};

// What one log's scoring keeps between its QSOs.
class LogScoring {
 public:
  LogScoring(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
             CallFactsCache& cache)
      : log_(log),
        prefixes_(prefixes),
        areas_(areas),
        cache_(cache),
        worked_(log.qsos.size()),
        taken_(log.qsos.size()) {
    multipliers_.reserve(log.qsos.size());
  }

  // `call_hash` is qHash of the QSO's call.
  void Take(qsizetype number, size_t call_hash) {
    const QsoEntry& qso = log_.qsos[number];
    const int slot = BandSlotOf(qso.band);
    // The entity, continent and area are read where the tables keep them:
    // no copies, whose reference counts would cost more than the lookup.
    const CallFactsCache::Facts facts = cache_.Of(qso.call, call_hash, prefixes_, areas_);
    const QString& entity = facts.entity ? *facts.entity : kNothing;
    const QString& continent = facts.continent ? *facts.continent : kNothing;
    BandSlot& tally = score_.tally[slot];
    // The call joins its band's list either way; one the list held already
    // makes the QSO a duplicate.
    const bool duplicate = !worked_.Insert(
        call_hash ^ static_cast<size_t>(slot), static_cast<std::int32_t>(number),
        [&](std::int32_t other) {
          return BandSlotOf(log_.qsos[other].band) == slot && log_.qsos[other].call == qso.call;
        });
    // The current area follows every JA, K, VE and VK station, duplicates too.
    const bool is_area = facts.counts_areas;
    if (is_area && facts.area) current_area_ = facts.area;
    if (duplicate) {
      ++tally.dupes;
      return;
    }
    ++tally.valid;
    tally.points += QsoPoints(continent, log_.stn_cnt);
    const QString& key_text = is_area ? *current_area_ : entity;
    const QStringView key = TrimSpaces(QStringView(key_text));
    const QStringView band = TrimSpaces(QStringView(qso.band));
    const size_t hash = qHash(key) * 31 + qHash(band) + (is_area ? 1 : 0);
    const bool is_new = taken_.Insert(
        hash, static_cast<std::int32_t>(multipliers_.size()), [&](std::int32_t other) {
          const MultiplierTaken& taken = multipliers_[static_cast<size_t>(other)];
          return taken.is_area == is_area && taken.key == key && taken.band == band;
        });
    if (!is_new) return;
    multipliers_.push_back({is_area, Kept(key_text, key), Kept(qso.band, band)});
    ++(is_area ? tally.mult2 : tally.mult1);
  }

  LogScore Finish() {
    BandSlot& total = score_.tally[kTotalSlot];
    for (int slot = 0; slot < kBandSlots; ++slot) {
      const BandSlot& band = score_.tally[slot];
      total.valid += band.valid;
      total.dupes += band.dupes;
      total.points += band.points;
      total.mult1 += band.mult1;
      total.mult2 += band.mult2;
    }
    score_.score = std::int64_t{total.points} * (total.mult1 + total.mult2);
    return score_;
  }

 private:
  struct MultiplierTaken {
    bool is_area;
    QString key;
    QString band;
  };

  // `part` of `text` as a text of its own; the whole shares `text`.
  static QString Kept(const QString& text, QStringView part) {
    return part.size() == text.size() ? text : part.toString();
  }

  const LogRead& log_;
  const PrefixTable& prefixes_;
  const AreaTable& areas_;
  CallFactsCache& cache_;
  LogScore score_;
  FirstSeen worked_;  // (band slot, call) of the QSOs so far, by QSO number
  FirstSeen taken_;   // (kind, key, band text) of the multipliers taken
  std::vector<MultiplierTaken> multipliers_;
  // The area of the last JA, K, VE or VK station: a call that matches no
  // token of the area file takes it. It points into the area table.
  const QString* current_area_ = &kNothing;
};

}  // namespace

std::int32_t QsoPoints(QStringView continent, QStringView own_continent) {
  if (continent.isEmpty()) return 0;
  return continent == own_continent ? 2 : 3;
}

int BandSlotOf(QStringView band) {
  static constexpr QStringView kBands[kBandSlots] = {Text(u"3.5"), Text(u"7"), Text(u"14"),
                                                     Text(u"21"), Text(u"28")};
  const QStringView trimmed = TrimSpaces(band);
  for (int slot = 0; slot < kBandSlots; ++slot) {
    if (trimmed == kBands[slot]) return slot;
  }
  return 0;
}

QString AreaOfStation(const AreaTable& areas, const QString& call, const QString& current_area) {
  const QString area_call = call.contains(u'/') ? PortablePrefix(call) : call;
  return LookupArea(areas, area_call, current_area);
}

bool CountsAreas(QStringView entity) {
  return entity == Text(u"JA") || entity == Text(u"K") || entity == Text(u"VE") ||
         entity == Text(u"VK");
}

// Every QSO's slot is a different page of a table of megabytes: in pages of
// 4 kB the processor would look up the page as often as the slot. Large
// tables ask for pages of 2 MB where the system gives them on request.
CallFactsCache::CallFactsCache(int slot_bits)
    : slot_count_(std::max(size_t{2}, size_t{1} << slot_bits)) {
  constexpr size_t kLargePage = size_t{2} << 20;
  const size_t bytes = slot_count_ * sizeof(Slot);
  const size_t alignment = bytes >= kLargePage ? kLargePage : alignof(Slot);
  void* memory = std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
  if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (alignment == kLargePage) madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  slots_.reset(static_cast<Slot*>(memory));
  std::uninitialized_value_construct_n(slots_.get(), slot_count_);
}

void CallFactsCache::FreeMemory::operator()(Slot* slots) const { std::free(slots); }

CallFactsCache::Facts CallFactsCache::LookUp(QStringView call, const PrefixTable& prefixes,
                                             const AreaTable& areas) {
  Facts facts;
  const DxccEntries found = DxccLookup(prefixes, call);
  if (found.resolved) {
    facts.entity = &found.resolved->primary_prefix;
    facts.continent = &found.resolved->continent;
  } else if (found.continent_only) {
    facts.continent = &found.continent_only->continent;
  }
  facts.counts_areas = facts.entity && CountsAreas(*facts.entity);
  if (facts.counts_areas) {
    facts.area =
        call.contains(u'/') ? AreaOfCall(areas, PortablePrefix(call)) : AreaOfCall(areas, call);
  }
  return facts;
}

bool CallFactsCache::Holds(const Slot& slot, QStringView call, std::uint32_t hash) {
  return slot.hash == hash && slot.length == call.size() &&
         std::memcmp(slot.call, call.utf16(),
                     static_cast<size_t>(call.size()) * sizeof(char16_t)) == 0;
}

CallFactsCache::Facts CallFactsCache::Of(QStringView call, size_t hash, const PrefixTable& prefixes,
                                         const AreaTable& areas) {
  // An empty call (a QSO line that ends before the worked call) may have no
  // characters to point at at all, and copying from nowhere is undefined
  // even for no bytes: it is looked up directly.
  if (call.isEmpty() || call.size() > kMaxCall) return LookUp(call, prefixes, areas);
  Slot* pair = slots_.get() + PairIndex(hash);
  const auto short_hash = static_cast<std::uint32_t>(hash);
  if (Holds(pair[0], call, short_hash)) return pair[0].facts;
  if (Holds(pair[1], call, short_hash)) return pair[1].facts;
  pair[1] = pair[0];
  Slot& slot = pair[0];
  slot.facts = LookUp(call, prefixes, areas);
  slot.hash = short_hash;
  slot.length = static_cast<std::int16_t>(call.size());
  std::memcpy(slot.call, call.utf16(), static_cast<size_t>(call.size()) * sizeof(char16_t));
  return slot.facts;
}

LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress) {
  // One log meets too few calls twice to pay for a large table.
  CallFactsCache cache(10);
  return LogDataSearch(log, prefixes, areas, progress, cache);
}

LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress, CallFactsCache& cache) {
  LogScoring scoring(log, prefixes, areas, cache);
  if (log.qsos.isEmpty()) return scoring.Finish();
  progress.SetMaximum(log.qsos.size());
  const QString label_start = log.summary.call_sign + QStringLiteral(" No. ");
  // The calls' hashes are taken this many QSOs ahead, and their slots in
  // the cache asked for then.
  constexpr qsizetype kAhead = 8;
  std::array<size_t, kAhead> hashes{};
  const qsizetype count = log.qsos.size();
  for (qsizetype i = 0; i < std::min(kAhead, count); ++i) {
    hashes[static_cast<size_t>(i)] = qHash(log.qsos[i].call);
    cache.Prefetch(hashes[static_cast<size_t>(i)]);
  }
  for (qsizetype i = 0; i < count; ++i) {
    const QsoEntry& qso = log.qsos[i];
    progress.SetValue(i + 1);
    if (progress.LabelsWanted()) {
      progress.SetLabel(0, label_start + QString::number(i + 1) + QStringLiteral("  ") + qso.call);
    }
    size_t& hash = hashes[static_cast<size_t>(i % kAhead)];
    scoring.Take(i, hash);
    if (i + kAhead < count) {
      hash = qHash(log.qsos[i + kAhead].call);
      cache.Prefetch(hash);
    }
    progress.Yield();
  }
  return scoring.Finish();
}

}  // namespace tovek
