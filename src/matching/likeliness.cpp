#include "matching/likeliness.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <span>

#include "matching/ascii_case.h"
#include "matching/likeliness_formula.h"

namespace wordgleaner {

namespace {

using Words = std::span<const std::string_view>;

std::int32_t CountPositionalMatches(Words mod, Words reference) {
    std::size_t common = std::min(mod.size(), reference.size());
    std::int32_t matches = 0;
    for (std::size_t i = 0; i < common; ++i) {
        if (EqualsIgnoringAsciiCase(mod[i], reference[i])) {
            ++matches;
        }
    }
    return matches;
}

// Every occurrence in the mod text counts on its own; repetitions in the
// reference add nothing.
std::int32_t CountSharedWords(Words mod, Words reference) {
    return static_cast<std::int32_t>(std::ranges::count_if(mod, [reference](std::string_view word) {
        return std::ranges::any_of(reference, [word](std::string_view other) {
            return EqualsIgnoringAsciiCase(word, other);
        });
    }));
}

}  // namespace

double ComputeLikeliness(const IndexedText& modText, const IndexedText& reference,
                         LikelinessStats& stats) {
    stats = LikelinessStats{};
    stats.modLength = modText.byteLength;
    stats.referenceLength = reference.byteLength;
    stats.modWords = modText.wordCount;
    stats.referenceWords = reference.wordCount;
    if (stats.modWords == 0) {
        // Both quotients by nA have no value.
        stats.score = std::numeric_limits<double>::quiet_NaN();
        return stats.score;
    }
    stats.positionalMatches = CountPositionalMatches(modText.words, reference.words);

    const double modWords = stats.modWords;
    const double positionalRate = stats.positionalMatches / modWords;
    const double lengthDifference = std::abs(static_cast<double>(stats.modLength) -
                                             static_cast<double>(stats.referenceLength)) /
                                    static_cast<double>(stats.modLength);
    stats.score = positionalRate - LengthPenaltyWeight * lengthDifference;

    if (positionalRate < WordBagMaxPositionalRate &&
        lengthDifference < WordBagMaxLengthDifference) {
        stats.sharedWords = CountSharedWords(modText.words, reference.words);
        stats.score = stats.sharedWords / modWords - OrderPenaltyWeight * (1 - positionalRate) -
                      LengthPenaltyWeight * lengthDifference;
    }
    return PercentScale * stats.score;
}

double ComputeLikeliness(std::string_view modText, const IndexedText& reference,
                         LikelinessStats& stats) {
    try {
        return ComputeLikeliness(IndexedText(modText), reference, stats);
    } catch (const std::bad_alloc&) {
        stats = LikelinessStats{};
        return LikelinessAllocationFailed;
    }
}

}  // namespace wordgleaner
