#include "matching/likeliness.h"

#include <algorithm>
#include <limits>
#include <new>
#include <span>

#include "matching/ascii_case.h"
#include "matching/likeliness_formula.h"

namespace wordgleaner {

namespace {

bool SameWord(std::string_view left, std::string_view right) {
    return EqualsIgnoringAsciiCase(left, right);
}

bool SameWord(WordVocabulary::WordId left, WordVocabulary::WordId right) {
    return left == right;
}

template <typename Word>
std::int32_t CountPositionalMatches(std::span<const Word> mod, std::span<const Word> reference) {
    std::size_t common = std::min(mod.size(), reference.size());
    std::int32_t matches = 0;
    for (std::size_t i = 0; i < common; ++i) {
        if (SameWord(mod[i], reference[i])) {
            ++matches;
        }
    }
    return matches;
}

// Every occurrence in the mod text counts on its own; repetitions in the
// reference add nothing.
template <typename Word>
std::int32_t CountSharedWords(std::span<const Word> mod, std::span<const Word> reference) {
    return static_cast<std::int32_t>(std::ranges::count_if(mod, [reference](const Word& word) {
        return std::ranges::any_of(reference,
                                   [&word](const Word& other) { return SameWord(word, other); });
    }));
}

// The same count on numbers, reading all of the reference for each mod word
// instead of stopping at the first hit: a loop without an exit compiles to
// comparisons of several numbers at a time, which for texts of a few dozen
// words is the faster. The linear search spends most of its time here.
std::int32_t CountSharedWords(std::span<const WordVocabulary::WordId> mod,
                              std::span<const WordVocabulary::WordId> reference) {
    std::int32_t shared = 0;
    for (WordVocabulary::WordId word : mod) {
        std::uint32_t hits = 0;
        for (WordVocabulary::WordId other : reference) {
            hits |= other == word ? 1U : 0U;
        }
        shared += static_cast<std::int32_t>(hits);
    }
    return shared;
}

// The measure on words of either kind: views compared up to ASCII case, or
// the numbers of a reference index, equal exactly when those views are.
template <typename Word>
double Likeliness(std::span<const Word> modWords, std::int32_t modLength,
                  std::span<const Word> referenceWords, std::int32_t referenceLength,
                  LikelinessStats& stats) {
    stats = LikelinessStats{};
    stats.modLength = modLength;
    stats.referenceLength = referenceLength;
    stats.modWords = static_cast<std::int32_t>(modWords.size());
    stats.referenceWords = static_cast<std::int32_t>(referenceWords.size());
    if (stats.modWords == 0) {
        // Both quotients by nA have no value.
        stats.score = std::numeric_limits<double>::quiet_NaN();
        return stats.score;
    }
    stats.positionalMatches = CountPositionalMatches(modWords, referenceWords);

    const double modWordCount = stats.modWords;
    const double lengthDifference = LengthDifference(stats.modLength, stats.referenceLength);
    stats.score = PositionalScore(modWordCount, stats.positionalMatches, lengthDifference);
    if (WordBagGateOpens(stats.positionalMatches, stats.modWords, stats.modLength,
                         stats.referenceLength)) {
        stats.sharedWords = CountSharedWords(modWords, referenceWords);
        stats.score = WordBagScore(modWordCount, stats.positionalMatches, stats.sharedWords,
                                   lengthDifference);
    }
    return ScoreToPercent(stats.score);
}

}  // namespace

double ComputeLikeliness(const IndexedText& modText, const IndexedText& reference,
                         LikelinessStats& stats) {
    return Likeliness(std::span<const std::string_view>(modText.words), modText.byteLength,
                      std::span<const std::string_view>(reference.words), reference.byteLength,
                      stats);
}

double ComputeLikeliness(const NumberedText& modText, const NumberedText& reference,
                         LikelinessStats& stats) {
    return Likeliness(modText.words, modText.byteLength, reference.words, reference.byteLength,
                      stats);
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
