#include "matching/output/patch_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wordgleaner;

namespace {

SearchResult Found(std::vector<MatchCandidate> candidates) {
    SearchResult result;
    for (const MatchCandidate& candidate : candidates) {
        result.slots[static_cast<std::size_t>(result.count++)] = candidate;
    }
    return result;
}

TEST(PatchEntryLines, NameNoFileForASingleReference) {
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Exact, 1, Found({{1234, ExactScore}})),
              "\tSTRING_SET ~1~ @1234\t// Exact match\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Likely, 3, Found({{77, -0.8}})),
              "//\tSTRING_SET ~3~ @77\t// Likeliness 80.0 % but wrong sound\n");
}

// With several files a reference id alone would be ambiguous: every line
// that names one names its file inside the line's comment.
TEST(PatchEntryLines, NameEachCandidatesFileWithSeveralReferences) {
    const std::vector<std::string> names = {"game.tra", "v1/dialog.tra"};
    EXPECT_EQ(
        PatchEntryLines(MatchOutcome::AlmostExact, 1, Found({{5, CaseInsensitiveScore, 1}}), names),
        "\tSTRING_SET ~1~ @5\t// v1/dialog.tra: Almost exact match\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::VeryLikely, 2, Found({{5, 0.975, 0}}), names),
              "\tSTRING_SET ~2~ @5\t// game.tra: Very likely 97.5 %\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Likely, 3, Found({{5, 0.9, 1}, {5, -0.7, 0}}), names),
              "//\tSTRING_SET ~3~ @5\t// v1/dialog.tra: Likeliness 90.0 %\n"
              "//\tSTRING_SET ~3~ @5\t// game.tra: Likeliness 70.0 % but wrong sound\n");
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Empty, 4, {}, names),
              "//\tSTRING_SET ~4~ @4\t// Empty text\n")
        << "the mod's own id names no reference file";
}

}  // namespace
