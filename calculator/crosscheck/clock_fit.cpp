#include "calculator/crosscheck/clock_fit.h"

#include <algorithm>
#include <cstdlib>

namespace tovek::crosscheck {
namespace {

// Two sides log the same QSO a minute apart as often as not.
constexpr int kNoise = 1;
// Samples within this of a peak count for it when its offset is measured.
constexpr int kPeakReach = 2;
constexpr int kMinAgreeing = 3;

struct Peak {
  int offset = 0;
  int support = 0;
};

// The offset most residuals lie within kNoise of; ties go to the one
// nearest 0. `residuals` is sorted.
Peak DensestOffset(const std::vector<int>& residuals) {
  Peak best;
  size_t low = 0;
  size_t high = 0;
  for (const int centre : residuals) {
    while (residuals[low] < centre - kNoise) ++low;
    while (high < residuals.size() && residuals[high] <= centre + kNoise) ++high;
    const int support = static_cast<int>(high - low);
    if (support > best.support ||
        (support == best.support && std::abs(centre) < std::abs(best.offset))) {
      best = {centre, support};
    }
  }
  return best;
}

// The median of the residuals near `around`: the offset itself, to the minute.
int MedianNear(const std::vector<int>& sorted, int around) {
  const auto first = std::lower_bound(sorted.begin(), sorted.end(), around - kPeakReach);
  const auto last = std::upper_bound(sorted.begin(), sorted.end(), around + kPeakReach);
  if (first == last) return around;
  return *(first + (last - first - 1) / 2);
}

bool Near(int residual, int offset) { return std::abs(residual - offset) <= kPeakReach; }

// The best place for a jump from `before` to `after` in samples sorted by
// logged time: the split that leaves most samples on their side's offset.
struct Split {
  size_t index = 0;
  int agreeing = 0;
};
Split BestSplit(const std::vector<ClockSample>& samples, int before, int after) {
  int after_total = 0;
  for (const ClockSample& s : samples) after_total += Near(s.residual, after) ? 1 : 0;
  Split best;
  int before_seen = 0;
  int after_seen = 0;
  for (size_t i = 0; i <= samples.size(); ++i) {
    const int agreeing = before_seen + (after_total - after_seen);
    if (agreeing > best.agreeing) best = {i, agreeing};
    if (i == samples.size()) break;
    before_seen += Near(samples[i].residual, before) ? 1 : 0;
    after_seen += Near(samples[i].residual, after) ? 1 : 0;
  }
  return best;
}

// A second offset, far enough from the first not to be its noise.
Peak SecondPeak(const std::vector<int>& sorted, int first) {
  std::vector<int> rest;
  for (const int r : sorted) {
    if (std::abs(r - first) > 2 * kPeakReach) rest.push_back(r);
  }
  Peak peak = DensestOffset(rest);
  if (peak.support > 0) peak.offset = MedianNear(rest, peak.offset);
  return peak;
}

}  // namespace

ClockModel FitClock(std::vector<ClockSample> samples) {
  ClockModel clock;
  clock.evidence = static_cast<int>(samples.size());
  if (samples.size() < static_cast<size_t>(kMinAgreeing)) return clock;
  std::vector<int> sorted;
  sorted.reserve(samples.size());
  for (const ClockSample& s : samples) sorted.push_back(s.residual);
  std::sort(sorted.begin(), sorted.end());
  const int n = static_cast<int>(sorted.size());

  Peak first = DensestOffset(sorted);
  first.offset = MedianNear(sorted, first.offset);
  const Peak second = SecondPeak(sorted, first.offset);
  if (second.support >= std::max(kMinAgreeing + 1, n * 15 / 100)) {
    std::sort(samples.begin(), samples.end(), [](const ClockSample& a, const ClockSample& b) {
      return a.logged_minute < b.logged_minute;
    });
    const Split first_then_second = BestSplit(samples, first.offset, second.offset);
    const Split second_then_first = BestSplit(samples, second.offset, first.offset);
    const bool first_is_earlier = first_then_second.agreeing >= second_then_first.agreeing;
    const Split split = first_is_earlier ? first_then_second : second_then_first;
    // A jump explains both peaks, each on its own side of one moment.
    const int explained = first.support + second.support;
    if (split.agreeing * 10 >= explained * 9 && split.index > 0 && split.index < samples.size()) {
      clock.offset = first_is_earlier ? first.offset : second.offset;
      clock.later_offset = first_is_earlier ? second.offset : first.offset;
      clock.jump_minute = samples[split.index].logged_minute;
      clock.main_is_later =
          first_is_earlier ? second.support > first.support : first.support > second.support;
      return clock;
    }
  }
  if (first.support >= kMinAgreeing && first.support * 2 >= n) {
    clock.offset = first.offset;
    clock.later_offset = first.offset;
  }
  return clock;
}

}  // namespace tovek::crosscheck
