#include "matching/word_postings.h"

#include <algorithm>
#include <limits>
#include <new>
#include <numeric>

namespace wordgleaner {

namespace {

constexpr int PositionShift = 32;

std::uint32_t PositionOf(std::uint64_t occurrence) {
    return static_cast<std::uint32_t>(occurrence >> PositionShift);
}

// Orders a word's occurrences, gathered by ascending rank, by position with
// ties in rank order. Counting by position is linear where a word has many
// occurrences over few positions, the common case for the long lists.
void SortByPosition(std::span<std::uint64_t> occurrences) {
    std::uint32_t last = 0;
    for (std::uint64_t occurrence : occurrences) {
        last = std::max(last, PositionOf(occurrence));
    }
    if (std::size_t{last} >= occurrences.size()) {
        std::sort(occurrences.begin(), occurrences.end());
        return;
    }
    std::vector<std::size_t> starts(std::size_t{last} + 2, 0);
    for (std::uint64_t occurrence : occurrences) {
        ++starts[PositionOf(occurrence) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<std::uint64_t> sorted(occurrences.size());
    for (std::uint64_t occurrence : occurrences) {
        sorted[starts[PositionOf(occurrence)]++] = occurrence;
    }
    std::copy(sorted.begin(), sorted.end(), occurrences.begin());
}

// Beyond 32-bit offsets the reference would need tens of gigabytes in all:
// refused as the memory it would take.
std::uint32_t Checked32(std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

WordPostings::WordPostings(const ReferenceIndex& index, std::span<const std::uint32_t> records,
                           std::size_t pieceOccurrences)
    : index(&index) {
    RankByLength(records);
    const std::vector<std::size_t> occurrences = CountOccurrences(records);
    ListWords(occurrences, pieceOccurrences);
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
    shortLengths.reserve(keys.size());
    for (std::uint64_t key : keys) {
        const auto length =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> SlotBits) ^ SignBit);
        if (lengthSteps.empty() || lengthSteps.back().length != length) {
            lengthSteps.push_back({length, static_cast<Rank>(recordOfRank.size())});
        }
        shortLengths.push_back(
            length >= 0 && length < LongLength ? static_cast<std::uint16_t>(length) : LongLength);
        recordOfRank.push_back(records[static_cast<std::uint32_t>(key)]);
    }
    lengthSteps.shrink_to_fit();
}

// Counts go by record order, which reads the index front to back.
std::vector<std::size_t> WordPostings::CountOccurrences(
    std::span<const std::uint32_t> records) const {
    std::vector<std::size_t> occurrences(Vocabulary().Size(), 0);
    std::vector<WordId> room;
    for (std::uint32_t record : records) {
        for (WordId word : index->Decode(record, room).words) {
            ++occurrences[word];
        }
    }
    return occurrences;
}

// The words in pieces of consecutive numbers, each listed by one walk over
// the records in rank order, so every list fills in ascending rank order and
// the lists come out word after word.
void WordPostings::ListWords(std::span<const std::size_t> occurrences,
                             std::size_t pieceOccurrences) {
    const auto vocabulary = static_cast<WordId>(Vocabulary().Size());
    firstRunOfWord.reserve(std::size_t{vocabulary} + 1);
    firstRunOfWord.push_back(0);
    for (WordId first = 0; first < vocabulary;) {
        WordId last = first;
        std::size_t inPiece = 0;
        while (last < vocabulary &&
               (last == first || inPiece + occurrences[last] <= pieceOccurrences)) {
            inPiece += occurrences[last++];
        }
        ListPiece(occurrences.subspan(first, last - first), first);
        first = last;
    }
    positionalRuns.ShrinkToFit();
    containingLists.ShrinkToFit();
    runPositions.shrink_to_fit();
}

// Lists the words from `first` on, one per count of `occurrences`: gathers
// their occurrences as (position, rank) by word, in rank order, then stores
// them.
void WordPostings::ListPiece(std::span<const std::size_t> occurrences, WordId first) {
    std::vector<std::size_t> starts(occurrences.size() + 1, 0);
    std::partial_sum(occurrences.begin(), occurrences.end(), starts.begin() + 1);
    std::vector<std::uint64_t> gathered(starts.back());
    std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
    const std::size_t pieceSize = occurrences.size();
    std::vector<WordId> room;
    for (Rank rank = 0; rank < RecordCount(); ++rank) {
        const std::span<const WordId> ofRecord = Words(rank, room).words;
        for (std::size_t position = 0; position < ofRecord.size(); ++position) {
            const std::size_t inPiece = std::size_t{ofRecord[position]} - first;
            if (inPiece < pieceSize) {  // also false for words below `first`
                gathered[next[inPiece]++] =
                    std::uint64_t{Checked32(position)} << PositionShift | rank;
            }
        }
    }
    std::vector<Rank> ranks;
    for (std::size_t i = 0; i < pieceSize; ++i) {
        ListWord(std::span(gathered).subspan(starts[i], starts[i + 1] - starts[i]), ranks);
    }
}

// One word's occurrences, gathered in rank order, become the list of the
// records holding it and its runs, one list per position.
void WordPostings::ListWord(std::span<std::uint64_t> occurrences, std::vector<Rank>& ranks) {
    ranks.clear();
    for (std::uint64_t occurrence : occurrences) {
        const auto rank = static_cast<Rank>(occurrence);
        if (ranks.empty() || ranks.back() != rank) {  // a record's repeats lie together
            ranks.push_back(rank);
        }
    }
    containingLists.Append(ranks);
    SortByPosition(occurrences);
    for (std::size_t start = 0; start < occurrences.size();) {
        const std::uint32_t position = PositionOf(occurrences[start]);
        ranks.clear();
        std::size_t end = start;
        for (; end < occurrences.size() && PositionOf(occurrences[end]) == position; ++end) {
            ranks.push_back(static_cast<Rank>(occurrences[end]));
        }
        positionalRuns.Append(ranks);
        runPositions.push_back(static_cast<std::int32_t>(position));
        start = end;
    }
    firstRunOfWord.push_back(Checked32(runPositions.size()));
}

std::int32_t WordPostings::LongByteLength(Rank rank) const {
    auto after = std::upper_bound(
        lengthSteps.begin(), lengthSteps.end(), rank,
        [](Rank wanted, const LengthStep& step) { return wanted < step.firstRank; });
    return (after - 1)->length;
}

WordPostings::RankRange WordPostings::RanksOfLengths(std::int64_t shortest,
                                                     std::int64_t longest) const {
    auto firstRankFrom = [this](auto step) {
        return step == lengthSteps.end() ? static_cast<Rank>(RecordCount()) : step->firstRank;
    };
    auto first = std::lower_bound(
        lengthSteps.begin(), lengthSteps.end(), shortest,
        [](const LengthStep& step, std::int64_t bound) { return step.length < bound; });
    auto last = std::upper_bound(
        first, lengthSteps.end(), longest,
        [](std::int64_t bound, const LengthStep& step) { return bound < step.length; });
    return {firstRankFrom(first), firstRankFrom(last)};
}

WordPostings::Ranks WordPostings::WithWordAt(WordId word, std::int32_t position) const {
    if (std::size_t{word} + 1 >= firstRunOfWord.size()) {
        return {};
    }
    auto begin = runPositions.begin() + firstRunOfWord[word];
    auto end = runPositions.begin() + firstRunOfWord[word + 1];
    auto found = std::lower_bound(begin, end, position);
    if (found == end || *found != position) {
        return {};
    }
    return positionalRuns.Of(static_cast<std::size_t>(found - runPositions.begin()));
}

WordPostings::Ranks WordPostings::Containing(WordId word) const {
    if (word >= containingLists.ListCount()) {
        return {};
    }
    return containingLists.Of(word);
}

std::size_t WordPostings::HeldBytes() const {
    return recordOfRank.capacity() * sizeof(std::uint32_t) +
           lengthSteps.capacity() * sizeof(LengthStep) +
           shortLengths.capacity() * sizeof(std::uint16_t) +
           firstRunOfWord.capacity() * sizeof(std::uint32_t) +
           runPositions.capacity() * sizeof(std::int32_t) + positionalRuns.HeldBytes() +
           containingLists.HeldBytes();
}

}  // namespace wordgleaner
