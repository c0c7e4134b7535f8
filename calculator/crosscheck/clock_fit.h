// A log's clock offset, fitted from the QSOs it shares with other logs.
#pragma once

#include <vector>

#include "calculator/crosscheck/cross_check.h"

namespace tovek::crosscheck {

// One shared QSO: when this log logged it, and how many minutes later that
// was than the other station's (already corrected) time for it.
struct ClockSample {
  int logged_minute;
  int residual;
};

// The offset that most samples agree on, within a minute or two of logging
// noise; samples far from it (a QSO paired with the wrong one, the other
// station's own error) do not move it. Whole hours and days are offsets
// like any other. When the samples fall into two offsets that follow each
// other in time, the clock jumped: the model has both and the minute of the
// jump. Fewer than three agreeing samples, or fewer than half of them,
// leave the offset 0.
ClockModel FitClock(std::vector<ClockSample> samples);

}  // namespace tovek::crosscheck
