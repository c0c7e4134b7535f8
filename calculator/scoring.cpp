#include "calculator/scoring.h"

#include <QHash>
#include <QSet>
#include <utility>

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

constexpr std::int32_t kOtherContinentPoints = 3;
constexpr std::int32_t kSameContinentPoints = 2;

using MultiplierKey = std::pair<QString, QString>;  // (entity or area, band text)

struct Multiplier {
  bool is_area = false;
  QString key;
};

// What one log's scoring keeps between its QSOs. Sets stand in for the
// lists that are searched from their first entry: only membership counts.
class LogScoring {
 public:
  LogScoring(const PrefixTable& prefixes, const AreaTable& areas, const QString& stn_cnt)
      : prefixes_(prefixes), areas_(areas), stn_cnt_(stn_cnt) {}

  void Take(const QsoEntry& qso) {
    const int slot = BandSlotOf(qso.band);
    const DxccResult where = DxccCheck(prefixes_, qso.call);
    const Multiplier multiplier = MultiplierOf(qso.call, where.cty);
    BandSlot& tally = score_.tally[slot];
    // The call joins its band's list either way; a list that does not grow
    // held it already.
    QSet<QString>& worked = worked_[slot];
    const qsizetype worked_before = worked.size();
    worked.insert(qso.call);
    const bool duplicate = worked.size() == worked_before;
    if (duplicate) {
      ++tally.dupes;
    } else {
      ++tally.valid;
      tally.points += PointsFor(where.cnt);
      MultiplierKey pair{multiplier.key, TrimSpaces(qso.band)};
      QSet<MultiplierKey>& taken = multiplier.is_area ? areas_taken_ : entities_taken_;
      const qsizetype taken_before = taken.size();
      taken.insert(std::move(pair));
      if (taken.size() > taken_before) ++(multiplier.is_area ? tally.mult2 : tally.mult1);
    }
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
  Multiplier MultiplierOf(const QString& call, const QString& entity) {
    if (!CountsAreas(entity)) return {false, TrimSpaces(entity)};
    current_area_ = AreaOfStation(areas_, call, current_area_);
    return {true, TrimSpaces(current_area_)};
  }

  std::int32_t PointsFor(const QString& continent) const {
    if (continent.isEmpty()) return 0;
    return continent == stn_cnt_ ? kSameContinentPoints : kOtherContinentPoints;
  }

  const PrefixTable& prefixes_;
  const AreaTable& areas_;
  const QString& stn_cnt_;
  LogScore score_;
  std::array<QSet<QString>, kBandSlots> worked_;
  QSet<MultiplierKey> entities_taken_;
  QSet<MultiplierKey> areas_taken_;
  // The area of the last JA, K, VE or VK station: a call that matches no
  // token of the area file takes it.
  QString current_area_;
};

}  // namespace

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

LogScore LogDataSearch(const LogRead& log, const PrefixTable& prefixes, const AreaTable& areas,
                       Progress& progress) {
  LogScoring scoring(prefixes, areas, log.stn_cnt);
  if (log.qsos.isEmpty()) return scoring.Finish();
  progress.SetMaximum(log.qsos.size());
  const QString label_start = log.summary.call_sign + QStringLiteral(" No. ");
  for (qsizetype i = 0; i < log.qsos.size(); ++i) {
    const QsoEntry& qso = log.qsos[i];
    progress.SetValue(i + 1);
    if (progress.LabelsWanted()) {
      progress.SetLabel(0, label_start + QString::number(i + 1) + QStringLiteral("  ") + qso.call);
    }
    scoring.Take(qso);
    progress.Yield();
  }
  return scoring.Finish();
}

}  // namespace tovek
