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
        const auto length = static_cast<std::uint32_t>(index->ByteLength(records[slot])) ^ SignBit;
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
        words.starts.push_back(words.starts.back() + index->WordCount(recordOfRank[rank]));
    }
    words.ids.reserve(words.starts.back());
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        index->AppendWords(recordOfRank[rank], words.ids);
    }
    return words;
}

namespace {

// Calls visit(word, position, rank) for every word of every record, position
// by position over the records still long enough, each position in rank
// order, so each word's occurrences come out ordered by (position, rank).
template <typename Words, typename Visit>
void VisitByPosition(const Words& words, std::size_t records, Visit visit) {
    std::vector<std::uint32_t> longEnough;
    for (std::uint32_t rank = 0; rank < records; ++rank) {
        if (!words.Of(rank).empty()) {
            longEnough.push_back(rank);
        }
    }
    for (std::size_t position = 0; !longEnough.empty(); ++position) {
        for (std::uint32_t rank : longEnough) {
            visit(words.Of(rank)[position], static_cast<std::int32_t>(position), rank);
        }
        std::erase_if(longEnough,
                      [&](std::uint32_t rank) { return words.Of(rank).size() <= position + 1; });
    }
}

constexpr std::int32_t NoPosition = -1;

}  // namespace

// Two walks in the same order: the first counts each word's occurrences and
// runs, the second places them, with no sort.
void WordPostings::ListPositions(const WordsByRank& words) {
    std::vector<std::size_t> occurrences(Vocabulary().Size(), 0);
    std::vector<std::size_t> runs(Vocabulary().Size(), 0);
    std::vector<std::int32_t> lastPosition(Vocabulary().Size(), NoPosition);
    VisitByPosition(words, RecordCount(), [&](WordId word, std::int32_t position, Rank) {
        ++occurrences[word];
        if (lastPosition[word] != position) {
            lastPosition[word] = position;
            ++runs[word];
        }
    });
    std::vector<std::size_t> occurrenceStarts = StartsFromCounts(occurrences);
    firstRunOfWord = StartsFromCounts(runs);
    positionalRanks.resize(occurrenceStarts.back());
    runPositions.resize(firstRunOfWord.back());
    runStarts.resize(firstRunOfWord.back() + 1);
    runStarts.back() = positionalRanks.size();
    occurrenceStarts.pop_back();
    FillPositionalRuns(words, std::move(occurrenceStarts),
                       std::vector<std::size_t>(firstRunOfWord.begin(), firstRunOfWord.end() - 1));
}

// A word's runs and occurrences lie in the same order, and the next word's
// begin where its own end, so a run ends where the run after it starts.
void WordPostings::FillPositionalRuns(const WordsByRank& words,
                                      std::vector<std::size_t> nextOccurrence,
                                      std::vector<std::size_t> nextRun) {
    std::vector<std::int32_t> lastPosition(Vocabulary().Size(), NoPosition);
    VisitByPosition(words, RecordCount(), [&](WordId word, std::int32_t position, Rank rank) {
        if (lastPosition[word] != position) {
            lastPosition[word] = position;
            const std::size_t run = nextRun[word]++;
            runPositions[run] = position;
            runStarts[run] = nextOccurrence[word];
        }
        positionalRanks[nextOccurrence[word]++] = rank;
    });
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
    if (std::size_t{word} + 1 >= firstRunOfWord.size()) {
        return {};
    }
    auto begin = runPositions.begin() + static_cast<std::ptrdiff_t>(firstRunOfWord[word]);
    auto end = runPositions.begin() + static_cast<std::ptrdiff_t>(firstRunOfWord[word + 1]);
    auto found = std::lower_bound(begin, end, position);
    if (found == end || *found != position) {
        return {};
    }
    const auto run = static_cast<std::size_t>(found - runPositions.begin());
    return Ranks(positionalRanks).subspan(runStarts[run], runStarts[run + 1] - runStarts[run]);
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
