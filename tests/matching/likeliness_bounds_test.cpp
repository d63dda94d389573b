// The filters of the indexed search hold against ComputeLikeliness itself:
// on many random text pairs and minimums, every pair the measure makes a
// candidate passes every filter, and the bounds enclose the real score.

#include "matching/likeliness_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "matching/ascii_case.h"
#include "matching/likeliness.h"
#include "matching/likeliness_formula.h"
#include "matching/reference_index.h"

using namespace wordgleaner;

namespace {

// Texts over a handful of words, so that pairs share words, repeat them and
// land near every gate.
std::string RandomText(std::mt19937_64& random) {
    static const char* const words[] = {"a", "bb", "Bb", "ccc", "dd", "e", "fff", "gg"};
    static const char* const separators[] = {" ", " ", ", ", "... "};
    std::uniform_int_distribution<int> count(1, 14);
    std::uniform_int_distribution<int> word(0, 7);
    std::uniform_int_distribution<int> separator(0, 3);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        text += words[word(random)];
        text += n > 1 ? separators[separator(random)] : "";
    }
    return text;
}

struct Comparison {
    LikelinessStats stats;
    double likeliness = 0.0;
    ComparisonCounts counts;
};

// c2 counted here: ComputeLikeliness sets it only when the word-bag pass runs.
std::int32_t SharedOccurrences(const IndexedText& mod, const IndexedText& reference) {
    std::int32_t shared = 0;
    for (std::string_view word : mod.words) {
        for (std::string_view other : reference.words) {
            if (EqualsIgnoringAsciiCase(word, other)) {
                ++shared;
                break;
            }
        }
    }
    return shared;
}

Comparison Compare(const std::string& modText, const std::string& referenceText) {
    Comparison comparison;
    IndexedText mod(modText);
    IndexedText reference(referenceText);
    comparison.likeliness = ComputeLikeliness(mod, reference, comparison.stats);
    const LikelinessStats& stats = comparison.stats;
    comparison.counts = {stats.modWords, stats.modLength, stats.referenceLength,
                         stats.positionalMatches, SharedOccurrences(mod, reference)};
    return comparison;
}

bool Within(std::int64_t value, LengthRange range) {
    return value >= range.shortest && value <= range.longest;
}

TEST(LikelinessBounds, EveryCandidatePassesEveryFilter) {
    std::mt19937_64 random(3);
    int candidates = 0;
    for (int pair = 0; pair < 20000; ++pair) {
        const std::string modText = RandomText(random);
        const std::string referenceText = pair % 3 == 0 ? modText + "!" : RandomText(random);
        const Comparison comparison = Compare(modText, referenceText);
        const ComparisonCounts& counts = comparison.counts;
        for (double minimum : {0.0, 10.0, 33.3, 50.0, 60.0, 90.0, 94.9, 99.9}) {
            if (!(comparison.likeliness > minimum)) {
                continue;
            }
            ++candidates;
            const bool positional =
                counts.positionalMatches >= MinPositionalMatches(counts.modWords, minimum) &&
                Within(counts.referenceLength, PositionalLengths(counts.modLength, minimum));
            const bool wordBag =
                counts.sharedWords >= MinSharedOccurrences(counts.modWords, minimum) &&
                Within(counts.referenceLength, WordBagLengths(counts.modLength));
            ASSERT_TRUE(positional || wordBag)
                << '"' << modText << "\" against \"" << referenceText << "\", minimum " << minimum;
            ASSERT_TRUE(AboveMinimum(UpperScore(counts, wordBag), minimum));
        }
    }
    EXPECT_GT(candidates, 10000);
}

// nA distinct words; the reference holds them all, the first
// `positional` at their place and the others shifted round by one, and both
// texts are padded with blanks to their byte lengths.
struct EdgePair {
    std::string mod;
    std::string reference;
};

std::string PadTo(std::string text, std::int64_t length) {
    text.resize(static_cast<std::size_t>(length), ' ');
    return text;
}

EdgePair MakeEdgePair(int modWords, int positional, std::int64_t modLength,
                      std::int64_t referenceLength) {
    std::vector<std::string> words;
    for (int i = 0; i < modWords; ++i) {
        words.push_back("x" + std::to_string(i));
    }
    std::vector<std::string> shifted = words;
    std::rotate(shifted.begin() + positional, shifted.begin() + positional + 1, shifted.end());
    auto join = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& word : list) {
            text += text.empty() ? word : " " + word;
        }
        return text;
    };
    return {PadTo(join(words), modLength), PadTo(join(shifted), referenceLength)};
}

// The word-bag gate opens exactly as its definition on doubles says, the bounds hold the score, and
// a text just above the minimum passes the filters. Returns whether the word-bag pass ran.
bool ExpectBoundsAgreeWithTheMeasure(int modWords, int positional, std::int64_t modLength,
                                     std::int64_t referenceLength) {
    using namespace likeliness_bounds_detail;
    SCOPED_TRACE(testing::Message() << "c " << positional << ", lenB " << referenceLength);
    const EdgePair pair = MakeEdgePair(modWords, positional, modLength, referenceLength);
    const Comparison comparison = Compare(pair.mod, pair.reference);
    const ComparisonCounts& counts = comparison.counts;
    EXPECT_EQ(counts.positionalMatches, positional);
    EXPECT_EQ(counts.sharedWords, modWords);

    const bool wordBagRan = comparison.stats.sharedWords != 0;
    // The gate decided on integers agrees with the measure's own definition
    // on doubles, c/nA < 0.5 and D < 0.1, right at its edges.
    const bool doubleGate =
        static_cast<double>(positional) / modWords < WordBagMaxPositionalRate &&
        LengthDifference(modLength, referenceLength) < WordBagMaxLengthDifference;
    EXPECT_EQ(doubleGate, wordBagRan);
    EXPECT_TRUE(!wordBagRan || Within(referenceLength, WordBagLengths(modLength)));
    const ScoreBounds bounds = BoundScore(counts);
    EXPECT_LE(bounds.low, comparison.stats.score);
    EXPECT_GE(bounds.high, comparison.stats.score);

    const double minimum = std::nextafter(comparison.likeliness, 0.0);
    const bool positionalFilter = positional >= MinPositionalMatches(modWords, minimum) &&
                                  Within(referenceLength, PositionalLengths(modLength, minimum));
    const bool wordBagFilter = modWords >= MinSharedOccurrences(modWords, minimum) &&
                               Within(referenceLength, WordBagLengths(modLength));
    EXPECT_TRUE(positionalFilter || wordBagFilter);
    EXPECT_TRUE(AboveMinimum(UpperScore(counts, wordBagFilter), minimum));
    return wordBagRan;
}

// Right at, just inside and just outside both bounds of the word-bag gate,
// worked out from the fractions of likeliness_formula.h.
TEST(LikelinessBounds, FiltersAndTheMeasureAgreeOnTheEdgesOfTheWordBagGate) {
    const int modWords = 10 * static_cast<int>(WordBagRateFraction.denominator);
    const std::int64_t modLength = 30 * WordBagLengthFraction.denominator;
    const int edgeMatches = static_cast<int>(modWords * WordBagRateFraction.numerator /
                                             WordBagRateFraction.denominator);
    const std::int64_t edgeReach =
        modLength * WordBagLengthFraction.numerator / WordBagLengthFraction.denominator;
    ASSERT_LE(edgeMatches + 1, modWords - 2) << "two words left to shift";
    ASSERT_GE(modLength - edgeReach - 1, 5 * modWords) << "room for the words";

    int wordBagRuns = 0;
    for (int positional : {edgeMatches - 1, edgeMatches, edgeMatches + 1}) {
        for (std::int64_t referenceLength :
             {modLength - edgeReach - 1, modLength - edgeReach, modLength - edgeReach + 1,
              modLength, modLength + edgeReach - 1, modLength + edgeReach,
              modLength + edgeReach + 1}) {
            wordBagRuns +=
                ExpectBoundsAgreeWithTheMeasure(modWords, positional, modLength, referenceLength)
                    ? 1
                    : 0;
        }
    }
    EXPECT_EQ(wordBagRuns, 3) << "c below its edge and lenB strictly inside the length gate";
}

TEST(LikelinessBounds, BoundsEncloseTheScoreAndUpperScoreAllowsForUncountedWords) {
    std::mt19937_64 random(4);
    for (int pair = 0; pair < 20000; ++pair) {
        const std::string modText = RandomText(random);
        const Comparison comparison = Compare(modText, RandomText(random));
        const double score = comparison.stats.score;
        ScoreBounds bounds = BoundScore(comparison.counts);
        ASSERT_LE(bounds.low, score);
        ASSERT_GE(bounds.high, score);
        ASSERT_LT(bounds.high - bounds.low, 1e-6);
        ComparisonCounts loose = comparison.counts;
        loose.positionalMatches += pair % 3;
        loose.sharedWords += pair % 2;
        ASSERT_GE(UpperScore(loose, true), score) << modText;
    }
}

TEST(LikelinessBounds, CountsNeededFollowTheMinimumAndStayInRange) {
    EXPECT_EQ(MinPositionalMatches(4, 50.0), 2) << "2 of 4 may round above 50 %";
    EXPECT_EQ(MinPositionalMatches(4, 49.0), 2);
    EXPECT_EQ(MinPositionalMatches(4, 51.0), 3);
    EXPECT_EQ(MinPositionalMatches(4, 0.0), 1) << "no match scores at most 0";
    EXPECT_EQ(MinPositionalMatches(4, 100.0), 4);
    EXPECT_EQ(MinPositionalMatches(4, 100.5), 5) << "none can";
    EXPECT_EQ(MinPositionalMatches(4, 1e300), 5);

    EXPECT_EQ(MinSharedOccurrences(20, 0.0), 2) << "c2 > 20 / 11";
    EXPECT_EQ(MinSharedOccurrences(20, 50.0), 11) << "c2 > 20 * 0.55";
    EXPECT_EQ(MinSharedOccurrences(20, 96.0), 21) << "the word bag stays below 95 %";
}

TEST(LikelinessBounds, LengthRangesCoverTheGateAndTheLengthPenalty) {
    EXPECT_TRUE(Within(91, WordBagLengths(100)));
    EXPECT_TRUE(Within(109, WordBagLengths(100)));
    EXPECT_FALSE(Within(80, WordBagLengths(100)));
    EXPECT_FALSE(Within(120, WordBagLengths(100)));

    // Above 90 %, a text must stay within 10 (1 - t) of lenA.
    LengthRange range = PositionalLengths(100, 95.0);
    EXPECT_TRUE(Within(51, range));
    EXPECT_TRUE(Within(149, range));
    EXPECT_FALSE(Within(200, range));
    EXPECT_TRUE(Within(1000, PositionalLengths(100, 0.0)));
    EXPECT_FALSE(Within(1200, PositionalLengths(100, 0.0)));
}

}  // namespace
