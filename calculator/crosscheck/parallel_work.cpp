#include "calculator/crosscheck/parallel_work.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tovek::crosscheck {

int ParallelWorkers() {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  return 1;  // a fuzzer learns from coverage, which threads would make vary from run to run
#else
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
#endif
}

bool ForEachInParallel(size_t count, const std::function<void(size_t item, int worker)>& work,
                       const std::function<void(size_t done)>& after_item,
                       const std::function<bool()>& stop) {
  std::atomic<size_t> next{0};
  std::atomic<size_t> done{0};
  std::atomic<bool> halted{false};
  bool stopped = false;  // by the caller's `stop`; only the calling thread touches it
  std::exception_ptr failure;
  std::mutex failure_lock;
  const auto run = [&](int worker, bool caller) {
    while (!halted.load(std::memory_order_relaxed)) {
      const size_t item = next.fetch_add(1, std::memory_order_relaxed);
      if (item >= count) return;
      try {
        work(item, worker);
      } catch (...) {
        const std::lock_guard<std::mutex> hold(failure_lock);
        if (!failure) failure = std::current_exception();
        halted = true;
        return;
      }
      const size_t finished = done.fetch_add(1, std::memory_order_relaxed) + 1;
      if (!caller) continue;
      if (after_item) after_item(finished);
      if (stop && stop()) {
        stopped = true;
        halted = true;
      }
    }
  };
  const int helpers =
      static_cast<int>(std::min<size_t>(static_cast<size_t>(ParallelWorkers()), count)) - 1;
  std::vector<std::thread> threads;
  threads.reserve(static_cast<size_t>(std::max(helpers, 0)));
  for (int worker = 1; worker <= helpers; ++worker) threads.emplace_back(run, worker, false);
  run(0, true);
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
  return !stopped;
}

}  // namespace tovek::crosscheck
