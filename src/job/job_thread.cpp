#include "job/job_thread.h"

#include <exception>
#include <thread>

#include "job/recovery_job.h"
#include "job/thread_priority.h"

namespace wordgleaner {

namespace {
constexpr int NoJobExitCode = 1;
constexpr int RanExitCode = 0;
}  // namespace

int JobThreadProc(RecoveryJob* job) {
    if (job == nullptr) {
        return NoJobExitCode;
    }
    job->Run();
    return RanExitCode;  // the batch's outcome is in the job's status, not here
}

bool StartJobThread(RecoveryJob& job) {
    try {
        std::thread worker([&job] {
            LowerCurrentThreadPriority();  // a refusal only costs responsiveness
            JobThreadProc(&job);
        });
        // Nobody waits for the worker: the window learns the end from
        // filePercent, and the thread releases its resources when it returns.
        worker.detach();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace wordgleaner
