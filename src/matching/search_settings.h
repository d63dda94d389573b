#pragma once

#include <cstdint>

#include "store/tra_entry.h"

namespace wordgleaner {

// The highest string id a search considers by default: every id an entry can
// carry, since TraNoId marks the layout entries.
inline constexpr std::int32_t HighestReferenceId = TraNoId - 1;  // 2147483646

// What a search needs of a run's settings. The run's RecoveryOptions holds
// them, so each of these settings and its default exists here only.
struct SearchSettings {
    std::int32_t minReferenceId = 0;  // id window, both ends included
    std::int32_t maxReferenceId = HighestReferenceId;
    double minLikeliness = 50.0;  // per cent; a candidate must be strictly above
    bool compareSound = true;     // sounds must match (up to case for likeliness)

    // Whether a reference entry of this id may be a match at all.
    bool InIdWindow(std::int32_t id) const { return id >= minReferenceId && id <= maxReferenceId; }

    friend bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

}  // namespace wordgleaner
