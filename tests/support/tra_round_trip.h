#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/tra_entry_value.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace test_support {

// What a save -> load keeps of an entry: the writer ends every comment with a
// line end, so a stored comment that had none gains one.
inline TraEntryValue AsSavedAndLoaded(TraEntryValue entry) {
    for (auto field : {&TraEntryValue::maleTextComment, &TraEntryValue::maleSoundComment,
                       &TraEntryValue::femaleTextComment, &TraEntryValue::femaleSoundComment}) {
        std::string& comment = entry.*field;
        if (!comment.empty() && comment.back() != '\n') {
            comment += '\n';
        }
    }
    return entry;
}

// The entries with an id, and between them the layout text as the writer puts
// it: layout entries may merge when read back, but their text must not change.
inline std::vector<TraEntryValue> ContentOf(const TraFile& file) {
    std::vector<TraEntryValue> content(1);
    for (int position = 0; const TraEntry entry = file.GetAt(position); ++position) {
        if (!entry.IsLayout()) {
            content.push_back(AsSavedAndLoaded(ValueOf(entry)));
            content.emplace_back();
            continue;
        }
        std::string& layout = content.back().comment;
        layout += entry.Comment();
        if (layout.empty() || layout.back() != '\n') {
            layout += '\n';
        }
    }
    return content;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct RoundTrip {
    TraError firstLoad = TraOk;
    std::string problem;  // empty when the file survives load -> save -> load
};

// Loads `input`; if that succeeds, saves it, loads the copy and saves that too.
// The copy must load, hold the same content, and save to the same bytes.
inline RoundTrip CheckRoundTrip(const std::string& input, const std::string& workDir) {
    RoundTrip result;
    TraFile first;
    result.firstLoad = first.Load(input);
    if (result.firstLoad != TraOk) {
        return result;
    }
    const std::string saved = workDir + "/first.tra";
    const std::string savedAgain = workDir + "/second.tra";
    TraFile second;
    if (TraError code = first.Save(saved); code != TraOk) {
        result.problem = std::string("first save failed: ") + TraErrorMessage(code);
    } else if (code = second.Load(saved); code != TraOk) {
        result.problem = std::string("saved file does not load: ") + TraErrorMessage(code);
    } else if (ContentOf(first) != ContentOf(second)) {
        result.problem = "saved file loads with other content";
    } else if (code = second.Save(savedAgain); code != TraOk) {
        result.problem = std::string("second save failed: ") + TraErrorMessage(code);
    } else if (ReadBytes(saved) != ReadBytes(savedAgain)) {
        result.problem = "saving the saved file gives other bytes";
    }
    return result;
}

}  // namespace test_support

}  // namespace wordgleaner
