#pragma once

#include <string>

#include "store/talk_table.h"
#include "store/tra_entry_value.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace test_support {

// A table has no layout entries, ids 0 to n - 1 in order, sound names of 1
// to 8 bytes without a NUL, and nothing but texts and sounds.
inline std::string TableEntryProblem(const TraFile& table) {
    if (table.GetEntryCount() != table.GetSize()) {
        return "entry count differs from the size";
    }
    for (int id = 0; id < table.GetSize(); ++id) {
        const TraEntry entry = table.GetAt(id);
        if (entry.Id() != id || table.Find(id) != entry) {
            return "entry " + std::to_string(id) + " is not found by its id";
        }
        for (std::string_view sound : {entry.MaleSound(), entry.FemaleSound()}) {
            if (sound.size() > 8 || sound.find('\0') != std::string_view::npos) {
                return "entry " + std::to_string(id) + " has a sound no record can hold";
            }
        }
        const TraEntryValue value = ValueOf(entry);
        if (!value.comment.empty() || !value.maleTextComment.empty() ||
            !value.maleSoundComment.empty() || !value.femaleTextComment.empty() ||
            !value.femaleSoundComment.empty()) {
            return "entry " + std::to_string(id) + " has a comment";
        }
    }
    return {};
}

// Loads the table at `input`: a failure must leave nothing behind; a table
// that loads must hold consistent entries, gain no female text from itself
// as its female table, and save.
inline std::string CheckTalkTable(const std::string& input, const std::string& workDir) {
    TraFile table;
    const TraError code = table.LoadTalkTable(input);
    if (code != TraOk) {
        if (code != TraDamagedTable && code != TraNoMemory && code != TraReadFailed) {
            return std::string("unexpected failure: ") + TraErrorMessage(code);
        }
        return table.GetSize() == 0 && table.GetName().empty() ? "" : "a failed load left entries";
    }
    if (std::string problem = TableEntryProblem(table); !problem.empty()) {
        return problem;
    }
    TraFile withFemale;
    if (withFemale.LoadTalkTable(input, input) != TraOk) {
        return "the table does not load as its own female table";
    }
    for (int id = 0; id < table.GetSize(); ++id) {
        if (ValueOf(withFemale.GetAt(id)) != ValueOf(table.GetAt(id))) {
            return "entry " + std::to_string(id) + " differs with itself as the female table";
        }
    }
    return table.Save(workDir + "/saved.tra") == TraOk ? "" : "the table does not save";
}

}  // namespace test_support

}  // namespace wordgleaner
