#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace wordgleaner {

// Flag words of the choosers. The bit values are those of the Windows common
// dialogs, so a flags word written for one platform reads the same on every
// other; DialogPathChooser translates them to the nearest QFileDialog options.
enum FileChooserFlag : unsigned {
    FileReadOnly = 0x1,  // the read-only box starts checked
    FileOverwritePrompt = 0x2,
    FileHideReadOnly = 0x4,
    FileNoChangeDir = 0x8,
    FileAllowMultiSelect = 0x200,
    FilePathMustExist = 0x800,
    FileMustExist = 0x1000,
    FileCreatePrompt = 0x2000,
    FileNoReadOnlyReturn = 0x8000,
    FileExplorer = 0x80000,
    FileNoDereferenceLinks = 0x100000,
    FileEnableSizing = 0x800000,
};
// Sizing, explorer look, create prompt, several files, overwrite prompt.
inline constexpr unsigned DefaultFileChooserFlags = 0x882202;

enum FolderChooserFlag : unsigned {
    FolderReturnOnlyFileSystemDirs = 0x1,
    FolderEditBox = 0x10,
    FolderNewDialogStyle = 0x40,  // resizable, with a button to make a new folder
    FolderNoNewFolderButton = 0x200,
    FolderIncludeFiles = 0x4000,
};
inline constexpr unsigned DefaultFolderChooserFlags = FolderReturnOnlyFileSystemDirs;

struct FolderChooserRequest {
    QWidget* owner = nullptr;  // window the chooser is modal to; may be none
    QString title;             // window caption; empty keeps the chooser's own
    QString prompt;            // instruction shown inside the chooser
    QString initialPath;       // selected when it opens; empty: the default place
    unsigned flags = DefaultFolderChooserFlags;
};

struct FileChooserRequest {
    QWidget* owner = nullptr;
    bool open = true;  // true: an "Open" chooser, false: a "Save As" chooser
    QString title;     // empty keeps the chooser's own
    // Pipe-separated pairs of description and pattern, ended by an empty pair:
    // "Tra files (*.tra)|*.tra;*.TRA|All Files (*.*)|*.*||".
    QString filter;
    QString defaultExtension;  // appended to a typed name that has none
    QString initialPath;
    unsigned flags = DefaultFileChooserFlags;
};

struct ChooserResult {
    bool accepted = false;  // false when the user cancelled
    QStringList paths;      // full paths, in the order the chooser gave them
    bool readOnlyChecked = false;
};

// The folder and file choosers behind PathBrowseControl. The program uses the
// standard dialogs (DialogPathChooser); tests put a scripted one in their place.
// Both calls are modal: they return once the user has decided.
class PathChooser {
public:
    virtual ~PathChooser() = default;
    virtual ChooserResult ChooseFolder(const FolderChooserRequest& request) = 0;
    virtual ChooserResult ChooseFiles(const FileChooserRequest& request) = 0;
};

}  // namespace wordgleaner
