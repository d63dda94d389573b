#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "job/check_point.h"

namespace wordgleaner {

namespace test_support {

// Holds a job's worker at one check point until the test lets it go on, so
// the test can look at a run standing still, or act on it at an exact point,
// with no timing involved. The job's hook calls Pass; Arm before the run.
class CheckPointHold {
public:
    // Only a hung worker or test ever gets near this; it turns a hang into
    // a failure.
    static constexpr std::chrono::seconds HangLimit{120};

    // The worker is held the `occurrence`-th time (from 1) it passes `point`.
    void Arm(CheckPoint point, int occurrence = 1) {
        std::lock_guard lock(mutex);
        armed = point;
        wanted = occurrence;
        passes = 0;
        held = false;
        released = false;
    }

    // On the worker: holds it here when this is the armed pass.
    void Pass(CheckPoint reached) {
        std::unique_lock lock(mutex);
        if (!armed || reached != *armed || ++passes != wanted) {
            return;
        }
        held = true;
        changed.notify_all();
        changed.wait_for(lock, HangLimit, [this] { return released; });
    }

    // True once the worker is held (false when it never got there).
    bool WaitUntilHeld() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, HangLimit, [this] { return held; });
    }

    // Lets a held worker go on; it is not held again before the next Arm.
    void Release() {
        {
            std::lock_guard lock(mutex);
            released = true;
            armed.reset();
        }
        changed.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<CheckPoint> armed;
    int wanted = 0;
    int passes = 0;
    bool held = false;
    bool released = false;
};

}  // namespace test_support

}  // namespace wordgleaner
