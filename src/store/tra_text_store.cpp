#include "store/tra_text_store.h"

#include <bit>
#include <limits>
#include <new>

namespace wordgleaner {

namespace {

constexpr std::uint32_t KeptFlag = 0x80000000;
constexpr std::size_t LongestSpan = KeptFlag - 1;

std::uint32_t BitOf(TraField field) {
    return std::uint32_t{1} << (static_cast<unsigned>(field) - 1);
}

}  // namespace

std::string_view TraTextStore::Text(TextSpan span) const {
    if (span.length == 0) {
        return {};
    }
    if ((span.length & KeptFlag) != 0) {
        return kept[span.offset];
    }
    return std::string_view(bytes.data() + span.offset, span.length);
}

TextSpan TraTextStore::InBytes(std::size_t offset, std::size_t length) {
    if (length > LongestSpan || offset > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)};
}

TextSpan TraTextStore::Keep(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > LongestSpan || kept.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    kept.emplace_back(text);
    return {static_cast<std::uint32_t>(kept.size() - 1),
            static_cast<std::uint32_t>(text.size()) | KeptFlag};
}

std::uint32_t TraTextStore::AddExtras(const TraFieldSpans& fields) {
    std::uint32_t mask = 0;
    for (std::size_t field = 1; field < TraFieldCount; ++field) {
        if (fields[field].length != 0) {
            mask |= BitOf(static_cast<TraField>(field));
        }
    }
    if (mask == 0) {
        return TraNoExtras;
    }
    const std::size_t start = extraRuns.size();
    if (start + TraFieldCount >= TraNoExtras) {
        throw std::bad_alloc();
    }
    // A failed allocation may leave part of a run behind; nothing points at it.
    extraRuns.push_back({mask, 0});
    for (std::size_t field = 1; field < TraFieldCount; ++field) {
        if (fields[field].length != 0) {
            extraRuns.push_back(fields[field]);
        }
    }
    return static_cast<std::uint32_t>(start);
}

TextSpan TraTextStore::Extra(std::uint32_t extras, TraField field) const {
    if (extras == TraNoExtras) {
        return {};
    }
    const std::uint32_t mask = extraRuns[extras].offset;
    const std::uint32_t bit = BitOf(field);
    if ((mask & bit) == 0) {
        return {};
    }
    return extraRuns[extras + 1 + static_cast<std::uint32_t>(std::popcount(mask & (bit - 1)))];
}

void TraTextStore::Clear() {
    // Swapped out rather than cleared, so that a big file's memory goes back.
    std::string().swap(bytes);
    std::deque<std::string>().swap(kept);
    std::vector<TextSpan>().swap(extraRuns);
}

}  // namespace wordgleaner
