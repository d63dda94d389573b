#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "frontend/main_window_labels.h"
#include "win32/resource_ids.h"

namespace wordgleaner {

// A path field of a dialog: its edit field, where a path can be typed,
// pasted or dropped, and the browse button beside it (id = the edit
// field's + IDC_BROWSE_OFFSET, owner-drawn with the open-folder glyph) that
// opens the system's file or folder chooser.
class PathBrowseField {
public:
    void Attach(HWND dialog, int editId);
    // A field of files or of folders: its chooser, its check and its drops.
    void SetKind(bool folder, std::string title);
    // The types a file chooser offers, as ChooserFileFilter gives them; the
    // reference files' until set.
    void SetFileFilter(std::string filter) { fileFilter = std::move(filter); }
    bool FolderMode() const { return folderMode; }

    int EditId() const { return editId; }
    int ButtonId() const;
    std::string Path() const;
    void SetPath(const std::string& path);
    void Enable(bool enabled);
    // True when the point, in the dialog's client coordinates, lies on the
    // field or its button.
    bool Covers(POINT dialogPoint) const;

    // A balloon on the edit field when its path names nothing or the wrong
    // kind; nothing when the path is fine or empty.
    void MarkProblem() const;
    // The warning sign at the right end of the edit field, which stays
    // while the path is wrong: checked again from the disk, or set to what
    // the owner found (none when `problem` is empty). Its tooltip tells.
    void CheckSign();
    void ShowSign(const std::string& problem);
    // Keeps the sign at the edit field's right end after a resize.
    void PlaceSign() const;

    // The chooser, started from the browse button; true when a path was chosen.
    bool Browse();
    // The browse button's picture, asked for by WM_DRAWITEM.
    void DrawButton(const DRAWITEMSTRUCT& item) const;

private:
    bool BrowseFolder();
    bool BrowseFile();
    void AddTooltip();
    HWND Sign() const { return GetDlgItem(Edit(), IDC_PATH_SIGN); }
    HWND MakeSign();
    HWND Edit() const { return GetDlgItem(dialog, editId); }
    HWND Button() const { return GetDlgItem(dialog, ButtonId()); }

    HWND dialog = nullptr;
    int editId = 0;
    HWND tooltip = nullptr;
    std::string chooserTitle;
    std::string signText;  // the sign's tooltip, kept while the tooltip shows it
    bool folderMode = false;
    std::string fileFilter;  // empty: ReferenceFileFilter()
};

// The reference fields' file types as the system's file chooser takes them:
// "description (patterns)", NUL, the patterns, NUL, for each type, and a NUL
// that ends the list.
std::string ReferenceFileFilter();
// The same form for any list of file types.
std::string ChooserFileFilter(const std::vector<ChooserFileType>& types);

// The paths of a drop from Explorer and where, in the dialog's client
// coordinates, they were dropped; the drop is finished.
struct DroppedPaths {
    POINT point;
    std::vector<std::string> paths;
};
DroppedPaths TakeDrop(HDROP drop);

}  // namespace wordgleaner
