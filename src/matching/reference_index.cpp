#include "matching/reference_index.h"

#include <new>

#include "matching/reference_set.h"
#include "matching/side_by_side.h"
#include "store/tra_entry.h"

namespace wordgleaner {

namespace {

// Below this many texts a second thread costs more than it saves.
constexpr std::size_t MinTextsToSplit = 4096;

// A record whose copy cannot be made keeps its length and no words, so it can
// never become a candidate, and the index still pairs with the reference.
IndexedText IndexOneText(std::string_view text) {
    try {
        return IndexedText(text);
    } catch (const std::bad_alloc&) {
        IndexedText unsplit;
        unsplit.byteLength = static_cast<std::int32_t>(text.size());
        return unsplit;
    }
}

std::vector<std::string_view> TextsOf(const ReferenceSet& references) {
    std::vector<std::string_view> texts;
    texts.reserve(references.Records().size());
    for (const ReferenceRecord& record : references.Records()) {
        texts.push_back(record.entry->MaleText());
    }
    return texts;
}

// Fills records [first, last); never throws, so it may run on any thread.
void IndexTexts(const std::vector<std::string_view>& texts, std::size_t first, std::size_t last,
                ReferenceIndex& index) noexcept {
    for (std::size_t record = first; record < last; ++record) {
        index[record] = IndexOneText(texts[record]);
    }
}

}  // namespace

// Each record depends on its own text only, so the two halves of a large
// reference are split on two threads into records made beforehand.
void BuildReferenceIndex(const ReferenceSet& references, ReferenceIndex& index) {
    index.clear();
    const std::vector<std::string_view> texts = TextsOf(references);
    index.resize(texts.size());
    if (texts.size() < MinTextsToSplit) {
        IndexTexts(texts, 0, texts.size(), index);
        return;
    }
    const std::size_t half = texts.size() / 2;
    RunSideBySide([&] { IndexTexts(texts, half, texts.size(), index); },
                  [&] { IndexTexts(texts, 0, half, index); });
}

void BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index) {
    BuildReferenceIndex(ReferenceSet::Single(reference), index);
}

}  // namespace wordgleaner
