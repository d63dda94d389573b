#pragma once

#include <cstdint>

namespace wordgleaner {

// What a full progress bar shows.
inline constexpr std::int32_t FullPercent = 100;

// How much of a whole is done, in whole per cent rounded down, as every bar
// and progress text shows it: 2 of 3 is 66, so 100 means truly all. Nothing
// to do is all done. Widened, so that counts near the 32-bit limit cannot
// overflow.
constexpr std::int32_t WholePercent(std::int64_t done, std::int64_t total) {
    if (total <= 0) {
        return FullPercent;
    }
    return static_cast<std::int32_t>(done * FullPercent / total);
}

}  // namespace wordgleaner
