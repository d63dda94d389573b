#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace wordgleaner {

enum class DiffKind {
    Equal,
    Inserted,  // words or marks only the later text has
    Deleted,   // words or marks only the earlier text has
    Changed,   // words or marks of one text where the other has others
};

// A byte range [begin, end) of one of the two texts.
struct DiffSpan {
    DiffKind kind = DiffKind::Equal;
    std::size_t begin = 0;
    std::size_t end = 0;

    friend bool operator==(const DiffSpan&, const DiffSpan&) = default;
};

// Each text cut into spans that cover it whole and in order, so that the
// spaces and punctuation between words are shown as they are. A run of
// differing words is one span from its first word to its last; between
// words that both texts share, punctuation and spacing that differ are
// marked too (a match at 99.7 % often differs in a mark alone); the rest is
// Equal.
struct WordDiff {
    std::vector<DiffSpan> before;  // Equal, Deleted or Changed
    std::vector<DiffSpan> after;   // Equal, Inserted or Changed
};

// Beyond this many cells of the comparison table (the differing middle
// words of one text times those of the other), the middle is shown as one
// change instead of being compared word by word: a pathological entry costs
// linear memory, not quadratic. 4 MB, enough for 1000 words against 1000.
inline constexpr std::size_t MaxDiffCells = std::size_t{1} << 20;

// The words that differ between two texts, on the word split of the
// likeliness measure, compared byte for byte.
WordDiff DiffWords(std::string_view before, std::string_view after);

}  // namespace wordgleaner
