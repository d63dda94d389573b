#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "controls/path_chooser.h"

namespace wordgleaner {

// A chooser that answers from a script instead of opening a dialog, and keeps
// every request it was given. An empty script answers "cancelled".
class ScriptedPathChooser final : public PathChooser {
public:
    void Accept(QStringList paths, bool readOnlyChecked = false) {
        answers.push_back({true, std::move(paths), readOnlyChecked});
    }
    void Cancel() { answers.push_back({}); }

    ChooserResult ChooseFolder(const FolderChooserRequest& request) override {
        folderRequests.push_back(request);
        return Answer();
    }
    ChooserResult ChooseFiles(const FileChooserRequest& request) override {
        fileRequests.push_back(request);
        return Answer();
    }

    int Calls() const { return static_cast<int>(folderRequests.size() + fileRequests.size()); }

    // Runs while the chooser is "open", before it answers.
    std::function<void()> whileOpen;
    std::vector<FolderChooserRequest> folderRequests;
    std::vector<FileChooserRequest> fileRequests;

private:
    ChooserResult Answer() {
        if (whileOpen) {
            whileOpen();
        }
        if (answers.empty()) {
            return {};
        }
        ChooserResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<ChooserResult> answers;
};

}  // namespace wordgleaner
