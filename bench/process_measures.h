#pragma once

#include <chrono>

namespace wordgleaner {

using BenchClock = std::chrono::steady_clock;

double SecondsSince(BenchClock::time_point start);

// The peak resident memory since the last ResetPeakMemory (Linux keeps it as
// VmHWM), or of the whole process where it cannot be reset.
double PeakMemoryMebibytes();

// Lets each measurement see its own peak, not the one of the step before.
void ResetPeakMemory();

}  // namespace wordgleaner
