#include "matching/reference_index.h"

#include "matching/words.h"

namespace wordgleaner {

IndexedText::IndexedText(std::string_view text)
    : byteLength(static_cast<std::int32_t>(text.size())), textCopy(text) {
    words = SplitWords(textCopy);
    wordCount = static_cast<std::int32_t>(words.size());
}

IndexedText::IndexedText(const IndexedText& other)
    : byteLength(other.byteLength),
      wordCount(other.wordCount),
      textCopy(other.textCopy),
      words(other.words) {
    PointWordsAt(other.textCopy.data());
}

IndexedText::IndexedText(IndexedText&& other) noexcept
    : byteLength(other.byteLength), wordCount(other.wordCount) {
    const char* previousBase = other.textCopy.data();
    textCopy = std::move(other.textCopy);
    words = std::move(other.words);
    PointWordsAt(previousBase);
    other.wordCount = 0;
    other.words.clear();
}

IndexedText& IndexedText::operator=(const IndexedText& other) {
    if (this != &other) {
        IndexedText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

IndexedText& IndexedText::operator=(IndexedText&& other) noexcept {
    if (this != &other) {
        byteLength = other.byteLength;
        wordCount = other.wordCount;
        const char* previousBase = other.textCopy.data();
        textCopy = std::move(other.textCopy);
        words = std::move(other.words);
        PointWordsAt(previousBase);
        other.wordCount = 0;
        other.words.clear();
    }
    return *this;
}

void IndexedText::PointWordsAt(const char* previousBase) {
    for (std::string_view& word : words) {
        word = std::string_view(textCopy.data() + (word.data() - previousBase), word.size());
    }
}

}  // namespace wordgleaner
