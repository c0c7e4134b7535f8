#include "calculator/crosscheck/large_heap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tovek::crosscheck {

#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_HUGEPAGE)

void UseLargePagesForHeap() {
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  // Room the heap reserves whenever it grows: more than a large contest
  // needs, so that it grows once. Reserved address space costs nothing
  // until it is touched.
  constexpr int kHeapReserve = 1 << 30;
  // Blocks of any size from the heap rather than mapped apart, and nothing
  // returned early. (Other threads keep heaps of their own: one heap for
  // all would be in large pages, but its lock costs the parallel reading
  // more than the pages save.)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the most the allocator takes
  mallopt(M_TRIM_THRESHOLD, kHeapReserve);
  mallopt(M_TOP_PAD, kHeapReserve);
  // Grow the heap now (a block larger than its free top), then mark all it
  // reserved for large pages.
  const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  void* probe = std::malloc(mallinfo2().keepcost + kLargePage);
  if (probe == nullptr) return;
  *static_cast<volatile char*>(probe) = 0;  // the block is used: not left out by the compiler
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t start = (before + kLargePage - 1) & ~(kLargePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  std::free(probe);
}

#else

void UseLargePagesForHeap() {}

#endif

}  // namespace tovek::crosscheck
