#pragma once

#include <QStringList>

#include <vector>

#include "controls/path_chooser.h"

// Answers every chooser with the next scripted path and remembers what was asked.
class ScriptedPathChooser : public PathChooser {
public:
    ChooserResult ChooseFolder(const FolderChooserRequest& request) override {
        folderRequests.push_back(request);
        return NextAnswer();
    }
    ChooserResult ChooseFiles(const FileChooserRequest& request) override {
        fileRequests.push_back(request);
        return NextAnswer();
    }

    QStringList answers;  // taken from the front; none left means cancelled
    std::vector<FolderChooserRequest> folderRequests;
    std::vector<FileChooserRequest> fileRequests;

private:
    ChooserResult NextAnswer() {
        if (answers.isEmpty()) {
            return {};
        }
        return {true, {answers.takeFirst()}, false};
    }
};
