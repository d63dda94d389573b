#pragma once

#include <cstdint>
#include <string>

#include "store/tra_entry.h"

namespace wordgleaner {

// A copy of an entry that owns its texts, for code that keeps an entry apart
// from its file or builds one to compare with.
struct TraEntryValue {
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
    friend bool operator==(const TraEntryValue&, const TraEntryValue&) = default;
};

inline TraEntryValue ValueOf(const TraEntry& entry) {
    return {entry.Id(),
            std::string(entry.MaleText()),
            std::string(entry.FemaleText()),
            std::string(entry.MaleSound()),
            std::string(entry.FemaleSound()),
            std::string(entry.Comment()),
            std::string(entry.MaleTextComment()),
            std::string(entry.MaleSoundComment()),
            std::string(entry.FemaleTextComment()),
            std::string(entry.FemaleSoundComment())};
}

}  // namespace wordgleaner
