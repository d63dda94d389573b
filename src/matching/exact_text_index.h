#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "matching/equal_texts.h"
#include "matching/match_candidate.h"
#include "matching/reference_set.h"

namespace wordgleaner {

struct SearchSettings;

// The exact pass of a search without walking the reference: the in-window
// entries hashed by text (and sound, when sounds are compared) folded to ASCII
// lower case. Every entry equal to a mod text byte for byte or up to case
// shares its folded hash, so one hash lookup yields all of them in set order
// and the usual rules pick the match: the first byte-exact entry, failing that
// the first equal up to case. Keeps a pointer to the set, which must outlive
// it unchanged.
class ExactTextIndex {
public:
    ExactTextIndex() = default;
    ExactTextIndex(const ReferenceSet& references, const SearchSettings& settings);

    // {id, ExactScore} or {id, CaseInsensitiveScore} in slot 0, or nothing.
    SearchResult Find(std::string_view modText, std::string_view modSound) const;

    // Every in-window record the pass of `kind` accepts, in set order, as
    // indexes into the set's records.
    std::vector<std::uint32_t> EqualTexts(EqualTextKind kind, std::string_view modText,
                                          std::string_view modSound) const;

    std::size_t HeldBytes() const;

private:
    std::uint32_t FoldedKey(std::string_view text, std::string_view sound) const;

    // A slot is a key above its record, so that sorting the slots orders
    // them by key with equal keys in set order. Half a hash tells texts
    // apart well enough: a text is compared to every entry of its key.
    using Slot = std::uint64_t;
    static constexpr int KeyShift = 32;

    const ReferenceSet* references = nullptr;
    std::vector<Slot> slots;  // sorted
    bool compareSound = true;
};

}  // namespace wordgleaner
