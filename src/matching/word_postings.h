#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "matching/rank_lists.h"
#include "matching/reference_index.h"
#include "matching/word_vocabulary.h"

namespace wordgleaner {

// Where the folded words of the searched reference records occur: the
// inverted index that lets a search visit only the records sharing words with
// a mod text. Records are numbered here by rank, their order by byte length
// (ties in record order), so the records of a length range are one run of
// ranks and every posting list, sorted by rank, is cut to a length range by
// binary search.
//
// The indexed search knows each reference text by four numbers:
//   position  the entry's place in its reference TraFile, layout entries
//             counted (TraFile::GetAt);
//   record    its place among the entries that carry an id in the reference
//             set, which is its record in the ReferenceIndex and its
//             ReferenceRecord (file and position) in the ReferenceSet;
//   slot      its place among the searched records, those in the id window,
//             in record order: an index into the `records` given here;
//   rank      its place among the searched records ordered by byte length;
//             posting lists, byte lengths and a search's counters go by rank.
// RecordOf turns a rank back into a record. Not to be confused with the
// position of a word within a text (WithWordAt) or the five candidate slots
// of a SearchResult.
class WordPostings {
public:
    using Rank = RankLists::Rank;
    using Ranks = RankLists::List;
    using WordId = WordVocabulary::WordId;
    using RankRange = RankLists::RankRange;

    // The occurrences one walk over the records lists at most, unless a
    // single word has more: 8 bytes each while their piece is listed, so
    // building the lists of a large reference never holds all its words a
    // second time.
    static constexpr std::size_t PieceOccurrences = std::size_t{1} << 23;

    WordPostings() = default;
    // Indexes the records of `index` numbered in `records` (ascending). The
    // index must outlive the postings unchanged: its words and vocabulary
    // are used, not copied. May throw std::bad_alloc, also beyond 4 G word
    // occurrences.
    WordPostings(const ReferenceIndex& index, std::span<const std::uint32_t> records,
                 std::size_t pieceOccurrences = PieceOccurrences);

    const WordVocabulary& Vocabulary() const { return index->Vocabulary(); }
    std::size_t RecordCount() const { return recordOfRank.size(); }
    std::uint32_t RecordOf(Rank rank) const { return recordOfRank[rank]; }
    std::int32_t ByteLength(Rank rank) const {
        const std::uint16_t length = shortLengths[rank];
        return length != LongLength ? length : LongByteLength(rank);
    }
    // Decoded into `room`, as ReferenceIndex::Decode does.
    NumberedText Words(Rank rank, std::vector<WordId>& room) const {
        return index->Decode(recordOfRank[rank], room);
    }

    // The records whose byte length lies in [shortest, longest].
    RankRange RanksOfLengths(std::int64_t shortest, std::int64_t longest) const;

    // The records whose word at `position` (counting from 0) is `word`, by rank.
    Ranks WithWordAt(WordId word, std::int32_t position) const;
    // The records that hold `word` at least once, each once, by rank.
    Ranks Containing(WordId word) const;

    // The memory the postings hold, the index they use left out.
    std::size_t HeldBytes() const;

private:
    void RankByLength(std::span<const std::uint32_t> records);
    std::int32_t LongByteLength(Rank rank) const;
    // By word, its occurrences in `records`.
    std::vector<std::size_t> CountOccurrences(std::span<const std::uint32_t> records) const;
    void ListWords(std::span<const std::size_t> occurrences, std::size_t pieceOccurrences);
    void ListPiece(std::span<const std::size_t> occurrences, WordId first);
    void ListWord(std::span<std::uint64_t> occurrences, std::vector<Rank>& ranks);

    const ReferenceIndex* index = nullptr;
    std::vector<std::uint32_t> recordOfRank;
    // Ranks go by byte length, so a length is kept once, with the first
    // rank of its length: a million records have a few thousand lengths.
    struct LengthStep {
        std::int32_t length = 0;
        Rank firstRank = 0;
    };
    std::vector<LengthStep> lengthSteps;  // ascending in both
    // The bounds look up the length of every text met, too often for a
    // search of the steps: by rank, the length where it fits 16 bits, else
    // LongLength, and the steps tell it.
    static constexpr std::uint16_t LongLength = 0xFFFF;
    std::vector<std::uint16_t> shortLengths;

    // Every occurrence of every word, in runs of one word at one position
    // ordered by (word, position): one list per run. A position is kept once
    // per run, not once per occurrence: a game's string table has a few
    // hundred thousand runs for tens of millions of occurrences.
    RankLists positionalRuns;
    std::vector<std::uint32_t> firstRunOfWord;  // by word, one more than words
    std::vector<std::int32_t> runPositions;     // by run, ascending within a word

    // Per word, the ranks of the records holding it: list k is word k's.
    RankLists containingLists;
};

// The part of a rank-sorted list that lies in `range`.
inline WordPostings::Ranks ClipToRanks(WordPostings::Ranks ranks, WordPostings::RankRange range) {
    return ranks.Clip(range);
}

}  // namespace wordgleaner
