#pragma once

#include <cstdint>
#include <string_view>

#include "matching/reference_index.h"

namespace wordgleaner {

// The working record of one comparison, filled by ComputeLikeliness.
struct LikelinessStats {
    std::int32_t modLength = 0;          // lenA
    std::int32_t referenceLength = 0;    // lenB
    std::int32_t modWords = 0;           // nA
    std::int32_t referenceWords = 0;     // nB
    std::int32_t positionalMatches = 0;  // c
    std::int32_t sharedWords = 0;        // c2, set only when the word-bag pass runs
    double score = 0.0;                  // the likeliness as a fraction, 1.0 is 100 %
};

// Returned when the working copy of the mod text cannot be made; below every
// minimum likeliness, so such a comparison never yields a candidate.
inline constexpr double LikelinessAllocationFailed = -1.0;

// How much the mod text (A) resembles one reference record (B), in per cent.
// Counts are over A's words and the length penalty is relative to A's length:
//   c  = positions i < min(nA, nB) where a[i] equals b[i] (ASCII case folded)
//   D  = |lenA - lenB| / lenA
//   score = c/nA - 0.1 D
// and, only when c/nA < 0.5 and D < 0.1 (words mostly reordered, length kept),
//   c2 = positions i < nA whose a[i] equals some word of B
//   score = c2/nA - 0.1 (1 - c/nA) - 0.1 D      (replaces the first score)
// Worked pair: A = "Hello, my friend." (lenA 17, nA 3), B = "Hello my friend!"
// (lenB 16, nB 3): c = 3, D = 1/17, c/nA = 1 so no word-bag pass,
// score = 1 - 0.1/17 = 0.99412, result 99.4 as "%0.1f" prints it.
// A mod text without words gives NaN, which passes no threshold.
double ComputeLikeliness(std::string_view modText, const IndexedText& reference,
                         LikelinessStats& stats);

// The same measure with the mod text already split, so a search splits each
// mod text once instead of once per reference entry. Never fails.
double ComputeLikeliness(const IndexedText& modText, const IndexedText& reference,
                         LikelinessStats& stats);

// The same measure on texts numbered by one reference index, as the searches
// compare them: the same counts and the same arithmetic. Never fails.
double ComputeLikeliness(const NumberedText& modText, const NumberedText& reference,
                         LikelinessStats& stats);

}  // namespace wordgleaner
