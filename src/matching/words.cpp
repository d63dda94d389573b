#include "matching/words.h"

namespace wordgleaner {

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

// Counted first, so the list is allocated once instead of grown: the
// reference index splits a hundred thousand texts.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    words.reserve(CountWords(text));
    ForEachWord(text, [&words](std::string_view word) { words.push_back(word); });
    return words;
}

}  // namespace wordgleaner
