#pragma once

#include <chrono>
#include <functional>
#include <ostream>

#include "cli/cli_options.h"
#include "cli/progress_view.h"
#include "job/recovery_job.h"

namespace wordgleaner {

// No worker thread could be started (EX_OSERR of the BSD exit codes).
inline constexpr int NoThreadExitCode = 71;

// A run stopped on request, as shells report a command ended by Ctrl-C.
inline constexpr int InterruptedExitCode = 130;

struct JobWatch {
    ProgressView& view;
    std::ostream& out;
    std::ostream& err;
    std::function<bool()> interruptReceived;  // polled; true once the user asked to stop
    std::chrono::milliseconds interval = PollInterval;
};

// Runs a job exactly as the desktop window does: checks the destination,
// starts the job with the request, polls it until it has ended, forwarding an
// interrupt as the abort request, then prints progressText, entryText, the
// sub-folders the run left out and the skipped files.
// Returns the exit code: the job's status (DestinationBusyStatus when another
// run writes into the destination), InterruptedExitCode for a stopped
// run, UsageExitCode for a destination that needs --in-place, the check's
// status for one that cannot be written, or NoThreadExitCode.
int RunRecovery(RecoveryJob& job, const CliRequest& request, const JobWatch& watch);

}  // namespace wordgleaner
