#include "matching/reference_index.h"

#include <algorithm>
#include <limits>
#include <new>
#include <numeric>

#include "matching/reference_set.h"
#include "matching/words.h"
#include "store/tra_entry.h"

namespace wordgleaner {

namespace {

// Record ends are 32-bit offsets into the codes, 4 bytes a record instead of 8.
constexpr std::size_t MostCodeBytes = std::numeric_limits<std::uint32_t>::max();

// newIds[id] is the place of word `id` when the words are ordered by falling
// occurrences, ties by number, so that the result depends on the words alone.
std::vector<WordVocabulary::WordId> NumbersByFrequency(
    const std::vector<std::uint32_t>& occurrences) {
    std::vector<WordVocabulary::WordId> byFrequency(occurrences.size());
    std::iota(byFrequency.begin(), byFrequency.end(), WordVocabulary::WordId{0});
    std::sort(byFrequency.begin(), byFrequency.end(),
              [&occurrences](WordVocabulary::WordId left, WordVocabulary::WordId right) {
                  return occurrences[left] > occurrences[right] ||
                         (occurrences[left] == occurrences[right] && left < right);
              });
    std::vector<WordVocabulary::WordId> newIds(occurrences.size());
    for (std::size_t place = 0; place < byFrequency.size(); ++place) {
        newIds[byFrequency[place]] = static_cast<WordVocabulary::WordId>(place);
    }
    return newIds;
}

}  // namespace

std::size_t ReferenceIndex::WordCount(std::size_t record) const {
    const RecordCodes coded = CodesOf(record);
    return WordCodeCount(coded.bytes, coded.width);
}

std::size_t ReferenceIndex::HeldBytes() const {
    return vocabulary.HeldBytes() + byteLengths.capacity() * sizeof(byteLengths[0]) +
           codeEnds.capacity() * sizeof(codeEnds[0]) + codes.capacity();
}

void ReferenceIndex::clear() {
    vocabulary = WordVocabulary();
    byteLengths.clear();
    codeEnds.clear();
    codes.clear();
    mostWords = 0;
}

void ReferenceIndex::Shorten(std::size_t records) {
    if (records >= size()) {
        return;
    }
    codes.resize(records == 0 ? 0 : codeEnds[records - 1]);
    codeEnds.resize(records);
    byteLengths.resize(records);
}

void ReferenceIndex::Reserve(std::size_t records) {
    byteLengths.reserve(byteLengths.size() + records);
    codeEnds.reserve(codeEnds.size() + records);
}

namespace {

// Rewrites `words` numbers written at the widest code at `width`, in place:
// a number never moves past a later one's bytes.
void NarrowInPlace(std::uint8_t* first, std::size_t words, std::size_t width) {
    for (std::size_t i = 0; i < words; ++i) {
        WordVocabulary::WordId id = 0;
        DecodeWordCodes(first + i * word_codes::WidestCode, word_codes::WidestCode,
                        word_codes::WidestCode, &id);
        WriteWordCodes(first + i * width, std::span<const WordVocabulary::WordId>(&id, 1), width);
    }
}

}  // namespace

// The width is known once every word is numbered, so the numbers go in at
// the widest code first and are narrowed after.
void ReferenceIndex::Add(std::string_view text) {
    const std::size_t start = codes.size();
    try {
        const std::size_t words = CountWords(text);
        codes.resize(start + 1 + words * word_codes::WidestCode);
        std::uint8_t* const first = codes.data() + start + 1;
        std::uint8_t* next = first;
        WordId largest = 0;
        ForEachWord(text, [&](std::string_view word) {
            const WordId id = vocabulary.Add(word);
            largest = std::max(largest, id);
            next = WriteWordCodes(next, std::span<const WordId>(&id, 1), word_codes::WidestCode);
        });
        const std::size_t width = WordCodeWidth(largest);
        NarrowInPlace(first, words, width);
        codes[start] = static_cast<std::uint8_t>(width);
        codes.resize(words == 0 ? start : start + 1 + words * width);
        if (codes.size() > MostCodeBytes) {
            throw std::bad_alloc();  // past what a record end can tell
        }
        AppendRecord(static_cast<std::int32_t>(text.size()));
        mostWords = std::max(mostWords, words);
    } catch (const std::bad_alloc&) {
        // Words new to the vocabulary stay numbered; no record refers to them.
        codes.resize(start);
        throw;
    }
}

void ReferenceIndex::AddWithoutWords(std::int32_t byteLength) {
    AppendRecord(byteLength);
}

void ReferenceIndex::AppendRecord(std::int32_t byteLength) {
    byteLengths.push_back(byteLength);
    try {
        codeEnds.push_back(static_cast<std::uint32_t>(codes.size()));
    } catch (const std::bad_alloc&) {
        byteLengths.pop_back();
        throw;
    }
}

std::vector<std::uint32_t> ReferenceIndex::CountOccurrences() const {
    std::vector<std::uint32_t> occurrences(vocabulary.Size(), 0);
    std::vector<WordId> room;
    for (std::size_t record = 0; record < size(); ++record) {
        for (WordId word : Decode(record, room).words) {
            ++occurrences[word];
        }
    }
    return occurrences;
}

// Everything that can fail comes before the first change. A record's new
// width is that of its largest new number, found in a first walk that also
// sizes the new codes.
void ReferenceIndex::NumberByFrequency() {
    const std::vector<WordId> newIds = NumbersByFrequency(CountOccurrences());
    std::vector<WordId> room(mostWords);
    std::size_t newBytes = 0;
    for (std::size_t record = 0; record < size(); ++record) {
        const NumberedText text = Decode(record, room);
        if (!text.words.empty()) {
            WordId largest = 0;
            for (WordId word : text.words) {
                largest = std::max(largest, newIds[word]);
            }
            newBytes += 1 + text.words.size() * WordCodeWidth(largest);
        }
    }
    if (newBytes > MostCodeBytes) {
        throw std::bad_alloc();  // rare words met early could widen many records
    }
    std::vector<std::uint8_t> recoded(newBytes);
    vocabulary.Renumber(newIds);
    std::uint8_t* out = recoded.data();
    std::size_t oldStart = 0;
    for (std::size_t record = 0; record < size(); ++record) {
        const RecordCodes coded = CodesBetween(oldStart, codeEnds[record]);
        const std::span<WordId> words = std::span<WordId>(room).first(
            DecodeWordCodes(coded.first, coded.bytes, coded.width, room.data()));
        if (!words.empty()) {
            WordId largest = 0;
            for (WordId& word : words) {
                word = newIds[word];
                largest = std::max(largest, word);
            }
            const std::size_t width = WordCodeWidth(largest);
            *out++ = static_cast<std::uint8_t>(width);
            out = WriteWordCodes(out, words, width);
        }
        oldStart = codeEnds[record];
        codeEnds[record] = static_cast<std::uint32_t>(out - recoded.data());
    }
    codes = std::move(recoded);
}

void ReferenceIndex::NumberWordsOf(std::string_view text, std::vector<WordId>& ids) const {
    ids.clear();
    ids.reserve(CountWords(text));
    ForEachWord(text,
                [this, &ids](std::string_view word) { ids.push_back(vocabulary.Find(word)); });
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

// The codes grow as the records come; numbering by frequency then gives them
// their final size, in a buffer made at that size.
// False when a record had to go without its words.
bool IndexTexts(const std::vector<std::string_view>& texts, ReferenceIndex& index) {
    index.Reserve(texts.size());
    bool whole = true;
    for (std::string_view text : texts) {
        try {
            index.Add(text);
        } catch (const std::bad_alloc&) {
            index.AddWithoutWords(static_cast<std::int32_t>(text.size()));
            whole = false;
        }
    }
    return whole;
}

}  // namespace

bool BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index) {
    index.clear();
    bool whole = false;
    try {
        whole = IndexTexts(TextsOf(references), index);
    } catch (const std::bad_alloc&) {
        // Without room for the records, no record: a short index pairs with
        // the entries it has, and the others never become candidates.
        index.clear();
        return false;
    }
    try {
        index.NumberByFrequency();
    } catch (const std::bad_alloc&) {
        // The words keep the numbers of their first appearance: longer
        // codes, the same words.
    }
    return whole;
}

bool BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index) {
    return BuildReferenceIndex(ReferenceSet::Single(reference), index);
}

}  // namespace wordgleaner
