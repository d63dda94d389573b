// The box each window shows once a run has ended.

#include "frontend/end_summary.h"

#include <gtest/gtest.h>

#include <utility>

#include "job/output_files.h"
#include "store/tra_error.h"
#include "support/ended_snapshot.h"

using namespace wordgleaner;

namespace {

ProgressSnapshot Ended(int status, bool abortRequested) {
    ProgressSnapshot end = test_support::EndedSnapshot(status, abortRequested);
    end.progressText = "Failed to load ref.tra, cause: file not found";
    return end;
}

JobInputs Inputs(bool writeReview) {
    JobInputs inputs;
    inputs.destinationDirectory = "out";
    inputs.options.writeReview = writeReview;
    return inputs;
}

TEST(EndSummary, ASuccessOffersTheReviewPageOnlyWhenOneWasWritten) {
    const EndSummary plain = SummarizeEnd(Ended(TraOk, false), Inputs(false));
    EXPECT_EQ(plain, (EndSummary{MessageIcon::None,
                                 "Success",
                                 "Updated the tra files\n\n0 files done, 0 entries: 0 exact, "
                                 "0 very likely, 0 likely, 0 not found.",
                                 {{"Open destination folder", "out"}}}));

    const EndSummary reviewed = SummarizeEnd(Ended(TraOk, false), Inputs(true));
    ASSERT_EQ(reviewed.actions.size(), 2u);
    EXPECT_EQ(reviewed.actions[0], (SummaryAction{"Open review page", ReviewPagePath("out")}));
    EXPECT_EQ(reviewed.actions[1].label, "Open destination folder");
}

TEST(EndSummary, ASuccessSaysWhatTheRunFoundInPlainWords) {
    ProgressSnapshot end = Ended(TraOk, false);
    end.filesDone = 1;
    end.counters = {.entriesProcessed = 10,
                    .exactCount = 4,
                    .veryLikelyCount = 1,
                    .likelyCount = 2,
                    .emptyCount = 1};
    EXPECT_EQ(PlainRunSummary(end),
              "1 file done, 10 entries: 4 exact, 1 very likely, 2 likely, 2 not found, 1 empty.");
    end.filesDone = 8;
    end.counters = {.entriesProcessed = 1, .exactCount = 1};
    EXPECT_EQ(PlainRunSummary(end),
              "8 files done, 1 entry: 1 exact, 0 very likely, 0 likely, 0 not found.");
}

TEST(EndSummary, AStopIsAWarningThatSaysWhatItLeft) {
    ProgressSnapshot end = Ended(TraOk, true);
    end.fileCount = 3;
    end.filesDone = 1;
    const EndSummary summary = SummarizeEnd(end, Inputs(true));
    EXPECT_EQ(summary.icon, MessageIcon::Warning);
    EXPECT_EQ(summary.caption, "Stopped");
    EXPECT_EQ(summary.text, "Stopped after 1 of 3 files.");
    EXPECT_TRUE(summary.actions.empty());
}

// The window's words for the report's "Sub-folders not searched" line, with
// the setting's name as Preferences shows it; after every kind of end, a
// mod folder whose files all lie in sub-folders failing first of all.
TEST(EndSummary, SubFoldersLeftOutAreNamedWithTheSettingThatIncludesThem) {
    const std::string note =
        "\n\nSub-folders were left out: d (60 tra files), e (1 tra file). To recover their tra "
        "files too, check \"Include sub-folders of the mod folder and of reference folders\" in "
        "Preferences.";
    for (const auto& [status, abortRequested] :
         {std::pair{TraOpenFailed, false}, std::pair{TraOk, false}, std::pair{TraOk, true}}) {
        ProgressSnapshot end = Ended(status, abortRequested);
        const EndSummary without = SummarizeEnd(end, Inputs(false));
        end.unsearchedSubFolders = {{"d", 60}, {"e", 1}};
        const EndSummary with = SummarizeEnd(end, Inputs(false));
        EXPECT_EQ(with.text, without.text + note);
        EXPECT_EQ(with.caption, without.caption) << "the run ends as it would without the note";
        EXPECT_EQ(with.actions, without.actions);
    }
    EXPECT_EQ(UnsearchedSubFoldersText(Ended(TraOk, false)), "");
}

TEST(EndSummary, AFailureTellsTheRunsOwnTextEvenAfterAStop) {
    for (bool abortRequested : {false, true}) {
        const EndSummary summary = SummarizeEnd(Ended(TraOpenFailed, abortRequested), Inputs(true));
        EXPECT_EQ(summary, (EndSummary{MessageIcon::Error,
                                       "Failure",
                                       "Failed to load ref.tra, cause: file not found",
                                       {}}));
    }
}

}  // namespace
