#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "job/check_point.h"
#include "job/job_inputs.h"
#include "job/progress_snapshot.h"
#include "job/recovery_options.h"

namespace wordgleaner {

class SharedProgress;

// How often a front end polls a running job: the bars move smoothly, and the
// worker loses nothing to it.
inline constexpr std::chrono::milliseconds PollInterval{100};

// Seams for the tests; both are empty in the programs.
struct JobHooks {
    CheckPointHook atCheckPoint = {};
    // Makes the thread that runs `body`; empty: a std::jthread. A test throws
    // std::system_error from it, as the thread's constructor does when the
    // platform has no thread to give.
    std::function<std::jthread(std::function<void()> body)> makeThread = {};
};

// A recovery job: the inputs of its run, the progress its worker shows, and
// the worker thread itself. The owner (the window, the command line) starts a
// run, polls snapshots of it and may ask it to stop; the worker runs the
// batch, whose objects no other thread sees. The same job serves one run
// after another.
class RecoveryJob {
public:
    explicit RecoveryJob(JobHooks hooks = {});
    // A run still going on is asked to stop and waited for, so that no
    // worker outlives the job.
    ~RecoveryJob();
    RecoveryJob(const RecoveryJob&) = delete;
    RecoveryJob& operator=(const RecoveryJob&) = delete;

    // Clears the abort request, the texts, the percentages, the status and
    // the counters, then runs the batch over copies of the inputs on a new
    // worker thread one step below normal priority. False when no thread
    // could be made: then nothing runs, and nothing will end. The worker of
    // an earlier run is waited for first, so call it once that run has ended.
    // `references` holds at least one pair, the first searched first.
    bool Start(ReferencePairs references, std::string modDirectory,
               std::string destinationDirectory, const RecoveryOptions& options);
    // A run with one reference pair.
    bool Start(std::string referenceOriginal, std::string referenceTranslated,
               std::string modDirectory, std::string destinationDirectory,
               const RecoveryOptions& options);

    // True once the worker of the last run started has made its last write.
    bool Ended() const;
    ProgressSnapshot Snapshot() const;
    // Returns at once; the worker reacts at its next check point.
    void RequestAbort();
    // Blocks until the worker of the last run has returned; returns at once
    // when there is none.
    void WaitForEnd();

    const JobInputs& Inputs() const { return inputs; }

private:
    // The worker thread's body: the whole batch, then the last write.
    void Run();

    const JobHooks hooks;
    JobInputs inputs;  // written by Start only, while no worker runs
    // The worker's side, which a front end never sees: only the snapshots.
    const std::unique_ptr<SharedProgress> progress;
    std::jthread thread;  // last, so it is joined before the rest goes
};

}  // namespace wordgleaner
