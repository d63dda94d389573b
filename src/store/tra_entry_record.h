#pragma once

#include <cstdint>

#include "store/tra_text_store.h"

namespace wordgleaner {

// Id of a layout entry: a comment block or a blank line between entries.
inline constexpr std::int32_t TraNoId = 2147483647;

// What a file keeps of each entry: its id and where its texts are in the
// file's text store. No pointer back to the store, so that a file of a
// million short entries costs little more than its bytes; TraEntry pairs a
// record with its store for reading.
struct TraEntryRecord {
    std::int32_t id = TraNoId;
    TextSpan maleText;
    std::uint32_t extras = TraNoExtras;  // start of the run of the other fields

    bool IsLayout() const { return id == TraNoId; }
};

// 16 bytes: a file of short entries costs about 0.6 times its size above its bytes.
static_assert(sizeof(TraEntryRecord) <= 16);

}  // namespace wordgleaner
