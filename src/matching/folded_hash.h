#pragma once

#include <cstdint>
#include <string_view>

#include "matching/ascii_case.h"

namespace wordgleaner {

// Hashes of byte strings after folding the ASCII capitals A-Z only, so that
// two strings equal up to ASCII case hash alike (64-bit FNV-1a).
inline constexpr std::uint64_t FoldedHashStart = 14695981039346656037ULL;

// Continues `hash` over the folded bytes of `text`; chain calls to hash
// several strings, with HashLength in between so "ab"+"c" and "a"+"bc" differ.
inline std::uint64_t ContinueFoldedHash(std::uint64_t hash, std::string_view text) {
    constexpr std::uint64_t Prime = 1099511628211ULL;
    for (char byte : text) {
        hash ^= static_cast<unsigned char>(FoldAsciiCapital(byte));
        hash *= Prime;
    }
    return hash;
}

inline std::uint64_t HashLength(std::uint64_t hash, std::size_t length) {
    constexpr std::uint64_t Mixer = 0x9E3779B97F4A7C15ULL;
    return (hash ^ length) * Mixer;
}

// FNV leaves its low bits weak for short strings; tables index by them.
inline std::uint64_t FinishFoldedHash(std::uint64_t hash) {
    return hash ^ (hash >> 29);
}

}  // namespace wordgleaner
