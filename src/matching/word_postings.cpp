#include "matching/word_postings.h"

#include <algorithm>
#include <numeric>

namespace {

// Turns per-bucket counts into bucket starts, with one more entry for the end.
std::vector<std::size_t> StartsFromCounts(const std::vector<std::size_t>& counts) {
    std::vector<std::size_t> starts(counts.size() + 1, 0);
    std::partial_sum(counts.begin(), counts.end(), starts.begin() + 1);
    return starts;
}

}  // namespace

WordPostings::WordPostings(const ReferenceIndex& index, std::span<const std::uint32_t> records) {
    RankByLength(index, records);
    NumberWords(index);
    ListPositions();
    ListContainingRecords();
}

void WordPostings::RankByLength(const ReferenceIndex& index,
                                std::span<const std::uint32_t> records) {
    recordOfRank.assign(records.begin(), records.end());
    std::stable_sort(recordOfRank.begin(), recordOfRank.end(),
                     [&index](std::uint32_t left, std::uint32_t right) {
                         return index[left].byteLength < index[right].byteLength;
                     });
    byteLengths.reserve(recordOfRank.size());
    for (std::uint32_t record : recordOfRank) {
        byteLengths.push_back(index[record].byteLength);
    }
}

void WordPostings::NumberWords(const ReferenceIndex& index) {
    wordStarts.reserve(recordOfRank.size() + 1);
    wordStarts.push_back(0);
    for (std::uint32_t record : recordOfRank) {
        for (std::string_view word : index[record].words) {
            wordIds.push_back(vocabulary.Add(word));
        }
        wordStarts.push_back(wordIds.size());
    }
}

// Filled position by position over the records still long enough, each
// position in rank order, so every word's occurrences come out ordered by
// (position, rank) without a sort.
void WordPostings::ListPositions() {
    std::vector<std::size_t> counts(vocabulary.Size(), 0);
    for (WordId word : wordIds) {
        ++counts[word];
    }
    positionalStarts = StartsFromCounts(counts);
    positionalPositions.resize(wordIds.size());
    positionalRanks.resize(wordIds.size());
    std::vector<std::size_t> next(positionalStarts.begin(), positionalStarts.end() - 1);

    std::vector<Rank> longEnough;
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        if (!Words(rank).empty()) {
            longEnough.push_back(rank);
        }
    }
    for (std::size_t position = 0; !longEnough.empty(); ++position) {
        for (Rank rank : longEnough) {
            std::size_t slot = next[Words(rank)[position]]++;
            positionalPositions[slot] = static_cast<std::int32_t>(position);
            positionalRanks[slot] = rank;
        }
        std::erase_if(longEnough, [&](Rank rank) { return Words(rank).size() <= position + 1; });
    }
}

void WordPostings::ListContainingRecords() {
    // lastRankSeen[word] is 1 + the last rank counted for the word, so a word
    // repeated within one record counts once.
    std::vector<Rank> lastRankSeen(vocabulary.Size(), 0);
    std::vector<std::size_t> counts(vocabulary.Size(), 0);
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        for (WordId word : Words(rank)) {
            if (lastRankSeen[word] != rank + 1) {
                lastRankSeen[word] = rank + 1;
                ++counts[word];
            }
        }
    }
    containingStarts = StartsFromCounts(counts);
    containingRanks.resize(containingStarts.back());
    std::vector<std::size_t> next(containingStarts.begin(), containingStarts.end() - 1);
    std::fill(lastRankSeen.begin(), lastRankSeen.end(), 0);
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        for (WordId word : Words(rank)) {
            if (lastRankSeen[word] != rank + 1) {
                lastRankSeen[word] = rank + 1;
                containingRanks[next[word]++] = rank;
            }
        }
    }
}

WordPostings::RankRange WordPostings::RanksOfLengths(std::int64_t shortest,
                                                     std::int64_t longest) const {
    auto first =
        std::lower_bound(byteLengths.begin(), byteLengths.end(), shortest,
                         [](std::int32_t length, std::int64_t bound) { return length < bound; });
    auto last =
        std::upper_bound(first, byteLengths.end(), longest,
                         [](std::int64_t bound, std::int32_t length) { return bound < length; });
    return {static_cast<Rank>(first - byteLengths.begin()),
            static_cast<Rank>(last - byteLengths.begin())};
}

WordPostings::Ranks WordPostings::WithWordAt(WordId word, std::int32_t position) const {
    if (word >= vocabulary.Size()) {
        return {};
    }
    auto begin = positionalPositions.begin() + static_cast<std::ptrdiff_t>(positionalStarts[word]);
    auto end =
        positionalPositions.begin() + static_cast<std::ptrdiff_t>(positionalStarts[word + 1]);
    auto [first, last] = std::equal_range(begin, end, position);
    return Ranks(positionalRanks)
        .subspan(static_cast<std::size_t>(first - positionalPositions.begin()),
                 static_cast<std::size_t>(last - first));
}

WordPostings::Ranks WordPostings::Containing(WordId word) const {
    if (word >= vocabulary.Size()) {
        return {};
    }
    return Ranks(containingRanks)
        .subspan(containingStarts[word], containingStarts[word + 1] - containingStarts[word]);
}

WordPostings::Ranks ClipToRanks(WordPostings::Ranks ranks, WordPostings::RankRange range) {
    auto first = std::lower_bound(ranks.begin(), ranks.end(), range.first);
    auto last = std::lower_bound(first, ranks.end(), range.last);
    return ranks.subspan(static_cast<std::size_t>(first - ranks.begin()),
                         static_cast<std::size_t>(last - first));
}
