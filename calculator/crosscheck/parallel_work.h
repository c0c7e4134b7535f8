// Independent pieces of one job (a contest's logs, one each) spread over the
// processor's cores.
#pragma once

#include <cstddef>
#include <functional>

#include "common/progress.h"

namespace tovek::crosscheck {

// How many threads share a job: one per core, the calling thread among them.
int ParallelWorkers();

// Calls `work(item, worker)` once for every item in [0, count), on
// ParallelWorkers() threads. `worker` (0 to ParallelWorkers() - 1) names the
// thread, so that each can keep a state of its own (a cache) the others
// never touch; items must not depend on one another. Only the calling thread
// calls `after_item` (with the number of items done so far, for progress) and
// `stop`; once `stop` says so, no further item starts and false is returned.
// An exception thrown by an item ends the job and is thrown again here.
bool ForEachInParallel(size_t count, const std::function<void(size_t item, int worker)>& work,
                       const std::function<void(size_t done)>& after_item = {},
                       const std::function<bool()>& stop = {});

// An `after_item` for ForEachInParallel that shows the items done on
// `progress` and lets its window paint.
inline std::function<void(size_t done)> ShowItemsDone(Progress& progress) {
  return [&progress](size_t done) {
    progress.SetValue(static_cast<qint64>(done));
    progress.Yield();
  };
}

}  // namespace tovek::crosscheck
