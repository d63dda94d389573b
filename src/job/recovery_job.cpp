#include "job/recovery_job.h"

#include <exception>
#include <utility>

#include "job/worker/batch_run.h"
#include "job/worker/shared_progress.h"
#include "job/worker/thread_priority.h"
#include "store/tra_error.h"

namespace wordgleaner {

RecoveryJob::RecoveryJob(JobHooks hooks)
    : hooks(std::move(hooks)), progress(std::make_unique<SharedProgress>()) {}

RecoveryJob::~RecoveryJob() {
    if (thread.joinable()) {
        RequestAbort();
        thread.join();
    }
}

bool RecoveryJob::Start(std::string referenceOriginal, std::string referenceTranslated,
                        std::string modDirectory, std::string destinationDirectory,
                        const RecoveryOptions& options) {
    return Start({{std::move(referenceOriginal), std::move(referenceTranslated)}},
                 std::move(modDirectory), std::move(destinationDirectory), options);
}

bool RecoveryJob::Start(ReferencePairs references, std::string modDirectory,
                        std::string destinationDirectory, const RecoveryOptions& options) {
    WaitForEnd();
    inputs = {std::move(references), std::move(modDirectory), std::move(destinationDirectory),
              options};
    progress->Reset();
    try {
        auto body = [this] { Run(); };
        thread = hooks.makeThread ? hooks.makeThread(body) : std::jthread(body);
    } catch (const std::exception&) {  // std::system_error, or no memory for the thread
        return false;
    }
    return true;
}

bool RecoveryJob::Ended() const {
    return progress->Ended();
}

ProgressSnapshot RecoveryJob::Snapshot() const {
    return progress->Snapshot();
}

void RecoveryJob::RequestAbort() {
    progress->RequestAbort();
}

void RecoveryJob::WaitForEnd() {
    if (thread.joinable()) {
        thread.join();
    }
}

void RecoveryJob::Run() {
    LowerCurrentThreadPriority();  // a refusal only costs responsiveness
    BatchCounters counters;
    try {
        counters = RunBatch(inputs, *progress, hooks.atCheckPoint);
    } catch (...) {
        // The core throws nothing but std::bad_alloc, which the batch tells
        // with its stage; one thrown while it tells it must still end the
        // run, or its owner would wait for it forever.
        progress->SetProgressText(TraErrorMessage(TraNoMemory));
        progress->SetStatus(TraNoMemory);
    }
    progress->Finish(counters);  // the last write: from here on the job belongs to its owner
}

}  // namespace wordgleaner
