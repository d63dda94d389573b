#pragma once

#include <QStringList>

#include "controls/path_chooser.h"

class QFileDialog;

namespace wordgleaner {

// The standard choosers: QFileDialog for folders and for files.
class DialogPathChooser final : public PathChooser {
public:
    ChooserResult ChooseFolder(const FolderChooserRequest& request) override;
    ChooserResult ChooseFiles(const FileChooserRequest& request) override;
};

// Turns the pipe form "Text files (*.txt)|*.txt;*.TXT|All Files (*.*)|*.*||"
// into Qt name filters ("Text files (*.txt) (*.txt *.TXT)", "All Files (*)").
QStringList NameFiltersFromPipeFilter(const QString& filter);

// The object name of the folder chooser's prompt line.
inline constexpr const char* FolderPromptName = "folderPrompt";

// Set a dialog up for a request without opening it.
void ConfigureFolderDialog(QFileDialog& dialog, const FolderChooserRequest& request);
void ConfigureFileDialog(QFileDialog& dialog, const FileChooserRequest& request);

}  // namespace wordgleaner
