#pragma once
// Wall and per-thread processor time in seconds.
#include <ctime>

namespace perf {

inline double secondsOf(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

inline double wallSeconds() { return secondsOf(CLOCK_MONOTONIC); }
inline double threadCpuSeconds() { return secondsOf(CLOCK_THREAD_CPUTIME_ID); }

}  // namespace perf
