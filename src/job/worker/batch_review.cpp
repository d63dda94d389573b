#include "job/worker/batch_review.h"

#include <string>
#include <string_view>
#include <vector>

#include "job/output_files.h"
#include "job/worker/shared_progress.h"
#include "matching/output/number_format.h"
#include "review/review_csv.h"
#include "review/review_html.h"

namespace wordgleaner {

namespace {

std::string Percent(double value) {
    return FormatShortest(value) + " %";
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string CommentModeText(std::int32_t mode) {
    switch (mode) {
        case CommentPerfectMatch:
            return "before entries with perfect match with reference";
        case CommentMissingMatch:
            return "before entries without perfect or likely match";
        default:
            return "none";
    }
}

// The state of the run as the report tells it: the review is written just
// before the report, so the two say the same.
std::string RunText(const ProgressSnapshot& now) {
    std::string text = now.abortRequested ? "Process interrupted. " : "";
    return text + now.progressText + " " + now.entryText;
}

ReviewSummary SettingsOf(const JobInputs& inputs, const ProgressSnapshot& now) {
    const RecoveryOptions& options = inputs.options;
    return {{
        {"Run", RunText(now)},
        {"Reference tra file in original language", inputs.references.front().original},
        {"Reference tra file in destination language", inputs.references.front().translated},
        {"Directory of mod tra files", inputs.modDirectory},
        {"Destination directory", inputs.destinationDirectory},
        {"Minimum likeliness", Percent(options.search.minLikeliness)},
        {"Likeliness threshold to assume matching", Percent(options.veryLikelyThreshold)},
        {"Compare sound reference", YesNo(options.search.compareSound)},
        {"Output line matching information instead of copying the texts",
         YesNo(options.lineInfoOnly)},
        {"Comments", CommentModeText(options.commentMode)},
        {"Reference ids searched", std::to_string(options.search.minReferenceId) + " to " +
                                       std::to_string(options.search.maxReferenceId)},
        {"Code page of texts that are not UTF-8", std::to_string(options.codePage)},
    }};
}

// A skipped file's report line, "Skipped d/x.tra: Failed to load ...", as a
// row of its own: the file, then its cause.
ReviewSetting SkippedRow(const std::string& line) {
    constexpr std::string_view Prefix = "Skipped ";
    std::string_view shown = line;
    if (shown.starts_with(Prefix)) {
        shown.remove_prefix(Prefix.size());
    }
    return {"Skipped", std::string(shown)};
}

// The settings, then the files the run skipped, each with its cause. The
// sub-folders setting is shown only when it is on, so that the page of a run
// without it stays as it always was.
ReviewSummary SummaryOf(const JobInputs& inputs, const ProgressSnapshot& now) {
    ReviewSummary summary = SettingsOf(inputs, now);
    if (inputs.options.includeSubFolders) {
        summary.settings.push_back({"Include sub-folders", YesNo(true)});
    }
    for (const std::string& line : now.skippedFiles) {
        summary.settings.push_back(SkippedRow(line));
    }
    return summary;
}

// "Failed to write out/Wordgleaner_review.html, cause: File write failure
// (No space left on device)": the file, and the system's reason.
TraError Failed(SharedProgress& progress, const std::string& path, const TraFailure& failure) {
    progress.SetProgressText("Failed to write " + path + ", cause: " + TraFailureText(failure));
    return failure.code;
}

}  // namespace

TraError WriteBatchReview(const JobInputs& inputs, const std::vector<ReviewRecord>& records,
                          SharedProgress& progress) {
    if (!inputs.options.writeReview) {
        return TraOk;
    }
    const int codePage = inputs.options.codePage;
    const std::string page = ReviewPagePath(inputs.destinationDirectory);
    const ReviewSummary summary = SummaryOf(inputs, progress.Snapshot());
    if (TraFailure failure = WriteReviewHtml(page, summary, records, codePage);
        failure.code != TraOk) {
        return Failed(progress, page, failure);
    }
    const std::string table = ReviewTablePath(inputs.destinationDirectory);
    if (TraFailure failure = WriteReviewCsv(table, records, codePage); failure.code != TraOk) {
        return Failed(progress, table, failure);
    }
    return TraOk;
}

}  // namespace wordgleaner
