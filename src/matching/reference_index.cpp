#include "matching/reference_index.h"

#include <new>

#include "store/tra_file.h"

namespace {

// A record whose copy cannot be made keeps its length and no words, so it can
// never become a candidate, and the index still pairs with the reference.
IndexedText IndexOneText(const std::string& text) {
    try {
        return IndexedText(text);
    } catch (const std::bad_alloc&) {
        IndexedText unsplit;
        unsplit.byteLength = static_cast<std::int32_t>(text.size());
        return unsplit;
    }
}

}  // namespace

void BuildReferenceIndex(const TraFile& reference, ReferenceIndex& index) {
    index.clear();
    index.reserve(static_cast<std::size_t>(reference.GetEntryCount()));
    for (int position = 0; const TraEntry* entry = reference.GetAt(position); ++position) {
        if (!entry->IsLayout()) {
            index.push_back(IndexOneText(entry->maleText));
        }
    }
}
