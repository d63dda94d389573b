#include "matching/patch_lines.h"

#include <gtest/gtest.h>

namespace {

SearchResult ResultOf(std::initializer_list<MatchCandidate> candidates) {
    SearchResult result;
    for (const MatchCandidate& candidate : candidates) {
        result.slots[static_cast<std::size_t>(result.count++)] = candidate;
    }
    return result;
}

TEST(PatchEntryLines, AcceptedOutcomesAreLiveStringSetCommands) {
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Exact, 1, ResultOf({{1234, ExactScore}})),
              "\tSTRING_SET ~1~ @1234\t// Exact match\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::AlmostExact, -2, ResultOf({{9945869, 900.0}})),
              "\tSTRING_SET ~-2~ @9945869\t// Almost exact match\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::VeryLikely, 2, ResultOf({{2001, 0.975}, {3, 0.9}})),
              "\tSTRING_SET ~2~ @2001\t// Very likely 97.5 %\n");
}

TEST(PatchEntryLines, OtherOutcomesAreCommentedOut) {
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Likely, 3, ResultOf({{77, -0.8}, {78, 0.55}})),
              "//\tSTRING_SET ~3~ @77\t// Likeliness 80.0 % but wrong sound\n"
              "//\tSTRING_SET ~3~ @78\t// Likeliness 55.0 %\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::NotFound, 4, SearchResult{}), "//\tText 4 Not found\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Empty, 5, SearchResult{}),
              "//\tSTRING_SET ~5~ @5\t// Empty text\n");
}

TEST(PatchBlock, OpensAndClosesWithTheNamesAndTheBatchCounts) {
    EXPECT_EQ(PatchOpeningLine("setup.tra", "reference.tra"),
              "// Recovered for setup.tra, from reference.tra\n");
    PatchSummary summary{4, 6, 10, 2, 3, 1};
    EXPECT_EQ(PatchClosingLines(summary, "setup.tra", "reference.tra", false),
              "// Processed entries 4 / 6: Exact 10 / Very likely 2 / Likely 3 / Empty 1\n"
              "// End of recovery for setup.tra, from reference.tra\n");
    EXPECT_EQ(PatchClosingLines(summary, "setup.tra", "reference.tra", true),
              "// Processed entries 4 / 6: Exact 10 / Very likely 2 / Likely 3 / Empty 1\n"
              "// End of recovery for setup.tra, from reference.tra (interrupted)\n");
}

TEST(PatchBlock, CopiesFileNamesWithPercentSignsUnchanged) {
    EXPECT_EQ(PatchOpeningLine("50%off.tra", "%s%n.tra"),
              "// Recovered for 50%off.tra, from %s%n.tra\n");
    EXPECT_EQ(PatchClosingLines({}, "50%off.tra", "%d", false),
              "// Processed entries 0 / 0: Exact 0 / Very likely 0 / Likely 0 / Empty 0\n"
              "// End of recovery for 50%off.tra, from %d\n");
}

}  // namespace
