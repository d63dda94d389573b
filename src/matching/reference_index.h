#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// A record keeps no text: its byte length and the numbers of its words, one
// run in an array shared by all records, 4 bytes a word. A game's string
// table of a million entries then costs a fraction of its own size here; a
// copy of each text with a view per word would cost four times its size.
class ReferenceIndex {
public:
    using WordId = WordVocabulary::WordId;

    std::size_t size() const { return byteLengths.size(); }
    bool empty() const { return byteLengths.empty(); }
    NumberedText operator[](std::size_t record) const;
    const WordVocabulary& Vocabulary() const { return vocabulary; }

    void clear();
    // Keeps the first `records` records only, as an index that ran short of
    // the reference would; the searches pair the rest with nothing.
    void Shorten(std::size_t records);
    // Room for `records` more records with `words` more words in all, so that
    // Add and AddWithoutWords within it never reallocate. May throw
    // std::bad_alloc.
    void Reserve(std::size_t records, std::size_t words);
    // Appends the record of `text`. May throw std::bad_alloc; the index then
    // holds the records it held before.
    void Add(std::string_view text);
    // Appends a record of `byteLength` without words, which never becomes a
    // candidate. Never throws within the room reserved.
    void AddWithoutWords(std::int32_t byteLength);

    // Numbers the words of `text` into `ids` (emptied first). May throw
    // std::bad_alloc.
    void NumberWordsOf(std::string_view text, std::vector<WordId>& ids) const;

    std::size_t HeldBytes() const;

private:
    WordVocabulary vocabulary;
    std::vector<std::int32_t> byteLengths;  // by record
    std::vector<std::size_t> wordEnds;      // by record, into wordIds
    std::vector<WordId> wordIds;            // every record's words in order
};

// Empties `index` and fills one record per record of `references`. Never
// throws: a record whose words find no memory keeps its length only.
void BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index);
// The same over a set of the one file `reference`.
void BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index);

}  // namespace wordgleaner
