#include "cli/job_runner.h"

#include <optional>
#include <string>
#include <thread>

#include "job/destination_check.h"
#include "job/recovery_job.h"
#include "job/reference_pair.h"
#include "job/run_end.h"
#include "job/sub_folder_note.h"
#include "store/tra_error.h"

namespace wordgleaner {

namespace {

constexpr const char* AbortNotice =
    "Abort requested: the run stops after the current entry and writes what it has done. "
    "Press Ctrl-C again, or send any stop signal again, to quit at once.";
constexpr const char* InPlaceHint = "Add --in-place to run anyway and replace those files.";
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
    if (!end.unsearchedSubFolders.empty()) {
        watch.out << SubFoldersNotSearchedLine(end.unsearchedSubFolders) << '\n';
    }
    for (const std::string& skipped : end.skippedFiles) {
        watch.out << skipped << '\n';
    }
    watch.out.flush();
    switch (EndOfRun(end)) {
        case RunEnd::Failed:
            watch.err << "wordgleaner-cli: failed with status " << end.status << " ("
                      << RunStatusMessage(end.status) << ")\n";
            break;
        case RunEnd::Stopped:
            watch.err << "wordgleaner-cli: " << StoppedText(end) << '\n';
            break;
        case RunEnd::Succeeded:
            break;
    }
}

int ExitCode(const ProgressSnapshot& end) {
    return EndOfRun(end) == RunEnd::Stopped ? InterruptedExitCode : end.status;
}

// A pair of a file and a folder is a mistake in the command line: the run
// could not tell which files to pair.
std::optional<int> RefuseMixedPair(const CliRequest& request, std::ostream& err) {
    for (const ReferencePair& pair : request.References()) {
        if (ClassifyReferencePair(pair) == ReferencePairKind::Mixed) {
            err << "wordgleaner-cli: " << MixedReferencePairText(pair) << '\n';
            return UsageExitCode;
        }
    }
    return std::nullopt;
}

// Refuses a run into a destination it cannot write, or, unless the user
// said so, one where it would replace the files it reads. Returns the exit
// code of a refused run, or nothing when the run may start.
std::optional<int> RefuseDestination(const CliRequest& request, std::ostream& err) {
    const DestinationCheck check =
        CheckDestination({request.References(), request.modDirectory, request.destinationDirectory,
                          request.options});
    if (check.Refused()) {
        err << "wordgleaner-cli: " << check.message << '\n';
        return check.Status();
    }
    if (check.NeedsConsent() && !request.inPlace) {
        err << "wordgleaner-cli: " << check.message << '\n'
            << "wordgleaner-cli: " << InPlaceHint << '\n';
        return UsageExitCode;
    }
    return std::nullopt;
}

}  // namespace

int RunRecovery(RecoveryJob& job, const CliRequest& request, const JobWatch& watch) {
    if (std::optional<int> refused = RefuseMixedPair(request, watch.err)) {
        return *refused;
    }
    if (std::optional<int> refused = RefuseDestination(request, watch.err)) {
        return *refused;
    }
    if (!job.Start(request.References(), request.modDirectory, request.destinationDirectory,
                   request.options)) {
        watch.err << "wordgleaner-cli: cannot start the worker thread\n";
        return NoThreadExitCode;
    }
    const ProgressSnapshot end = PollUntilEnd(job, watch);
    watch.view.Close();
    PrintOutcome(end, watch);
    return ExitCode(end);
}

}  // namespace wordgleaner
