#pragma once

// The peak resident memory of one step of a benchmark, for the benchmarks
// that compare it with the size of their input.

#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__unix__)
#include <sys/resource.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace wordgleaner {

inline constexpr double KibibytesPerMebibyte = 1024.0;

// One figure of /proc/self/status in MiB, or a negative number without it.
inline double StatusMebibytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::strtod(line.c_str() + field.size(), nullptr) / KibibytesPerMebibyte;
        }
    }
    return -1.0;
}

// The memory resident now (0 where the system does not tell).
inline double ResidentMebibytes() {
    const double resident = StatusMebibytes("VmRSS:");
    return resident < 0.0 ? 0.0 : resident;
}

// The peak resident memory since the last ResetPeakMemory (Linux keeps it as
// VmHWM), or of the whole process where it cannot be reset.
inline double PeakMemoryMebibytes() {
    const double peak = StatusMebibytes("VmHWM:");
    if (peak >= 0.0) {
        return peak;
    }
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / KibibytesPerMebibyte;  // kilobytes on Linux
#else
    return 0.0;
#endif
}

// Lets each measurement see its own peak, not the one of the step before:
// the pages that the allocator still holds from freed memory of earlier
// steps go back to the system first, since the reset starts from the
// memory resident at that moment.
inline void ResetPeakMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace wordgleaner
