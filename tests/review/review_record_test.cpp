#include "review/review_record.h"

#include <gtest/gtest.h>

#include "review/review_counts.h"
#include "sample_records.h"

using namespace wordgleaner;
using test_support::SampleRecord;
using test_support::SampleRecords;
using test_support::WithBest;

namespace {

ReviewOutcome OutcomeOf(MatchOutcome outcome, bool wrongSound = false,
                        bool missingTranslation = false) {
    ReviewRecord record = SampleRecord("a.tra", 1, outcome, "text");
    record.wrongSound = wrongSound;
    record.missingTranslation = missingTranslation;
    return ReviewOutcomeOf(record);
}

TEST(ReviewOutcome, TellsEachMatchOutcomeInPlainWords) {
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::Exact)), "exact");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::AlmostExact)), "exact up to case");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::VeryLikely)), "very likely");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::Likely)), "likely");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::Likely, true)), "likely, wrong sound");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::NotFound)), "not found");
    EXPECT_EQ(OutcomeLabel(OutcomeOf(MatchOutcome::Empty)), "empty");
}

TEST(ReviewOutcome, MakesAnAcceptedMatchWithoutTranslationAMissingTranslation) {
    for (MatchOutcome accepted :
         {MatchOutcome::Exact, MatchOutcome::AlmostExact, MatchOutcome::VeryLikely}) {
        EXPECT_EQ(OutcomeOf(accepted, false, true), ReviewOutcome::MissingTranslation);
    }
    // A likely match puts nothing in, so nothing can be missing.
    EXPECT_EQ(OutcomeOf(MatchOutcome::Likely, false, true), ReviewOutcome::Likely);
    EXPECT_EQ(OutcomeLabel(ReviewOutcome::MissingTranslation), "missing translation");
}

TEST(ReviewOutcome, MakesAnExactMatchWithOtherTranslationsARowOfItsOwn) {
    ReviewRecord exact = SampleRecord("a.tra", 1, MatchOutcome::Exact, "Yes");
    exact.alternatives = {{"Si", "", "r.tra", 5}, {"Ouais", "", "s.tra", 4}};
    EXPECT_EQ(ReviewOutcomeOf(exact), ReviewOutcome::ExactOtherTranslations);
    EXPECT_TRUE(NeedsReview(ReviewOutcomeOf(exact)));
    EXPECT_EQ(RowOutcomeLabel(exact), "exact, 2 other translations");

    ReviewRecord upToCase = SampleRecord("a.tra", 2, MatchOutcome::AlmostExact, "YES");
    upToCase.alternatives = {{"Si", "", "r.tra", 5}};
    EXPECT_EQ(ReviewOutcomeOf(upToCase), ReviewOutcome::ExactUpToCaseOtherTranslations);
    EXPECT_EQ(RowOutcomeLabel(upToCase), "exact up to case, 1 other translation");

    // Nothing was put in: that is what the translator must see first.
    exact.missingTranslation = true;
    EXPECT_EQ(ReviewOutcomeOf(exact), ReviewOutcome::MissingTranslation);
    EXPECT_EQ(RowOutcomeLabel(exact), "missing translation");
}

TEST(ReviewOutcome, LeavesOnlyTheExactMatchesOutOfTheReview) {
    for (int value = 0; value < ReviewOutcomeCount; ++value) {
        const auto outcome = static_cast<ReviewOutcome>(value);
        EXPECT_EQ(NeedsReview(outcome), outcome != ReviewOutcome::Exact) << OutcomeLabel(outcome);
        EXPECT_EQ(OutcomeKey(outcome).find(' '), std::string_view::npos);
    }
}

TEST(CountOutcomes, CountsEveryRecordOnceByOutcomeAndByFile) {
    const std::vector<ReviewRecord> records = SampleRecords();
    const ReviewCounts counts = CountOutcomes(records);
    EXPECT_EQ(TotalOf(counts.all), static_cast<int>(records.size()));
    EXPECT_EQ(CountOf(counts.all, ReviewOutcome::Exact), 2);
    EXPECT_EQ(CountOf(counts.all, ReviewOutcome::ExactUpToCase), 1);
    EXPECT_EQ(CountOf(counts.all, ReviewOutcome::MissingTranslation), 2);
    EXPECT_EQ(CountOf(counts.all, ReviewOutcome::Empty), 3);

    ASSERT_EQ(counts.modFiles.size(), 2u);
    EXPECT_EQ(counts.modFiles[0].file, "setup.tra");
    EXPECT_EQ(TotalOf(counts.modFiles[0].counts), 8);
    EXPECT_EQ(counts.modFiles[1].file, "items tra.tra");
    EXPECT_EQ(CountOf(counts.modFiles[1].counts, ReviewOutcome::Empty), 2);
}

TEST(CountOutcomes, CountsReferenceFilesOnlyForEntriesWithABestCandidate) {
    std::vector<ReviewRecord> records;
    records.push_back(SampleRecord("a.tra", 1, MatchOutcome::NotFound, "x"));
    records.push_back(WithBest(SampleRecord("a.tra", 2, MatchOutcome::Likely, "y"), "r2.tra", 5,
                               60.0, "y z", ""));
    records.push_back(
        WithBest(SampleRecord("b.tra", 3, MatchOutcome::Exact, "w"), "r1.tra", 6, 100.0, "w", "v"));
    const ReviewCounts counts = CountOutcomes(records);
    ASSERT_EQ(counts.referenceFiles.size(), 2u);
    EXPECT_EQ(counts.referenceFiles[0].file, "r2.tra");
    EXPECT_EQ(TotalOf(counts.referenceFiles[0].counts), 1);
    EXPECT_EQ(CountOf(counts.referenceFiles[1].counts, ReviewOutcome::Exact), 1);
}

}  // namespace
