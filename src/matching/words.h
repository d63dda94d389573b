#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

// Two words are equal when they are equal up to ASCII case.
#include "matching/ascii_case.h"

namespace wordgleaner {

// The bytes that separate words. They are bytes, not characters: the ones above
// 0x7F are the ellipsis, quotes, dashes, degree sign and angle quotes of
// Windows-1252, and they are compared as the same bytes in every code page.
// Carriage return, digits, the underscore, '<', '>', '=', '+', '%', '#', '$',
// '^' and '`' are word bytes, so "<CHARNAME>" is one word and "don't" is two.
inline constexpr std::array<unsigned char, 34> WordDelimiters = {
    0x20, 0x09, 0x0A, 0x2C, 0x3B, 0x3A, 0x2E, 0x21, 0x3F, 0x85, 0x27, 0x22,
    0x28, 0x29, 0x5B, 0x5D, 0x2D, 0x7C, 0x2F, 0x5C, 0x2A, 0x7E, 0x26, 0xB0,
    0x7B, 0x7D, 0x91, 0x92, 0x96, 0x97, 0x93, 0x94, 0xAB, 0xBB,
};

namespace word_bytes {

constexpr std::size_t ByteValues = std::numeric_limits<unsigned char>::max() + 1;

constexpr std::array<bool, ByteValues> MakeDelimiterTable() {
    std::array<bool, ByteValues> table{};
    for (unsigned char byte : WordDelimiters) {
        table[byte] = true;
    }
    return table;
}

inline constexpr std::array<bool, ByteValues> DelimiterTable = MakeDelimiterTable();

}  // namespace word_bytes

// Inline: the reference index asks it of every byte of the reference.
inline bool IsWordDelimiter(char byte) {
    return word_bytes::DelimiterTable[static_cast<unsigned char>(byte)];
}

// Calls `visit` with each maximal run of non-delimiter bytes of `text`, in
// order, as a view into `text`; no list is made.
template <typename Visit>
void ForEachWord(std::string_view text, Visit&& visit) {
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && IsWordDelimiter(text[position])) {
            ++position;
        }
        const std::size_t start = position;
        while (position < text.size() && !IsWordDelimiter(text[position])) {
            ++position;
        }
        if (position > start) {
            visit(text.substr(start, position - start));
        }
    }
}

// How many words ForEachWord visits, without visiting them.
std::size_t CountWords(std::string_view text);

// The maximal runs of non-delimiter bytes of `text`, in order, as views into
// `text`. Delimiters never form words, so leading, trailing and repeated
// delimiters produce no empty words.
std::vector<std::string_view> SplitWords(std::string_view text);

}  // namespace wordgleaner
