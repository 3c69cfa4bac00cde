#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>
#include <vector>

namespace qarn::bench {

// CPU time of the calling thread: on a machine shared with other work, wall time measures the
// others as well.
inline double ThreadNanos() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Nanoseconds per call, the best of several rounds.
template <class Call>
double BestNanosPerCall(Call&& call, int calls = 200, int rounds = 7) {
  double best = std::numeric_limits<double>::infinity();
  for (int r = 0; r < rounds; ++r) {
    const double start = ThreadNanos();
    for (int i = 0; i < calls; ++i) call();
    best = std::min(best, (ThreadNanos() - start) / calls);
  }
  return best;
}

// The floor of work over `bytes` bytes: copying them.
inline double MemcpyNanos(size_t bytes) {
  std::vector<uint8_t> from(bytes, 1);
  std::vector<uint8_t> to(bytes);
  return BestNanosPerCall([&] {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  });
}

}  // namespace qarn::bench
