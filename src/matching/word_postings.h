#pragma once

#include <cstdint>
#include <span>
#include <vector>

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
//             ReferenceRecord (entry and file) in the ReferenceSet;
//   slot      its place among the searched records, those in the id window,
//             in record order: an index into the `records` given here;
//   rank      its place among the searched records ordered by byte length;
//             posting lists, byte lengths and a search's counters go by rank.
// RecordOf turns a rank back into a record. Not to be confused with the
// position of a word within a text (WithWordAt) or the five candidate slots
// of a SearchResult.
class WordPostings {
public:
    using Rank = std::uint32_t;
    using Ranks = std::span<const Rank>;
    using WordId = WordVocabulary::WordId;

    // Ranks [first, last).
    struct RankRange {
        Rank first = 0;
        Rank last = 0;
    };

    WordPostings() = default;
    // Indexes the records of `index` numbered in `records` (ascending). The
    // index must outlive the postings unchanged: its words and vocabulary
    // are used, not copied.
    WordPostings(const ReferenceIndex& index, std::span<const std::uint32_t> records);

    const WordVocabulary& Vocabulary() const { return index->Vocabulary(); }
    std::size_t RecordCount() const { return recordOfRank.size(); }
    std::uint32_t RecordOf(Rank rank) const { return recordOfRank[rank]; }
    std::int32_t ByteLength(Rank rank) const { return byteLengths[rank]; }
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

private:
    // The words of every ranked record, laid out by rank for the walks that
    // build the lists, and dropped once they are built.
    struct WordsByRank {
        std::vector<std::size_t> starts;  // one more than records
        std::vector<WordId> ids;

        std::span<const WordId> Of(Rank rank) const {
            return std::span<const WordId>(ids).subspan(starts[rank],
                                                        starts[rank + 1] - starts[rank]);
        }
    };

    void RankByLength(std::span<const std::uint32_t> records);
    WordsByRank LayOutWordsByRank() const;
    void ListPositions(const WordsByRank& words);
    void FillPositionalRuns(const WordsByRank& words, std::vector<std::size_t> nextOccurrence,
                            std::vector<std::size_t> nextRun);
    void ListContainingRecords(const WordsByRank& words);

    const ReferenceIndex* index = nullptr;
    std::vector<std::uint32_t> recordOfRank;
    std::vector<std::int32_t> byteLengths;  // ascending

    // Every occurrence of every word, ordered by (word, position, rank), in
    // runs of one word at one position. A position is kept once per run, not
    // once per occurrence: a game's string table has a few hundred thousand
    // runs for tens of millions of occurrences.
    std::vector<Rank> positionalRanks;
    std::vector<std::size_t> firstRunOfWord;  // by word, one more than words
    std::vector<std::int32_t> runPositions;   // by run, ascending within a word
    std::vector<std::size_t> runStarts;       // by run, into positionalRanks; one more

    // Per word, the ranks of the records holding it.
    std::vector<std::size_t> containingStarts;  // by word, one more than words
    std::vector<Rank> containingRanks;
};

// The part of a rank-sorted list that lies in `range`.
WordPostings::Ranks ClipToRanks(WordPostings::Ranks ranks, WordPostings::RankRange range);

}  // namespace wordgleaner
