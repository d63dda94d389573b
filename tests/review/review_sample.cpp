// Writes the review page and table of a small sample run (with a row that
// has alternative translations) into the folder named on the command line and prints the number of
// rows the page must show, for the check of the page in a real browser.

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "review/review_csv.h"
#include "review/review_html.h"
#include "review/text_encoding.h"
#include "sample_records.h"

using namespace wordgleaner;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: review_sample FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::vector<ReviewRecord> records = test_support::SampleRecords();
    // A text the reference translates in more than one way: its other
    // translations are choices after the candidates.
    ReviewRecord ambiguous = test_support::WithBest(
        test_support::SampleRecord("items tra.tra", 8, MatchOutcome::Likely, "Yes."), "items.tra",
        20, 90.0, "Yes!", "Oui !");
    ambiguous.alternatives.push_back({"Si.", "", "dialog.tra", 21});
    ambiguous.alternatives.push_back({"Ouais.", "Ouaise.", "items.tra", 22});
    records.push_back(ambiguous);
    const ReviewSummary summary{{{"Reference tra file in original language", "dialog.tra"},
                                 {"Threshold for likely match", "50.0 %"}}};
    const TraError page =
        WriteReviewHtml((folder / ReviewPageName).string(), summary, records, DefaultCodePage).code;
    const TraError table =
        WriteReviewCsv((folder / ReviewTableName).string(), records, DefaultCodePage).code;
    if (page != TraOk || table != TraOk) {
        std::cerr << "review_sample: cannot write into " << folder.string() << "\n";
        return 1;
    }
    std::cout << std::count_if(records.begin(), records.end(), [](const ReviewRecord& record) {
        return NeedsReview(ReviewOutcomeOf(record));
    }) << "\n";
    return 0;
}
