#include "matching/exact_text_index.h"

#include <algorithm>

#include "matching/ascii_case.h"
#include "matching/folded_hash.h"
#include "matching/search_settings.h"
#include "store/tra_entry.h"

namespace wordgleaner {

ExactTextIndex::ExactTextIndex(const ReferenceSet& references, const SearchSettings& settings)
    : references(&references), compareSound(settings.compareSound) {
    const std::span<const ReferenceRecord> records = references.Records();
    for (std::uint32_t record = 0; record < records.size(); ++record) {
        const TraEntry entry = references.Entry(records[record]);
        if (settings.InIdWindow(entry.Id())) {
            slots.push_back({FoldedKey(entry.MaleText(), entry.MaleSound()), record});
        }
    }
    // Stable, so entries of one key stay in set order.
    std::stable_sort(slots.begin(), slots.end(),
                     [](const Slot& left, const Slot& right) { return left.key < right.key; });
}

std::uint64_t ExactTextIndex::FoldedKey(std::string_view text, std::string_view sound) const {
    std::uint64_t hash = HashLength(ContinueFoldedHash(FoldedHashStart, text), text.size());
    if (compareSound) {
        hash = ContinueFoldedHash(hash, sound);
    }
    return FinishFoldedHash(hash);
}

SearchResult ExactTextIndex::Find(std::string_view modText, std::string_view modSound) const {
    const std::uint64_t key = FoldedKey(modText, modSound);
    auto first =
        std::lower_bound(slots.begin(), slots.end(), key,
                         [](const Slot& slot, std::uint64_t wanted) { return slot.key < wanted; });
    SearchResult result;
    for (auto slot = first; slot != slots.end() && slot->key == key; ++slot) {
        const ReferenceRecord& record = references->Records()[slot->record];
        const TraEntry entry = references->Entry(record);
        if (entry.MaleText() == modText && (!compareSound || entry.MaleSound() == modSound)) {
            result.slots[0] = {entry.Id(), ExactScore, record.file};
            result.count = 1;
            return result;
        }
        if (result.count == 0 && EqualsIgnoringAsciiCase(entry.MaleText(), modText) &&
            (!compareSound || EqualsIgnoringAsciiCase(entry.MaleSound(), modSound))) {
            result.slots[0] = {entry.Id(), CaseInsensitiveScore, record.file};
            result.count = 1;
        }
    }
    return result;
}

}  // namespace wordgleaner
