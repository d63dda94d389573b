#pragma once

#include <algorithm>
#include <string_view>

namespace wordgleaner {

// Every comparison up to case folds the ASCII capitals A-Z only and consults
// no locale, so the accented letters of any code page compare exactly and a
// comparison gives the same answer on every system.
constexpr char FoldAsciiCapital(char byte) {
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

inline bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
    return std::ranges::equal(
        left, right, [](char a, char b) { return FoldAsciiCapital(a) == FoldAsciiCapital(b); });
}

}  // namespace wordgleaner
