#include "review/word_diff.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "matching/words.h"

namespace wordgleaner {

namespace {

struct Token {
    std::string_view word;
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    for (std::string_view word : SplitWords(text)) {
        const auto begin = static_cast<std::size_t>(word.data() - text.data());
        tokens.push_back({word, begin, begin + word.size()});
    }
    return tokens;
}

// Words are compared byte for byte, not folded as the likeliness measure
// folds them: the review is read to find what a translator must check, and
// a word whose case differs is exactly what made a match "exact up to case".
bool SameWord(const Token& left, const Token& right) {
    return left.word == right.word;
}

// A stretch of differing words: tokens [beforeFirst, beforeLast) of the
// earlier text stand where tokens [afterFirst, afterLast) of the later one
// stand. One of the two ranges may be empty, not both.
struct Hunk {
    std::size_t beforeFirst = 0;
    std::size_t beforeLast = 0;
    std::size_t afterFirst = 0;
    std::size_t afterLast = 0;
};

// A range of tokens of each text still to compare.
struct Middle {
    std::size_t beforeFirst = 0;
    std::size_t beforeLast = 0;
    std::size_t afterFirst = 0;
    std::size_t afterLast = 0;

    std::size_t BeforeCount() const { return beforeLast - beforeFirst; }
    std::size_t AfterCount() const { return afterLast - afterFirst; }
};

// Entries that differ in a few words keep long equal ends; cutting them off
// first leaves a small table, usually none.
Middle TrimEqualEnds(const std::vector<Token>& before, const std::vector<Token>& after) {
    Middle middle{0, before.size(), 0, after.size()};
    while (middle.BeforeCount() > 0 && middle.AfterCount() > 0 &&
           SameWord(before[middle.beforeFirst], after[middle.afterFirst])) {
        ++middle.beforeFirst;
        ++middle.afterFirst;
    }
    while (middle.BeforeCount() > 0 && middle.AfterCount() > 0 &&
           SameWord(before[middle.beforeLast - 1], after[middle.afterLast - 1])) {
        --middle.beforeLast;
        --middle.afterLast;
    }
    return middle;
}

bool FitsTable(const Middle& middle) {
    const std::size_t rows = middle.BeforeCount() + 1;
    const std::size_t columns = middle.AfterCount() + 1;
    return rows <= MaxDiffCells / columns;
}

// The longest common subsequence of the middle words, as a table of the
// lengths for every pair of suffixes, then walked from the front: equal
// words are kept, and between them the words left over form the hunks.
// Ties take the earlier text's word first, so a replaced run comes out as
// its deleted words followed by the inserted ones.
//
// "the cat saw the dog" against "the dog saw the cat": the equal first
// "the" is cut off, leaving "cat saw the dog" and "dog saw the cat", whose
// longest common subsequence is "saw the" (length 2). Walking from the
// front, "cat" is taken as deleted (dropping it keeps length 2), "dog" as
// inserted, "saw the" as equal, then "dog" deleted and "cat" inserted: two
// hunks, each a word replaced, shown as "the [cat] saw the [dog]" and
// "the [dog] saw the [cat]".
class CommonWords {
public:
    CommonWords(const std::vector<Token>& before, const std::vector<Token>& after,
                const Middle& middle)
        : before(before),
          after(after),
          middle(middle),
          columns(middle.AfterCount() + 1),
          lengths((middle.BeforeCount() + 1) * columns, 0) {
        FillTable();
    }

    void AppendHunks(std::vector<Hunk>& hunks) const {
        const std::size_t rows = middle.BeforeCount();
        const std::size_t cols = middle.AfterCount();
        std::size_t i = 0;
        std::size_t j = 0;
        bool open = false;
        Hunk hunk;
        auto close = [&] {
            if (open) {
                hunk.beforeLast = middle.beforeFirst + i;
                hunk.afterLast = middle.afterFirst + j;
                hunks.push_back(hunk);
                open = false;
            }
        };
        while (i < rows || j < cols) {
            if (i < rows && j < cols && Same(i, j)) {
                close();
                ++i;
                ++j;
                continue;
            }
            if (!open) {
                hunk.beforeFirst = middle.beforeFirst + i;
                hunk.afterFirst = middle.afterFirst + j;
                open = true;
            }
            if (j == cols || (i < rows && At(i + 1, j) >= At(i, j + 1))) {
                ++i;
            } else {
                ++j;
            }
        }
        close();
    }

private:
    bool Same(std::size_t i, std::size_t j) const {
        return SameWord(before[middle.beforeFirst + i], after[middle.afterFirst + j]);
    }

    std::uint32_t At(std::size_t i, std::size_t j) const { return lengths[i * columns + j]; }

    void FillTable() {
        for (std::size_t i = middle.BeforeCount(); i-- > 0;) {
            for (std::size_t j = middle.AfterCount(); j-- > 0;) {
                lengths[i * columns + j] =
                    Same(i, j) ? At(i + 1, j + 1) + 1 : std::max(At(i + 1, j), At(i, j + 1));
            }
        }
    }

    const std::vector<Token>& before;
    const std::vector<Token>& after;
    Middle middle;
    std::size_t columns;
    std::vector<std::uint32_t> lengths;
};

std::vector<Hunk> FindHunks(const std::vector<Token>& before, const std::vector<Token>& after) {
    std::vector<Hunk> hunks;
    const Middle middle = TrimEqualEnds(before, after);
    if (middle.BeforeCount() == 0 && middle.AfterCount() == 0) {
        return hunks;
    }
    if (middle.BeforeCount() == 0 || middle.AfterCount() == 0 || !FitsTable(middle)) {
        hunks.push_back(
            {middle.beforeFirst, middle.beforeLast, middle.afterFirst, middle.afterLast});
        return hunks;
    }
    CommonWords(before, after, middle).AppendHunks(hunks);
    return hunks;
}

// Appends the marked span of tokens [first, last).
void AppendMarked(std::vector<DiffSpan>& spans, const std::vector<Token>& tokens, std::size_t first,
                  std::size_t last, DiffKind kind) {
    if (first != last) {
        spans.push_back({kind, tokens[first].begin, tokens[last - 1].end});
    }
}

// A place between words that both texts share: before token `before` of
// the earlier text and token `after` of the later one (the count of tokens
// for the end of the text).
struct Boundary {
    std::size_t before = 0;
    std::size_t after = 0;

    friend auto operator<=>(const Boundary&, const Boundary&) = default;
};

// The places between words where the two texts line up: their starts and
// ends, both sides of every equal word, and the edges of every changed run.
// A run that only one text has puts two places of that text against one
// place of the other; the bytes around it are not compared, since they
// belong to the added words as much as to their neighbours.
std::vector<Boundary> SharedBoundaries(std::size_t beforeCount, std::size_t afterCount,
                                       const std::vector<Hunk>& hunks) {
    std::vector<Boundary> all{{0, 0}, {beforeCount, afterCount}};
    std::size_t i = 0;
    std::size_t j = 0;
    auto equalUpTo = [&](std::size_t beforeStop) {
        for (; i < beforeStop; ++i, ++j) {
            all.push_back({i, j});
            all.push_back({i + 1, j + 1});
        }
    };
    for (const Hunk& hunk : hunks) {
        equalUpTo(hunk.beforeFirst);
        all.push_back({hunk.beforeFirst, hunk.afterFirst});
        all.push_back({hunk.beforeLast, hunk.afterLast});
        i = hunk.beforeLast;
        j = hunk.afterLast;
    }
    equalUpTo(beforeCount);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    auto lonely = [&all](auto side, std::size_t index) {
        return std::count_if(all.begin(), all.end(),
                             [&](const Boundary& b) { return b.*side == index; }) == 1;
    };
    std::vector<Boundary> shared;
    for (const Boundary& boundary : all) {
        if (lonely(&Boundary::before, boundary.before) &&
            lonely(&Boundary::after, boundary.after)) {
            shared.push_back(boundary);
        }
    }
    return shared;
}

// The bytes between token `index - 1` and token `index`.
DiffSpan GapBefore(const std::vector<Token>& tokens, std::size_t index, std::size_t size) {
    const std::size_t begin = index == 0 ? 0 : tokens[index - 1].end;
    const std::size_t end = index == tokens.size() ? size : tokens[index].begin;
    return {DiffKind::Equal, begin, end};
}

// How many bytes the two gaps share at their start and at their end. A cut
// inside a UTF-8 character is moved to its start when the page is written.
std::pair<std::size_t, std::size_t> SharedEnds(std::string_view left, std::string_view right) {
    const std::size_t shorter = std::min(left.size(), right.size());
    std::size_t front = 0;
    while (front < shorter && left[front] == right[front]) {
        ++front;
    }
    std::size_t back = 0;
    while (back < shorter - front &&
           left[left.size() - 1 - back] == right[right.size() - 1 - back]) {
        ++back;
    }
    return {front, back};
}

// Punctuation and spacing that differ between words both texts share:
// "business!" against "business." marks the two marks, and an extra space
// is marked as inserted. Only the differing middle of a gap is marked.
void MarkGaps(const std::vector<Boundary>& boundaries, std::string_view before,
              const std::vector<Token>& beforeTokens, std::string_view after,
              const std::vector<Token>& afterTokens, WordDiff& diff) {
    for (const Boundary& boundary : boundaries) {
        const DiffSpan left = GapBefore(beforeTokens, boundary.before, before.size());
        const DiffSpan right = GapBefore(afterTokens, boundary.after, after.size());
        const std::string_view leftText = before.substr(left.begin, left.end - left.begin);
        const std::string_view rightText = after.substr(right.begin, right.end - right.begin);
        if (leftText == rightText) {
            continue;
        }
        const auto [front, back] = SharedEnds(leftText, rightText);
        const DiffSpan leftMiddle{DiffKind::Deleted, left.begin + front, left.end - back};
        const DiffSpan rightMiddle{DiffKind::Inserted, right.begin + front, right.end - back};
        const bool changed =
            leftMiddle.begin < leftMiddle.end && rightMiddle.begin < rightMiddle.end;
        if (leftMiddle.begin < leftMiddle.end) {
            diff.before.push_back(leftMiddle);
            diff.before.back().kind = changed ? DiffKind::Changed : DiffKind::Deleted;
        }
        if (rightMiddle.begin < rightMiddle.end) {
            diff.after.push_back(rightMiddle);
            diff.after.back().kind = changed ? DiffKind::Changed : DiffKind::Inserted;
        }
    }
}

// The marked spans put in order, with Equal spans for the bytes between.
std::vector<DiffSpan> Covering(std::vector<DiffSpan> marked, std::size_t size) {
    std::sort(marked.begin(), marked.end(),
              [](const DiffSpan& a, const DiffSpan& b) { return a.begin < b.begin; });
    std::vector<DiffSpan> spans;
    std::size_t covered = 0;
    for (const DiffSpan& span : marked) {
        if (span.begin > covered) {
            spans.push_back({DiffKind::Equal, covered, span.begin});
        }
        spans.push_back(span);
        covered = span.end;
    }
    if (size > covered) {
        spans.push_back({DiffKind::Equal, covered, size});
    }
    return spans;
}

}  // namespace

WordDiff DiffWords(std::string_view before, std::string_view after) {
    const std::vector<Token> beforeTokens = Tokenize(before);
    const std::vector<Token> afterTokens = Tokenize(after);
    const std::vector<Hunk> hunks = FindHunks(beforeTokens, afterTokens);
    WordDiff marked;
    for (const Hunk& hunk : hunks) {
        const bool changed =
            hunk.beforeFirst != hunk.beforeLast && hunk.afterFirst != hunk.afterLast;
        AppendMarked(marked.before, beforeTokens, hunk.beforeFirst, hunk.beforeLast,
                     changed ? DiffKind::Changed : DiffKind::Deleted);
        AppendMarked(marked.after, afterTokens, hunk.afterFirst, hunk.afterLast,
                     changed ? DiffKind::Changed : DiffKind::Inserted);
    }
    MarkGaps(SharedBoundaries(beforeTokens.size(), afterTokens.size(), hunks), before, beforeTokens,
             after, afterTokens, marked);
    return {Covering(std::move(marked.before), before.size()),
            Covering(std::move(marked.after), after.size())};
}

}  // namespace wordgleaner
