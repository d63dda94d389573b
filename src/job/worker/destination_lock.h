#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace wordgleaner {

enum class LockOutcome {
    Taken,
    Busy,    // another run holds the destination
    Failed,  // the lock file could not be opened or locked
};

// One run at a time per destination: a run holds an exclusive lock on the
// file Wordgleaner.lock in its destination for its whole life, so that two
// runs never mix their files there. The lock is the system's own (an
// advisory lock on POSIX, a file opened without sharing on Windows), which
// it lets go when the process ends however it ends: a lock file left by a
// killed run stops no later run.
class DestinationLock {
public:
    DestinationLock() = default;
    // A lock taken is let go and its file removed; a lock never taken
    // leaves the file alone, since another run may hold it.
    ~DestinationLock();
    DestinationLock(const DestinationLock&) = delete;
    DestinationLock& operator=(const DestinationLock&) = delete;

    // Takes the lock at once or not at all: a run must never wait for
    // another. Opening the file writes nothing into it, nor into any other
    // file of the destination.
    LockOutcome Take(const std::string& destinationDirectory);
    // The system's reason of a Failed outcome.
    const std::error_code& Reason() const { return reason; }

private:
    std::string path;
    std::error_code reason;
    // The open lock file: a descriptor on POSIX, a HANDLE on Windows.
    std::intptr_t lockFile = -1;
};

}  // namespace wordgleaner
