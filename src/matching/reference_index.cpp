#include "matching/reference_index.h"

#include <new>

#include "matching/reference_set.h"
#include "matching/words.h"
#include "store/tra_entry.h"

namespace wordgleaner {

NumberedText ReferenceIndex::operator[](std::size_t record) const {
    const std::size_t first = record == 0 ? 0 : wordEnds[record - 1];
    return {byteLengths[record],
            std::span<const WordId>(wordIds).subspan(first, wordEnds[record] - first)};
}

void ReferenceIndex::clear() {
    vocabulary = WordVocabulary();
    byteLengths.clear();
    wordEnds.clear();
    wordIds.clear();
}

void ReferenceIndex::Shorten(std::size_t records) {
    if (records >= size()) {
        return;
    }
    wordIds.resize(records == 0 ? 0 : wordEnds[records - 1]);
    wordEnds.resize(records);
    byteLengths.resize(records);
}

void ReferenceIndex::Reserve(std::size_t records, std::size_t words) {
    byteLengths.reserve(byteLengths.size() + records);
    wordEnds.reserve(wordEnds.size() + records);
    wordIds.reserve(wordIds.size() + words);
}

void ReferenceIndex::Add(std::string_view text) {
    const std::size_t wordsBefore = wordIds.size();
    try {
        ForEachWord(text,
                    [this](std::string_view word) { wordIds.push_back(vocabulary.Add(word)); });
        byteLengths.push_back(static_cast<std::int32_t>(text.size()));
        wordEnds.push_back(wordIds.size());
    } catch (const std::bad_alloc&) {
        // Words new to the vocabulary stay numbered; no record refers to them.
        wordIds.resize(wordsBefore);
        byteLengths.resize(wordEnds.size());
        throw;
    }
}

void ReferenceIndex::AddWithoutWords(std::int32_t byteLength) {
    byteLengths.push_back(byteLength);
    wordEnds.push_back(wordIds.size());
}

void ReferenceIndex::NumberWordsOf(std::string_view text, std::vector<WordId>& ids) const {
    ids.clear();
    ids.reserve(CountWords(text));
    ForEachWord(text,
                [this, &ids](std::string_view word) { ids.push_back(vocabulary.Find(word)); });
}

std::size_t ReferenceIndex::HeldBytes() const {
    return vocabulary.HeldBytes() + byteLengths.capacity() * sizeof(std::int32_t) +
           wordEnds.capacity() * sizeof(std::size_t) + wordIds.capacity() * sizeof(WordId);
}

namespace {

std::vector<std::string_view> TextsOf(const ReferenceSet& references) {
    std::vector<std::string_view> texts;
    texts.reserve(references.Records().size());
    for (const ReferenceRecord& record : references.Records()) {
        texts.push_back(references.Entry(record).MaleText());
    }
    return texts;
}

std::size_t WordsIn(const std::vector<std::string_view>& texts) {
    std::size_t words = 0;
    for (std::string_view text : texts) {
        words += CountWords(text);
    }
    return words;
}

// Counted first so that the word array is allocated once at its size, not
// grown to up to twice that; the records then fit in the room made.
void IndexTexts(const std::vector<std::string_view>& texts, ReferenceIndex& index) {
    index.Reserve(texts.size(), WordsIn(texts));
    for (std::string_view text : texts) {
        try {
            index.Add(text);
        } catch (const std::bad_alloc&) {
            index.AddWithoutWords(static_cast<std::int32_t>(text.size()));
        }
    }
}

}  // namespace

void BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index) {
    index.clear();
    try {
        IndexTexts(TextsOf(references), index);
    } catch (const std::bad_alloc&) {
        // Without room for the records, no record: a short index pairs with
        // the entries it has, and the others never become candidates.
        index.clear();
    }
}

void BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index) {
    BuildReferenceIndex(ReferenceSet::Single(reference), index);
}

}  // namespace wordgleaner
