#include "frontend/run_controller.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "frontend/decisions_field.h"
#include "frontend/destination_questions.h"
#include "frontend/end_summary.h"
#include "frontend/main_window_labels.h"
#include "frontend/readable_progress.h"
#include "frontend/reference_pair_problems.h"
#include "job/destination_check.h"
#include "job/destination_contents.h"

namespace wordgleaner {

namespace {

constexpr const char* FailureCaption = "Failure";

std::chrono::steady_clock::time_point SteadyNow() {
    return std::chrono::steady_clock::now();
}

// The fields' pair first, then the further pairs in the order listed.
JobInputs InputsOf(const RunRequest& request) {
    const RunPaths& paths = request.paths;
    ReferencePairs references = {
        {paths[PathField::ReferenceOriginal], paths[PathField::ReferenceTranslated]}};
    const ReferencePairs& further = request.preferences.furtherPairs;
    references.insert(references.end(), further.begin(), further.end());
    JobInputs inputs = {std::move(references), paths[PathField::ModDirectory],
                        paths[PathField::DestinationDirectory], request.preferences.options};
    inputs.options.decisionsFile = request.decisionsFile;
    return inputs;
}

}  // namespace

RunController::RunController(RunView& runView, JobHooks hooks, Clock runClock)
    : view(runView), clock(runClock ? std::move(runClock) : SteadyNow), job(std::move(hooks)) {}

bool RunController::Import(const RunRequest& request) {
    if (running || !FieldsFilledIn(request)) {
        return false;
    }
    const JobInputs inputs = InputsOf(request);
    if (!ReferencesAccepted(inputs.references, request.preferences.referenceFolders) ||
        !DestinationAccepted(inputs)) {
        return false;
    }
    if (!job.Start(inputs.references, inputs.modDirectory, inputs.destinationDirectory,
                   inputs.options)) {
        // Nothing would ever end this run: the window stays as it was.
        Refuse("Could not start the recovery: no worker thread available");
        return false;
    }
    runStart = clock();
    runRequest = request;
    running = true;
    CheckPaths(request);  // the destination may have just been created
    ClearBars();
    view.SetRunning(true);
    view.SchedulePoll(PollInterval);
    return true;
}

// The empty field is named and given the focus, so the user can fill it in
// at once; whether a path names anything was marked when it was typed.
bool RunController::FieldsFilledIn(const RunRequest& request) {
    std::vector<LabelledPath> labelled;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        const auto field = static_cast<PathField>(index);
        labelled.push_back({PlainLabelText(FieldLabel(field, request.preferences.referenceFolders)),
                            request.paths[field]});
    }
    const std::optional<std::size_t> empty = FirstEmptyField(labelled);
    if (!empty) {
        return true;
    }
    view.FocusField(static_cast<PathField>(*empty));
    view.ShowMessage(MessageIcon::None, FailureCaption, EmptyFieldText(labelled[*empty].label));
    return false;
}

// A pair of a file and a folder, files where folders were chosen, or a
// further pair whose side has gone from the disk never starts a run.
bool RunController::ReferencesAccepted(const ReferencePairs& references, bool referenceFolders) {
    for (std::size_t index = 0; index < references.size(); ++index) {
        const std::string problem = index == 0
                                        ? MainReferencePairProblem(references[0], referenceFolders)
                                        : FurtherReferencePairProblem(references[index]);
        if (!problem.empty()) {
            Refuse(problem);
            return false;
        }
    }
    return true;
}

void RunController::CheckPaths(const RunRequest& request) {
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        const auto field = static_cast<PathField>(index);
        view.MarkPath(
            field, PathProblemText(request.paths[field],
                                   FieldWantsFolder(field, request.preferences.referenceFolders)));
    }
}

// A destination the run cannot write into is told at once, unless it is
// only missing and the user has it created; one whose files the run would
// replace (the mod folder, a reference's folder, an earlier run's outputs)
// is used only with the user's consent, asked once.
bool RunController::DestinationAccepted(const JobInputs& inputs) {
    DestinationCheck check = CheckDestination(inputs);
    if (check.fault == DestinationFault::Missing &&
        DestinationAbsent(inputs.destinationDirectory)) {
        if (!DestinationCreated(inputs.destinationDirectory)) {
            return false;
        }
        check = CheckDestination(inputs);
    }
    if (check.Refused()) {
        Refuse(check.message);
        return false;
    }
    if (check.NeedsConsent()) {
        return view.Confirm(ReplaceFilesCaption,
                            check.message + "\n\nRecover into this folder anyway?",
                            DefaultAnswer::No);
    }
    return ReplacingAccepted(inputs);
}

// Creating a folder loses nothing, so Yes is the answer Enter gives.
bool RunController::DestinationCreated(const std::string& destination) {
    if (!view.Confirm(CreateFolderCaption, CreateFolderQuestion(destination), DefaultAnswer::Yes)) {
        return false;
    }
    if (const std::string problem = CreateDestination(destination); !problem.empty()) {
        Refuse(problem);
        return false;
    }
    return true;
}

// The files of an earlier run are the user's work too: Enter keeps them.
bool RunController::ReplacingAccepted(const JobInputs& inputs) {
    const std::vector<std::string> replaced = OutputsARunWouldReplace(inputs);
    return replaced.empty() ||
           view.Confirm(ReplaceFilesCaption,
                        ReplaceOutputsQuestion(inputs.destinationDirectory, replaced),
                        DefaultAnswer::No);
}

// What an earlier run left in the bars belongs to that run.
void RunController::ClearBars() {
    view.SetBar(RunBar::Files, 0, {});
    view.SetBar(RunBar::Entries, 0, {});
    view.SetTimeText({});
}

void RunController::Refuse(const std::string& problem) {
    view.ShowMessage(MessageIcon::Error, FailureCaption, problem);
}

void RunController::Poll() {
    if (!running) {
        return;
    }
    const ProgressSnapshot progress = job.Snapshot();
    ShowProgress(progress);
    if (progress.Ended()) {
        ShowEnd(progress);
        return;
    }
    view.SchedulePoll(PollInterval);
}

// The bars read as a person would say it; the run's own texts stay for the
// report and the command line.
void RunController::ShowProgress(const ProgressSnapshot& progress) {
    const ReadableBar files = ReadableFilesBar(progress);
    const ReadableBar entries = ReadableEntriesBar(progress);
    view.SetBar(RunBar::Files, files.percent, files.text);
    view.SetBar(RunBar::Entries, entries.percent, entries.text);
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(clock() - runStart);
    view.SetTimeText(ReadableTimeText(elapsed, progress));
}

// The window is given back only once the box is closed, so nothing can
// start over it. The run has written into the destination, and maybe more:
// the signs behind the box follow.
void RunController::ShowEnd(const ProgressSnapshot& end) {
    CheckPaths(runRequest);
    const JobInputs& inputs = job.Inputs();
    const EndSummary summary = SummarizeEnd(
        end, inputs, SavedDecisionsFile({view.DownloadsFolder(), inputs.destinationDirectory}));
    if (summary.actions.empty()) {
        view.ShowMessage(summary.icon, summary.caption, summary.text);
    } else {
        std::vector<std::string> buttons;
        for (const SummaryAction& action : summary.actions) {
            buttons.push_back(action.label);
        }
        buttons.push_back(CloseButtonText);
        const int chosen = view.Choose(summary.icon, summary.caption, summary.text, buttons);
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < summary.actions.size()) {
            Act(summary.actions[static_cast<std::size_t>(chosen)]);
        }
    }
    running = false;
    view.SetRunning(false);
}

void RunController::Act(const SummaryAction& action) {
    if (action.fillsDecisionsField) {
        view.SetDecisionsFile(action.target);
    } else {
        OpenTarget(action.target);
    }
}

void RunController::OpenTarget(const std::string& target) {
    const std::string full = view.FullPath(target);
    if (!view.Open(full)) {
        view.ShowMessage(MessageIcon::Warning, ProgramName, OpenFailedText(full));
    }
}

bool RunController::Cancel() {
    if (running) {
        job.RequestAbort();
        return false;
    }
    return true;
}

}  // namespace wordgleaner
