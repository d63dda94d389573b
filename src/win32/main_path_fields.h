#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "frontend/path_fields.h"
#include "win32/anchor_layout.h"
#include "win32/path_browse_field.h"

namespace wordgleaner {

// The main window's four path fields with their labels, in the order of
// PathField, and the optional review decisions field after them: their
// kinds and texts, their buttons and their drops.
class MainPathFields {
public:
    void Attach(HWND dialog);
    // Files or folders in the reference fields, with the labels and
    // chooser titles every window shows.
    void ShowKind(bool referenceFolders);

    RunPaths Paths() const;
    void SetPaths(const RunPaths& paths);
    std::string DecisionsFile() const { return decisions.Path(); }
    void SetDecisionsFile(const std::string& path) { decisions.SetPath(path); }
    void Enable(bool enabled);
    void Focus(PathField field);
    // The field's warning sign, as the run controller found it.
    void Mark(PathField field, const std::string& problem);
    // After the window's layout has moved the fields.
    void PlaceSigns() const;

    // A browse button pressed, a field changed or left; false for any other
    // command.
    bool HandleCommand(int id, int code);
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    // Puts a drop into the field it landed on; the reason it was refused, or
    // nothing when it was taken or landed on no field.
    std::string Drop(const DroppedPaths& dropped);
    // Each field and its label stretch with the width, its button keeps to
    // the right edge.
    void AddAnchors(std::vector<Anchor>& anchors) const;

private:
    // Every field, the four and the decisions field, for what they all do.
    std::array<PathBrowseField*, PathFieldCount + 1> All();
    std::array<const PathBrowseField*, PathFieldCount + 1> All() const;

    HWND dialog = nullptr;
    std::array<PathBrowseField, PathFieldCount> fields;
    PathBrowseField decisions;
};

}  // namespace wordgleaner
