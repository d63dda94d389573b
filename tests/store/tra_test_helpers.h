#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "store/tra_entry_value.h"
#include "store/tra_file.h"
#include "support/temp_dir.h"

namespace wordgleaner {

// Loads raw bytes through a real file, as the program does.
inline TraError LoadBytes(TraFile& file, std::string_view bytes) {
    test_support::TempDir dir;
    return file.Load(dir.Write("input.tra", bytes));
}

inline std::string SavedBytes(const TraFile& file) {
    test_support::TempDir dir;
    auto path = dir / "saved.tra";
    return file.Save(path) == TraOk ? test_support::TempDir::Read(path) : "<save failed>";
}

inline std::vector<TraEntryValue> EntriesOf(const TraFile& file) {
    std::vector<TraEntryValue> entries;
    for (int position = 0; const TraEntry entry = file.GetAt(position); ++position) {
        entries.push_back(ValueOf(entry));
    }
    return entries;
}

// Readable failure messages: only the fields that are set.
inline void PrintTo(const TraEntryValue& entry, std::ostream* out) {
    *out << "{id " << entry.id;
    auto field = [&](const char* name, const std::string& value) {
        if (!value.empty()) {
            *out << ", " << name << " '" << value << "'";
        }
    };
    field("male", entry.maleText);
    field("female", entry.femaleText);
    field("maleSound", entry.maleSound);
    field("femaleSound", entry.femaleSound);
    field("comment", entry.comment);
    field("maleTextComment", entry.maleTextComment);
    field("maleSoundComment", entry.maleSoundComment);
    field("femaleTextComment", entry.femaleTextComment);
    field("femaleSoundComment", entry.femaleSoundComment);
    *out << "}";
}

}  // namespace wordgleaner
