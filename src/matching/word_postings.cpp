#include "matching/word_postings.h"

#include <algorithm>
#include <numeric>

#include "matching/side_by_side.h"

namespace wordgleaner {

namespace {

// Turns per-bucket counts into bucket starts, with one more entry for the end.
std::vector<std::size_t> StartsFromCounts(const std::vector<std::size_t>& counts) {
    std::vector<std::size_t> starts(counts.size() + 1, 0);
    std::partial_sum(counts.begin(), counts.end(), starts.begin() + 1);
    return starts;
}

}  // namespace

WordPostings::WordPostings(const ReferenceIndex& index, std::span<const std::uint32_t> records)
    : index(&index) {
    RankByLength(records);
    const WordsByRank words = LayOutWordsByRank();
    // Both only read the words and fill lists of their own.
    RunSideBySide([this, &words] { ListContainingRecords(words); },
                  [this, &words] { ListPositions(words); });
}

// Sorting (length, slot) keys, which are all distinct, orders the records by
// length with ties in record order, as a stable sort would, while reading
// the index once in order instead of at random from the comparisons.
void WordPostings::RankByLength(std::span<const std::uint32_t> records) {
    constexpr int SlotBits = 32;
    constexpr std::uint32_t SignBit = 0x80000000U;  // flipped so signed lengths sort as unsigned
    std::vector<std::uint64_t> keys;
    keys.reserve(records.size());
    for (std::uint32_t slot = 0; slot < records.size(); ++slot) {
        const auto length =
            static_cast<std::uint32_t>((*index)[records[slot]].byteLength) ^ SignBit;
        keys.push_back(std::uint64_t{length} << SlotBits | slot);
    }
    std::sort(keys.begin(), keys.end());
    recordOfRank.reserve(keys.size());
    byteLengths.reserve(keys.size());
    for (std::uint64_t key : keys) {
        recordOfRank.push_back(records[static_cast<std::uint32_t>(key)]);
        byteLengths.push_back(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> SlotBits) ^ SignBit));
    }
}

// The walks below go position by position over all records in rank order;
// on the index, where records lie in record order, nearly every step would
// miss the cache.
WordPostings::WordsByRank WordPostings::LayOutWordsByRank() const {
    WordsByRank words;
    words.starts.reserve(RecordCount() + 1);
    words.starts.push_back(0);
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        words.starts.push_back(words.starts.back() + Words(rank).size());
    }
    words.ids.reserve(words.starts.back());
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        const std::span<const WordId> ofRecord = Words(rank);
        words.ids.insert(words.ids.end(), ofRecord.begin(), ofRecord.end());
    }
    return words;
}

// Filled position by position over the records still long enough, each
// position in rank order, so every word's occurrences come out ordered by
// (position, rank) without a sort.
void WordPostings::ListPositions(const WordsByRank& words) {
    std::vector<std::size_t> counts(Vocabulary().Size(), 0);
    for (WordId word : words.ids) {
        ++counts[word];
    }
    positionalStarts = StartsFromCounts(counts);
    positionalPositions.resize(words.ids.size());
    positionalRanks.resize(words.ids.size());
    std::vector<std::size_t> next(positionalStarts.begin(), positionalStarts.end() - 1);

    std::vector<Rank> longEnough;
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        if (!words.Of(rank).empty()) {
            longEnough.push_back(rank);
        }
    }
    for (std::size_t position = 0; !longEnough.empty(); ++position) {
        for (Rank rank : longEnough) {
            std::size_t slot = next[words.Of(rank)[position]]++;
            positionalPositions[slot] = static_cast<std::int32_t>(position);
            positionalRanks[slot] = rank;
        }
        std::erase_if(longEnough, [&](Rank rank) { return words.Of(rank).size() <= position + 1; });
    }
}

void WordPostings::ListContainingRecords(const WordsByRank& words) {
    // lastRankSeen[word] is 1 + the last rank counted for the word, so a word
    // repeated within one record counts once.
    std::vector<Rank> lastRankSeen(Vocabulary().Size(), 0);
    std::vector<std::size_t> counts(Vocabulary().Size(), 0);
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        for (WordId word : words.Of(rank)) {
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
        for (WordId word : words.Of(rank)) {
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
    if (std::size_t{word} + 1 >= positionalStarts.size()) {
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
    if (std::size_t{word} + 1 >= containingStarts.size()) {
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

}  // namespace wordgleaner
