#include "cli/job_runner.h"

#include <string>
#include <thread>

#include "job/job_thread.h"
#include "job/recovery_job.h"
#include "store/tra_error.h"

namespace wordgleaner {

namespace {

constexpr std::int32_t EndedPercent = 100;
constexpr const char* AbortNotice =
    "Abort requested: the run stops after the current entry and writes what it has done. "
    "Press Ctrl-C again to quit at once.";
constexpr const char* InterruptedLine = "Process interrupted.";

void WaitForEnd(RecoveryJob& job, const JobWatch& watch) {
    bool abortRequested = false;
    for (;;) {
        if (!abortRequested && watch.interruptReceived && watch.interruptReceived()) {
            job.RequestAbort();
            abortRequested = true;
            watch.view.Note(AbortNotice);
        }
        if (job.filePercent.load() == EndedPercent) {
            return;
        }
        watch.view.Show(ReadProgress(job));
        std::this_thread::sleep_for(watch.interval);
    }
}

// The end of a run as the report tells it; the failure line on the error
// stream names the status that becomes the exit code.
void PrintOutcome(const RecoveryJob& job, const JobWatch& watch) {
    const bool interrupted = job.abortRequested.load();
    const std::string progress = job.progressText.Get();
    const std::string entries = job.entryText.Get();
    if (interrupted) {
        watch.out << InterruptedLine << '\n';
    }
    if (interrupted || progress != watch.view.LastPrintedLine()) {
        watch.out << progress << '\n';
    }
    if (!entries.empty()) {
        watch.out << entries << '\n';
    }
    watch.out.flush();
    const std::int32_t status = job.status.load();
    if (status != TraOk) {
        watch.err << "wordgleaner-cli: failed with status " << status << " ("
                  << TraErrorMessage(status) << ")\n";
    }
}

}  // namespace

int RunRecovery(RecoveryJob& job, const CliRequest& request, const JobWatch& watch) {
    job.Setup(request.referenceOriginal, request.referenceTranslated, request.modDirectory,
              request.destinationDirectory, request.options);
    job.filePercent = 0;
    if (!StartJobThread(job)) {
        watch.err << "wordgleaner-cli: cannot start the worker thread\n";
        return NoThreadExitCode;
    }
    WaitForEnd(job, watch);
    watch.view.Close();
    PrintOutcome(job, watch);
    return job.status.load();
}

}  // namespace wordgleaner
