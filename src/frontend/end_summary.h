#pragma once

#include <string>
#include <vector>

#include "frontend/message_icon.h"
#include "job/job_inputs.h"
#include "job/progress_snapshot.h"

namespace wordgleaner {

// A button of the end box beside Close, and the file or folder it opens, or
// the decisions file it puts into the window's review decisions field.
struct SummaryAction {
    std::string label;
    std::string target;  // as the job wrote it: 8-bit, maybe relative
    bool fillsDecisionsField = false;

    friend bool operator==(const SummaryAction&, const SummaryAction&) = default;
};

// The box a window shows once a run has ended: a success offers to open the
// review page (when one was written) and the destination folder; a stop
// tells what it left on disk; a failure tells the run's own text. Each also
// names the sub-folders the run left out, if any, and the setting that
// includes them.
struct EndSummary {
    MessageIcon icon = MessageIcon::None;
    std::string caption;
    std::string text;
    std::vector<SummaryAction> actions;  // in the order of the buttons, Close after them

    friend bool operator==(const EndSummary&, const EndSummary&) = default;
};

inline constexpr const char* CloseButtonText = "Close";

// What a finished run did, in plain words: "8 files done, 30000 entries:
// 12895 exact, 2062 very likely, 7079 likely, 7964 not found." (exact counts
// the matches up to case too; empty entries are told only when there are any).
std::string PlainRunSummary(const ProgressSnapshot& end);

// "Sub-folders were left out: d (60 tra files). To recover their tra files
// too, check ..."; empty when the run left none out.
std::string UnsearchedSubFoldersText(const ProgressSnapshot& end);

// `savedDecisions`: a decisions file a review page saved (SavedDecisionsFile),
// which a success offers for the next run unless this run applied it; empty:
// none.
EndSummary SummarizeEnd(const ProgressSnapshot& end, const JobInputs& inputs,
                        const std::string& savedDecisions = {});

// Told when the user's programs could not open what a button names: the
// full path, which the user can copy from the box and open by hand.
std::string OpenFailedText(const std::string& fullPath);

}  // namespace wordgleaner
