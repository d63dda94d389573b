#include "frontend/further_reference_pairs.h"

#include <algorithm>
#include <vector>

namespace wordgleaner {

namespace {

constexpr char Separator = '|';

std::vector<std::string> SplitParts(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t end = std::min(text.find(Separator, start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string ReferencePairLabel(const ReferencePair& pair) {
    return pair.original + "  =>  " + pair.translated;
}

std::string EncodeReferencePairs(const ReferencePairs& pairs) {
    std::string text;
    for (const ReferencePair& pair : pairs) {
        text += (text.empty() ? "" : std::string(1, Separator)) + pair.original + Separator +
                pair.translated;
    }
    return text;
}

ReferencePairs DecodeReferencePairs(const std::string& text) {
    const std::vector<std::string> parts = SplitParts(text);
    ReferencePairs pairs;
    for (std::size_t index = 0; index + 1 < parts.size(); index += 2) {
        pairs.push_back({parts[index], parts[index + 1]});
    }
    return pairs;
}

}  // namespace wordgleaner
