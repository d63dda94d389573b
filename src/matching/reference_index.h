#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

class TraFile;
class ReferenceSet;

// The words of one reference text, split once per batch.
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

// Record k belongs to the k-th entry of the original-language reference that
// carries an id (layout entries skipped), so records pair with entries by
// position, not by id; over a reference set, to its record k.
using ReferenceIndex = std::vector<IndexedText>;

// Empties `index` and fills one record per record of `references`.
void BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index);
// The same over a set of the one file `reference`.
void BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index);

}  // namespace wordgleaner
