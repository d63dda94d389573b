#pragma once

#include <cstdint>

namespace wordgleaner {

// What a batch counts over all its files; the summary line and the patch
// trailers tell these figures.
struct BatchCounters {
    std::int32_t entriesProcessed = 0;
    std::int32_t exactCount = 0;
    std::int32_t veryLikelyCount = 0;
    std::int32_t likelyCount = 0;
    std::int32_t emptyCount = 0;

    friend bool operator==(const BatchCounters&, const BatchCounters&) = default;
};

}  // namespace wordgleaner
