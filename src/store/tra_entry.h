#pragma once

#include <cstdint>
#include <string>

namespace wordgleaner {

// Id of a layout entry: a comment block or a blank line between entries.
inline constexpr std::int32_t TraNoId = 2147483647;

// One record of a tra file. All strings are 8-bit text exactly as read; the
// comment fields hold pieces that each start with "//".
struct TraEntry {
    std::int32_t id = TraNoId;
    std::string maleText;
    std::string femaleText;
    std::string maleSound;
    std::string femaleSound;
    std::string comment;
    std::string maleTextComment;
    std::string maleSoundComment;
    std::string femaleTextComment;
    std::string femaleSoundComment;

    bool IsLayout() const { return id == TraNoId; }
    friend bool operator==(const TraEntry&, const TraEntry&) = default;
};

}  // namespace wordgleaner
