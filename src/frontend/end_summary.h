#pragma once

#include <string>
#include <vector>

#include "job/job_inputs.h"
#include "job/progress_snapshot.h"

namespace wordgleaner {

enum class SummaryIcon { None, Warning, Error };

// A button of the end box beside Close, and the file or folder it opens.
struct SummaryAction {
    std::string label;
    std::string target;  // as the job wrote it: 8-bit, maybe relative

    friend bool operator==(const SummaryAction&, const SummaryAction&) = default;
};

// The box a window shows once a run has ended: a success offers to open the
// review page (when one was written) and the destination folder; a stop
// tells what it left on disk; a failure tells the run's own text.
struct EndSummary {
    SummaryIcon icon = SummaryIcon::None;
    std::string caption;
    std::string text;
    std::vector<SummaryAction> actions;  // in the order of the buttons, Close after them

    friend bool operator==(const EndSummary&, const EndSummary&) = default;
};

inline constexpr const char* CloseButtonText = "Close";

EndSummary SummarizeEnd(const ProgressSnapshot& end, const JobInputs& inputs);

}  // namespace wordgleaner
