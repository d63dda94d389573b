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
            slots.push_back(Slot{FoldedKey(entry.MaleText(), entry.MaleSound())} << KeyShift |
                            record);
        }
    }
    std::sort(slots.begin(), slots.end());
    slots.shrink_to_fit();
}

std::uint32_t ExactTextIndex::FoldedKey(std::string_view text, std::string_view sound) const {
    std::uint64_t hash = HashLength(ContinueFoldedHash(FoldedHashStart, text), text.size());
    if (compareSound) {
        hash = ContinueFoldedHash(hash, sound);
    }
    return static_cast<std::uint32_t>(FinishFoldedHash(hash));
}

SearchResult ExactTextIndex::Find(std::string_view modText, std::string_view modSound) const {
    const Slot key = Slot{FoldedKey(modText, modSound)} << KeyShift;
    SearchResult result;
    for (auto slot = std::lower_bound(slots.begin(), slots.end(), key);
         slot != slots.end() && *slot >> KeyShift == key >> KeyShift; ++slot) {
        const ReferenceRecord& record = references->Records()[static_cast<std::uint32_t>(*slot)];
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

// Slots of one key are sorted by record, so the records come in set order.
std::vector<std::uint32_t> ExactTextIndex::EqualTexts(EqualTextKind kind, std::string_view modText,
                                                      std::string_view modSound) const {
    std::vector<std::uint32_t> found;
    const Slot key = Slot{FoldedKey(modText, modSound)} << KeyShift;
    for (auto slot = std::lower_bound(slots.begin(), slots.end(), key);
         slot != slots.end() && *slot >> KeyShift == key >> KeyShift; ++slot) {
        const auto record = static_cast<std::uint32_t>(*slot);
        const TraEntry entry = references->Entry(references->Records()[record]);
        if (IsEqualText(kind, compareSound, modText, modSound, entry)) {
            found.push_back(record);
        }
    }
    return found;
}

std::size_t ExactTextIndex::HeldBytes() const {
    return slots.capacity() * sizeof(Slot);
}

}  // namespace wordgleaner
