#include "matching/likeliness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "matching/output/number_format.h"

using namespace wordgleaner;

namespace {

struct Comparison {
    double percent = 0.0;
    LikelinessStats stats;
};

Comparison Compare(std::string_view modText, std::string_view referenceText) {
    Comparison result;
    result.percent = ComputeLikeliness(modText, IndexedText(referenceText), result.stats);
    return result;
}

std::string Shown(std::string_view modText, std::string_view referenceText) {
    return FormatFixed(Compare(modText, referenceText).percent, 1);
}

TEST(ComputeLikeliness, GivesTheWorkedResults) {
    EXPECT_EQ(Shown("Hello, my friend.", "Hello my friend!"), "99.4");
    EXPECT_EQ(Shown("Take the sword and run", "Run and take the sword"), "90.0");
    EXPECT_EQ(Shown("Take the sword and run now", "Run and take the sword"), "-1.5");
    EXPECT_EQ(Shown("Run away", "Run away now, please"), "85.0");
    EXPECT_EQ(Shown("Open the door", "Close the door"), "65.9");
}

TEST(ComputeLikeliness, FillsTheCountsOfTheComparison) {
    Comparison reordered = Compare("Take the sword and run", "Run and take the sword");
    EXPECT_EQ(reordered.stats.modLength, 22);
    EXPECT_EQ(reordered.stats.referenceLength, 22);
    EXPECT_EQ(reordered.stats.modWords, 5);
    EXPECT_EQ(reordered.stats.referenceWords, 5);
    EXPECT_EQ(reordered.stats.positionalMatches, 0);
    EXPECT_EQ(reordered.stats.sharedWords, 5);
    EXPECT_DOUBLE_EQ(reordered.stats.score * 100, reordered.percent);

    Comparison tooLong = Compare("Take the sword and run now", "Run and take the sword");
    EXPECT_EQ(tooLong.stats.modWords, 6);
    EXPECT_EQ(tooLong.stats.sharedWords, 0) << "the word-bag pass must not run";
}

TEST(ComputeLikeliness, ScoresPunctuationAndCaseDifferencesOfEqualLengthAsFull) {
    EXPECT_EQ(Compare("Hello, world", "Hello; world").percent, 100.0);
    EXPECT_EQ(Compare("HELLO world", "hello WORLD").percent, 100.0);
    EXPECT_EQ(Shown("Caf\xE9 au lait", "CAF\xC9 au lait"), "66.7");
}

TEST(ComputeLikeliness, WordBagPassRunsOnlyBehindItsStrictGate) {
    // Same five words, same length: c = 0, word-bag pass.
    EXPECT_EQ(Shown("one two six ten red", "red ten one two six"), "90.0");
    // c/nA exactly 0.5 closes the gate: the positional score stands.
    Comparison half = Compare("aa bb cc dd", "aa bb dd cc");
    EXPECT_EQ(half.stats.positionalMatches, 2);
    EXPECT_EQ(half.stats.sharedWords, 0);
    EXPECT_EQ(FormatFixed(half.percent, 1), "50.0");
    // D exactly 0.1 closes the gate too (10 bytes against 11).
    Comparison longer = Compare("ab cd ef g", "g ef cd abX");
    EXPECT_EQ(longer.stats.sharedWords, 0);
    EXPECT_EQ(FormatFixed(longer.percent, 1), "-1.0");
}

TEST(ComputeLikeliness, WordBagScoreReplacesEvenAHigherPositionalScore) {
    Comparison lower = Compare("red fox jumps", "big fox leaps");
    EXPECT_EQ(lower.stats.positionalMatches, 1);
    EXPECT_EQ(lower.stats.sharedWords, 1);
    EXPECT_EQ(FormatFixed(lower.percent, 1), "26.7");
}

TEST(ComputeLikeliness, CountsEveryRepeatedModWordInTheWordBag) {
    Comparison repeated = Compare("ask ask ask", "do ask now");
    EXPECT_EQ(repeated.stats.positionalMatches, 1);
    EXPECT_EQ(repeated.stats.sharedWords, 3);
    EXPECT_EQ(FormatFixed(repeated.percent, 1), "92.4");
}

TEST(ComputeLikeliness, PenalisesLengthRelativeToTheModText) {
    EXPECT_EQ(Shown("Run", "Run now"), "86.7");
    EXPECT_EQ(Shown("Run now", "Run"), "44.3");  // asymmetric: counts are over the mod words
    EXPECT_EQ(Shown("Anything at all", ""), "-10.0");
    EXPECT_EQ(Shown("Anything at all", "... !!!"), "-5.3");
    EXPECT_LT(Compare("Hi", "a very much longer reference text indeed").percent, -100.0);
}

TEST(ComputeLikeliness, ModTextWithoutWordsIsNotANumber) {
    Comparison dots = Compare("...", "Hello");
    EXPECT_TRUE(std::isnan(dots.percent));
    EXPECT_FALSE(dots.percent > 0.0);
    EXPECT_EQ(dots.stats.modWords, 0);
}

TEST(ComputeLikeliness, PreSplitModTextGivesTheSameResult) {
    const IndexedText reference("Run and take the sword");
    for (std::string_view mod : {"Take the sword and run", "Run away", "run AND take", "..."}) {
        LikelinessStats fromText;
        LikelinessStats fromWords;
        double once = ComputeLikeliness(mod, reference, fromText);
        double split = ComputeLikeliness(IndexedText(mod), reference, fromWords);
        if (std::isnan(once)) {
            EXPECT_TRUE(std::isnan(split));
        } else {
            EXPECT_EQ(once, split) << mod;
            EXPECT_EQ(fromText.score, fromWords.score) << mod;
        }
    }
}

}  // namespace
