// Checking and scoring one log: duplicates per band, points by continent,
// multipliers per band, and the score.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

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

// The slot of a band text, trimmed: 0 to 4, and 0 for any other band.
int BandSlotOf(QStringView band);

// The entities whose stations count areas (multiplier 2) instead of entities.
bool CountsAreas(QStringView entity);

// The area of a station of JA, K, VE or VK: a portable call is first reduced
// to the prefix of the place it operates from; a call that matches no token
// keeps `current_area`.
QString AreaOfStation(const AreaTable& areas, const QString& call, const QString& current_area);

// Scores the log as read. `progress` counts the QSOs and names each one in
// its first label ("JA1ABC No. 12  K1XYZ").
LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress);

}  // namespace tovek
