#pragma once

// What the benchmarks measure of their own process: wall clock and CPU time
// of a step, and (through peak_memory.h) its peak resident memory.

#include <chrono>

#include "peak_memory.h"

namespace wordgleaner {

using BenchClock = std::chrono::steady_clock;

double SecondsSince(BenchClock::time_point start);

// The CPU time of every thread of the process so far: on a machine shared
// with other work, steadier than the wall clock.
double CpuSeconds();

// Wall clock and CPU time of one step.
struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
};

class Stopwatch {
public:
    Timing Elapsed() const { return {SecondsSince(wallStart), CpuSeconds() - cpuStart}; }

private:
    BenchClock::time_point wallStart = BenchClock::now();
    double cpuStart = CpuSeconds();
};

}  // namespace wordgleaner
