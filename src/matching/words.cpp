#include "matching/words.h"

#include <limits>

namespace wordgleaner {

namespace {

constexpr std::size_t ByteValues = std::numeric_limits<unsigned char>::max() + 1;

constexpr std::array<bool, ByteValues> MakeDelimiterTable() {
    std::array<bool, ByteValues> table{};
    for (unsigned char byte : WordDelimiters) {
        table[byte] = true;
    }
    return table;
}

constexpr std::array<bool, ByteValues> DelimiterTable = MakeDelimiterTable();

}  // namespace

bool IsWordDelimiter(char byte) {
    return DelimiterTable[static_cast<unsigned char>(byte)];
}

namespace {

// A word begins at each word byte that follows a delimiter or the start.
std::size_t CountWords(std::string_view text) {
    std::size_t count = 0;
    bool previousIsDelimiter = true;
    for (char byte : text) {
        const bool delimiter = IsWordDelimiter(byte);
        count += previousIsDelimiter && !delimiter ? 1 : 0;
        previousIsDelimiter = delimiter;
    }
    return count;
}

}  // namespace

// Counted first, so the list is allocated once instead of grown: the
// reference index splits a hundred thousand texts.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    words.reserve(CountWords(text));
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && IsWordDelimiter(text[position])) {
            ++position;
        }
        std::size_t start = position;
        while (position < text.size() && !IsWordDelimiter(text[position])) {
            ++position;
        }
        if (position > start) {
            words.push_back(text.substr(start, position - start));
        }
    }
    return words;
}

}  // namespace wordgleaner
