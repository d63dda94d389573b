#include "job/worker/destination_lock.h"

#include "job/output_files.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wordgleaner {

namespace {

constexpr std::intptr_t NoLockFile = -1;

#ifndef _WIN32

// Only when another run removes the file between this open and this lock,
// over and over, does the run give up.
constexpr int LockAttempts = 16;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// True when `descriptor` is still the file at `path`: the run that held the
// lock may have removed the file after it was opened here, and a lock on a
// removed file guards nothing.
bool StillNamed(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

#endif

}  // namespace

#ifdef _WIN32

// Opened without sharing, a second opener fails at once; deleted on close,
// the file goes with the handle, when the process is killed too.
LockOutcome DestinationLock::Take(const std::string& destinationDirectory) {
    path = LockPath(destinationDirectory);
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            return LockOutcome::Busy;
        }
        reason = {static_cast<int>(error), std::system_category()};
        return LockOutcome::Failed;
    }
    lockFile = reinterpret_cast<std::intptr_t>(file);
    return LockOutcome::Taken;
}

DestinationLock::~DestinationLock() {
    if (lockFile != NoLockFile) {
        CloseHandle(reinterpret_cast<HANDLE>(lockFile));
    }
}

#else

// A link in the lock file's place is removed, never followed: the lock file
// is the destination's own, like every file a run writes there.
LockOutcome DestinationLock::Take(const std::string& destinationDirectory) {
    path = LockPath(destinationDirectory);
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        const int descriptor =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
        if (descriptor < 0 && errno == ELOOP) {
            ::unlink(path.c_str());
            continue;
        }
        if (descriptor < 0) {
            reason = LastError();
            return LockOutcome::Failed;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(descriptor);
            if (error == EWOULDBLOCK) {
                return LockOutcome::Busy;
            }
            reason = {error, std::generic_category()};
            return LockOutcome::Failed;
        }
        if (StillNamed(descriptor, path)) {
            lockFile = descriptor;
            return LockOutcome::Taken;
        }
        ::close(descriptor);
    }
    reason = std::make_error_code(std::errc::resource_unavailable_try_again);
    return LockOutcome::Failed;
}

// Removed while still locked, so that no other run can lock this file in
// between: one that opened it before finds it gone, and makes its own.
DestinationLock::~DestinationLock() {
    if (lockFile != NoLockFile) {
        ::unlink(path.c_str());
        ::close(static_cast<int>(lockFile));
    }
}

#endif

}  // namespace wordgleaner
