#include "frontend/end_summary.h"

#include "job/batch_review.h"
#include "job/run_end.h"

namespace wordgleaner {

namespace {

// A run that ended well with the review asked for has written it: a review
// that cannot be written fails the run.
std::vector<SummaryAction> SuccessActions(const JobInputs& inputs) {
    std::vector<SummaryAction> actions;
    if (inputs.options.writeReview) {
        actions.push_back({"Open review page", ReviewPagePath(inputs.destinationDirectory)});
    }
    actions.push_back({"Open destination folder", inputs.destinationDirectory});
    return actions;
}

}  // namespace

EndSummary SummarizeEnd(const ProgressSnapshot& end, const JobInputs& inputs) {
    switch (EndOfRun(end)) {
        case RunEnd::Succeeded:
            return {SummaryIcon::None, "Success", "Updated the tra files", SuccessActions(inputs)};
        case RunEnd::Stopped:
            return {SummaryIcon::Warning, "Stopped", StoppedText(end), {}};
        case RunEnd::Failed:
            break;
    }
    return {SummaryIcon::Error, "Failure", end.progressText, {}};
}

}  // namespace wordgleaner
