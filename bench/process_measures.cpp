#include "process_measures.h"

#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace wordgleaner {

namespace {

constexpr double KibibytesPerMebibyte = 1024.0;

}  // namespace

double SecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

double PeakMemoryMebibytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtod(line.c_str() + 6, nullptr) / KibibytesPerMebibyte;
        }
    }
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / KibibytesPerMebibyte;  // kilobytes on Linux
#else
    return 0.0;
#endif
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace wordgleaner
