#pragma once

#include <filesystem>
#include <string>

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
#include <unistd.h>
#endif

namespace wordgleaner {

namespace test_support {

// Holds the lock of a destination as another run would, for as long as the
// object lives, written against the system's calls rather than the job's
// own code: an advisory lock on POSIX (it belongs to the open file, so it
// holds against this very process too), the file opened without sharing on
// Windows. On POSIX the file stays when the holder goes, as after a run
// that was killed.
class HeldDestination {
public:
    explicit HeldDestination(const std::filesystem::path& destination)
        : path((destination / "Wordgleaner.lock").string()) {
#ifdef _WIN32
        file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        held = file != INVALID_HANDLE_VALUE;
#else
        descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        held = descriptor >= 0 && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
#endif
    }
    ~HeldDestination() {
#ifdef _WIN32
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
#else
        if (descriptor >= 0) {
            ::close(descriptor);
        }
#endif
    }
    HeldDestination(const HeldDestination&) = delete;
    HeldDestination& operator=(const HeldDestination&) = delete;

    bool Held() const {
        return held;
    }
    const std::string& Path() const {
        return path;
    }

private:
    std::string path;
    bool held = false;
#ifdef _WIN32
    HANDLE file = INVALID_HANDLE_VALUE;
#else
    int descriptor = -1;
#endif
};

}  // namespace test_support

}  // namespace wordgleaner
