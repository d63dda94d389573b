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

// A line break in a file name would end the comment and let the rest of
// the name stand as a line of the patch.
TEST(PatchLines, NamesKeepControlCharactersInsideTheirComment) {
    const std::string name = "evil\n\tSTRING_SET ~1~ @2\r\x01.tra";
    const std::string shown = "evil\\n\\tSTRING_SET ~1~ @2\\r\\x01.tra";
    EXPECT_EQ(PatchOpeningLine(name, "fr\nx.tra"),
              "// Recovered for " + shown + ", from fr\\nx.tra\n");
    EXPECT_EQ(PatchClosingLines({}, name, "fr.tra", false),
              "// Processed entries 0 / 0: Exact 0 / Very likely 0 / Likely 0 / Empty 0\n"
              "// End of recovery for " +
                  shown + ", from fr.tra\n");
    const std::vector<std::string> names = {"a.tra", name};
    EXPECT_EQ(PatchEntryLines(MatchOutcome::Exact, 1, Found({{5, ExactScore, 1}}), names),
              "\tSTRING_SET ~1~ @5\t// " + shown + ": Exact match\n");
}

}  // namespace
