#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "matching/word_codes.h"
#include "matching/word_vocabulary.h"

namespace wordgleaner {

class TraFile;
class ReferenceSet;

// The words of one text, split once: the likeliness measure on two texts of
// its own, outside any reference index.
struct IndexedText {
    IndexedText() = default;
    // Copies `text` and splits the copy into words.
    explicit IndexedText(std::string_view text);

    // The word views point into textCopy, so copies and moves point them at
    // their own textCopy (a short string moves its bytes, not a pointer).
    IndexedText(const IndexedText& other);
    IndexedText(IndexedText&& other) noexcept;
    IndexedText& operator=(const IndexedText& other);
    IndexedText& operator=(IndexedText&& other) noexcept;
    ~IndexedText() = default;

    std::int32_t byteLength = 0;
    std::int32_t wordCount = 0;
    std::string textCopy;                 // owns the bytes that `words` view
    std::vector<std::string_view> words;  // views into textCopy, in order

private:
    void PointWordsAt(const char* previousBase);
};

// One text as a search compares it: its byte length and its words numbered
// by the vocabulary of a reference index, where two words get the same number
// exactly when they are equal up to ASCII case. A word no record holds is
// WordVocabulary::UnknownWord, which equals no word of any record.
struct NumberedText {
    std::int32_t byteLength = 0;
    std::span<const WordVocabulary::WordId> words;

    std::int32_t WordCount() const { return static_cast<std::int32_t>(words.size()); }
};

// Record k belongs to the k-th entry of the original-language reference that
// carries an id (layout entries skipped), so records pair with entries by
// position, not by id; over a reference set, to its record k.
//
// A record keeps no text: its byte length and the numbers of its words, at
// the record's width (word_codes.h), in one array shared by all records. Once
// built, the words are numbered by frequency, so that nearly every record
// takes two bytes a word or one: a game's string table of a million entries
// then costs well under half its own size here. The searches decode a
// record into a buffer of their own right before comparing it.
class ReferenceIndex {
public:
    using WordId = WordVocabulary::WordId;

    std::size_t size() const { return byteLengths.size(); }
    bool empty() const { return byteLengths.empty(); }
    std::int32_t ByteLength(std::size_t record) const { return byteLengths[record]; }
    // Counted from the codes, without decoding them.
    std::size_t WordCount(std::size_t record) const;
    // No record holds more words than this.
    std::size_t MostWords() const { return mostWords; }
    const WordVocabulary& Vocabulary() const { return vocabulary; }

    // Record `record` as the likeliness measure takes it, its words decoded
    // into `room`. The room grows to MostWords() numbers on first use and is
    // reused after: a caller keeps one per thread. Never throws once the room
    // has grown; may throw std::bad_alloc while it grows.
    NumberedText Decode(std::size_t record, std::vector<WordId>& room) const {
        if (room.size() < mostWords) {
            room.resize(mostWords);
        }
        const RecordCodes coded = CodesOf(record);
        const std::size_t count =
            DecodeWordCodes(coded.first, coded.bytes, coded.width, room.data());
        return {byteLengths[record], std::span<const WordId>(room.data(), count)};
    }

    // The bytes the index holds, room included, vocabulary included.
    std::size_t HeldBytes() const;

    void clear();
    // Keeps the first `records` records only, as an index that ran short of
    // the reference would; the searches pair the rest with nothing.
    void Shorten(std::size_t records);
    // Room for `records` more records, so that AddWithoutWords within it
    // never reallocates. May throw std::bad_alloc.
    void Reserve(std::size_t records);
    // Appends the record of `text`. May throw std::bad_alloc, also when the
    // codes of all records would pass 4 GiB; the index then holds the records
    // it held before.
    void Add(std::string_view text);
    // Appends a record of `byteLength` without words, which never becomes a
    // candidate. Never throws within the room reserved.
    void AddWithoutWords(std::int32_t byteLength);
    // Renumbers the words by how often the records hold them, most often
    // first, and codes the records anew at their new widths. Records and the
    // words they hold stay the same. May throw std::bad_alloc, leaving the
    // index as it was.
    void NumberByFrequency();

    // Numbers the words of `text` into `ids` (emptied first). May throw
    // std::bad_alloc.
    void NumberWordsOf(std::string_view text, std::vector<WordId>& ids) const;

private:
    // A record's codes are its width in one byte, then its words at that
    // width; a record without words has no byte at all. The width sits with
    // the words it tells how to read, so a search that decodes records at
    // random reaches both in one trip to memory.
    struct RecordCodes {
        const std::uint8_t* first = nullptr;  // the first word's code
        std::size_t bytes = 0;                // of the words
        std::size_t width = 1;
    };
    RecordCodes CodesOf(std::size_t record) const {
        return CodesBetween(record == 0 ? 0 : codeEnds[record - 1], codeEnds[record]);
    }
    RecordCodes CodesBetween(std::size_t start, std::size_t end) const {
        if (start == end) {
            return {};
        }
        return {codes.data() + start + 1, end - start - 1, codes[start]};
    }
    std::vector<std::uint32_t> CountOccurrences() const;
    void AppendRecord(std::int32_t byteLength);

    WordVocabulary vocabulary;
    std::vector<std::int32_t> byteLengths;  // by record
    std::vector<std::uint32_t> codeEnds;    // by record, into codes
    std::vector<std::uint8_t> codes;        // every record's width and words in order
    std::size_t mostWords = 0;              // at least the word count of every record
};

// Empties `index` and fills one record per record of `references`. Never
// throws: a record whose words find no memory keeps its length only, and
// then the result is false, since searches over that index would miss the
// record's text without a word of it.
bool BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index);
// The same over a set of the one file `reference`.
bool BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index);

}  // namespace wordgleaner
