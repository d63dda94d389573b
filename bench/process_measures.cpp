#include "process_measures.h"

#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace wordgleaner {

double SecondsSince(BenchClock::time_point start) {
    return std::chrono::duration<double>(BenchClock::now() - start).count();
}

double CpuSeconds() {
#if defined(__unix__)
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#else
    return 0.0;
#endif
}

}  // namespace wordgleaner
