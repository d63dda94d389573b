#include "cli/job_runner.h"

#include <string>
#include <thread>

#include "job/recovery_job.h"
#include "store/tra_error.h"

namespace wordgleaner {

namespace {

constexpr const char* AbortNotice =
    "Abort requested: the run stops after the current entry and writes what it has done. "
    "Press Ctrl-C again to quit at once.";
constexpr const char* InterruptedLine = "Process interrupted.";

// Returns the snapshot that shows the end.
ProgressSnapshot PollUntilEnd(RecoveryJob& job, const JobWatch& watch) {
    bool abortRequested = false;
    for (;;) {
        if (!abortRequested && watch.interruptReceived && watch.interruptReceived()) {
            job.RequestAbort();
            abortRequested = true;
            watch.view.Note(AbortNotice);
        }
        ProgressSnapshot progress = job.Snapshot();
        if (progress.Ended()) {
            return progress;
        }
        watch.view.Show(progress);
        std::this_thread::sleep_for(watch.interval);
    }
}

// The end of a run as the report tells it; the failure line on the error
// stream names the status that becomes the exit code.
void PrintOutcome(const ProgressSnapshot& end, const JobWatch& watch) {
    if (end.abortRequested) {
        watch.out << InterruptedLine << '\n';
    }
    if (end.abortRequested || end.progressText != watch.view.LastPrintedLine()) {
        watch.out << end.progressText << '\n';
    }
    if (!end.entryText.empty()) {
        watch.out << end.entryText << '\n';
    }
    watch.out.flush();
    if (end.status != TraOk) {
        watch.err << "wordgleaner-cli: failed with status " << end.status << " ("
                  << TraErrorMessage(end.status) << ")\n";
    }
}

}  // namespace

int RunRecovery(RecoveryJob& job, const CliRequest& request, const JobWatch& watch) {
    if (!job.Start(request.referenceOriginal, request.referenceTranslated, request.modDirectory,
                   request.destinationDirectory, request.options)) {
        watch.err << "wordgleaner-cli: cannot start the worker thread\n";
        return NoThreadExitCode;
    }
    const ProgressSnapshot end = PollUntilEnd(job, watch);
    watch.view.Close();
    PrintOutcome(end, watch);
    return end.status;
}

}  // namespace wordgleaner
