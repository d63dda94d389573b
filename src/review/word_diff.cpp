#include "review/word_diff.h"

#include <algorithm>
#include <cstdint>

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

// Appends the marked span of tokens [first, last), after an Equal span for
// the bytes since `covered`.
void AppendMarked(std::vector<DiffSpan>& spans, std::size_t& covered,
                  const std::vector<Token>& tokens, std::size_t first, std::size_t last,
                  DiffKind kind) {
    if (first == last) {
        return;
    }
    const std::size_t begin = tokens[first].begin;
    if (begin > covered) {
        spans.push_back({DiffKind::Equal, covered, begin});
    }
    covered = tokens[last - 1].end;
    spans.push_back({kind, begin, covered});
}

void AppendRest(std::vector<DiffSpan>& spans, std::size_t covered, std::size_t size) {
    if (size > covered) {
        spans.push_back({DiffKind::Equal, covered, size});
    }
}

}  // namespace

WordDiff DiffWords(std::string_view before, std::string_view after) {
    const std::vector<Token> beforeTokens = Tokenize(before);
    const std::vector<Token> afterTokens = Tokenize(after);
    WordDiff diff;
    std::size_t beforeCovered = 0;
    std::size_t afterCovered = 0;
    for (const Hunk& hunk : FindHunks(beforeTokens, afterTokens)) {
        const bool changed =
            hunk.beforeFirst != hunk.beforeLast && hunk.afterFirst != hunk.afterLast;
        AppendMarked(diff.before, beforeCovered, beforeTokens, hunk.beforeFirst, hunk.beforeLast,
                     changed ? DiffKind::Changed : DiffKind::Deleted);
        AppendMarked(diff.after, afterCovered, afterTokens, hunk.afterFirst, hunk.afterLast,
                     changed ? DiffKind::Changed : DiffKind::Inserted);
    }
    AppendRest(diff.before, beforeCovered, before.size());
    AppendRest(diff.after, afterCovered, after.size());
    return diff;
}

}  // namespace wordgleaner
