#include "job/worker/thread_priority.h"

#if defined(_WIN32)

#include <windows.h>

namespace wordgleaner {

bool LowerCurrentThreadPriority() {
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL) != 0;
}
}  // namespace wordgleaner

#elif defined(__linux__)

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace wordgleaner {

namespace {
constexpr int NiceStep = 1;  // one step below normal
}

// Linux keeps a nice value per thread, addressed by the thread id, so this
// leaves the rest of the process (the window, the terminal) alone.
bool LowerCurrentThreadPriority() {
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;  // -1 is a valid nice value: only errno tells a failure
    const int nice = getpriority(PRIO_PROCESS, thread);
    if (nice == -1 && errno != 0) {
        return false;
    }
    return setpriority(PRIO_PROCESS, thread, nice + NiceStep) == 0;
}
}  // namespace wordgleaner

#else

namespace wordgleaner {

bool LowerCurrentThreadPriority() {
    return false;  // no per-thread priority that an unprivileged process may lower
}

}  // namespace wordgleaner

#endif
