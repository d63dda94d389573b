#pragma once

#include <chrono>
#include <functional>

#include "frontend/end_summary.h"
#include "frontend/path_fields.h"
#include "frontend/preferences_values.h"
#include "frontend/run_view.h"
#include "job/recovery_job.h"

namespace wordgleaner {

// What Import takes from the window: the four fields as typed and the
// settings of Preferences, the further reference pairs among them, and the
// optional review decisions field (empty: none; a file that cannot be used
// fails the run before it writes anything).
struct RunRequest {
    RunPaths paths;
    PreferencesValues preferences;
    std::string decisionsFile = {};
};

// The flow of a run in a window, the same for every toolkit: the checks
// before a run, the start, the poll and its texts, the end box and its
// actions. The window forwards Import, Quit (Escape, the close box) and its
// timer's ticks here, and shows what it is told through its RunView.
class RunController {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `clock`: empty for the steady clock; tests give their own.
    explicit RunController(RunView& view, JobHooks hooks = {}, Clock clock = {});

    // Import: checks the request and starts a run on it, with empty bars;
    // true when a run started. Told and refused, in this order: a field left
    // empty (which gets the focus), a reference pair of a file and a folder
    // or files where folders were chosen, a further pair gone from the disk,
    // a missing destination the user does not want created (or that cannot
    // be), a destination the run cannot write into, and one whose files it
    // would replace without a Yes (asked once). Nothing happens while a run
    // goes on.
    bool Import(const RunRequest& request);
    // The window got the focus back: the signs of its path fields follow
    // the disk again, which may have changed behind it. The controller does
    // the same itself before a run and after every run.
    void CheckPaths(const RunRequest& request);
    // One tick: shows the job's progress, then its end once it has ended,
    // or asks for the next tick.
    void Poll();
    bool Running() const { return running; }
    // Quit, Escape or the close box: during a run they only ask the job to
    // stop and the window stays (false); otherwise the window may close.
    bool Cancel();

    RecoveryJob& Job() { return job; }

private:
    bool FieldsFilledIn(const RunRequest& request);
    bool ReferencesAccepted(const ReferencePairs& references, bool referenceFolders);
    bool DestinationAccepted(const JobInputs& inputs);
    bool DestinationCreated(const std::string& destination);
    bool ReplacingAccepted(const JobInputs& inputs);
    void ClearBars();
    void ShowProgress(const ProgressSnapshot& progress);
    void ShowEnd(const ProgressSnapshot& end);
    // An end box button: opens its target, or fills the decisions field.
    void Act(const SummaryAction& action);
    void OpenTarget(const std::string& target);
    void Refuse(const std::string& problem);

    RunView& view;
    Clock clock;
    std::chrono::steady_clock::time_point runStart;
    RunRequest runRequest;  // of the run going on or last run
    bool running = false;
    // Last, so that a run still going on when the window goes is stopped
    // and its worker waited for before the rest goes.
    RecoveryJob job;
};

}  // namespace wordgleaner
