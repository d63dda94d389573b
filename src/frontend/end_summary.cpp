#include "frontend/end_summary.h"

#include <cstdint>

#include "frontend/decisions_field.h"
#include "frontend/path_fields.h"
#include "frontend/preferences_form.h"
#include "job/output_files.h"
#include "job/run_end.h"

namespace wordgleaner {

namespace {

// A run that ended well with the review asked for has written it: a review
// that cannot be written fails the run.
std::vector<SummaryAction> SuccessActions(const JobInputs& inputs,
                                          const std::string& savedDecisions) {
    std::vector<SummaryAction> actions;
    if (inputs.options.writeReview) {
        actions.push_back({"Open review page", ReviewPagePath(inputs.destinationDirectory)});
    }
    actions.push_back({"Open destination folder", inputs.destinationDirectory});
    if (!savedDecisions.empty() && savedDecisions != inputs.options.decisionsFile) {
        actions.push_back({UseSavedDecisionsLabel, savedDecisions, true});
    }
    return actions;
}

std::string Counted(std::int32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string PlainRunSummary(const ProgressSnapshot& end) {
    const BatchCounters& counts = end.counters;
    const std::int32_t notFound = counts.entriesProcessed - counts.exactCount -
                                  counts.veryLikelyCount - counts.likelyCount - counts.emptyCount;
    std::string text = Counted(end.filesDone, "file", "files") + " done, " +
                       Counted(counts.entriesProcessed, "entry", "entries") + ": " +
                       std::to_string(counts.exactCount) + " exact, " +
                       std::to_string(counts.veryLikelyCount) + " very likely, " +
                       std::to_string(counts.likelyCount) + " likely, " + std::to_string(notFound) +
                       " not found";
    if (counts.emptyCount > 0) {
        text += ", " + std::to_string(counts.emptyCount) + " empty";
    }
    return text + ".";
}

std::string UnsearchedSubFoldersText(const ProgressSnapshot& end) {
    if (end.unsearchedSubFolders.empty()) {
        return {};
    }
    return "Sub-folders were left out: " + UnsearchedSubFolderList(end.unsearchedSubFolders) +
           ". To recover their tra files too, check \"" +
           PlainLabelText(CheckLabel(PreferencesCheck::IncludeSubFolders)) + "\" in Preferences.";
}

EndSummary SummarizeEnd(const ProgressSnapshot& end, const JobInputs& inputs,
                        const std::string& savedDecisions) {
    EndSummary summary = {MessageIcon::Error, "Failure", end.progressText, {}};
    switch (EndOfRun(end)) {
        case RunEnd::Succeeded:
            summary = {MessageIcon::None, "Success",
                       "Updated the tra files\n\n" + PlainRunSummary(end),
                       SuccessActions(inputs, savedDecisions)};
            break;
        case RunEnd::Stopped:
            summary = {MessageIcon::Warning, "Stopped", StoppedText(end), {}};
            break;
        case RunEnd::Failed:
            break;
    }
    if (const std::string note = UnsearchedSubFoldersText(end); !note.empty()) {
        summary.text += "\n\n" + note;
    }
    return summary;
}

std::string OpenFailedText(const std::string& fullPath) {
    return "Could not open\n\n" + fullPath +
           "\n\nThe path can be copied from this box (Ctrl+C) and opened by hand.";
}

}  // namespace wordgleaner
