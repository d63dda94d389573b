#pragma once

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>

namespace wordgleaner {

namespace test_support {

// Makes every write that would grow a file beyond `bytes` fail (EFBIG) for as
// long as the object lives: a real write failure, reached without a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        // Without this the process would be killed instead of seeing the error.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}  // namespace test_support

}  // namespace wordgleaner

#endif
