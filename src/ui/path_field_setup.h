#pragma once

#include <memory>

#include "frontend/path_fields.h"

class QGridLayout;
class QLabel;
class QString;
class QWidget;

namespace wordgleaner {

class PathBrowseControl;
class PathChooser;

// The reference fields' file types in the chooser's pipe form ("Tra files
// and string tables|*.tra;*.TRA;...|All files|*.*||"): every letter case is
// spelled out, since a mod's files often differ from the game's in case and
// Qt's chooser compares names with it outside Windows.
QString ReferenceFileFilter();

// A path field of the windows: a path can be typed, pasted and dropped as
// well as chosen, and one that names nothing is marked at once. `chooser`:
// none for the standard choosers.
PathBrowseControl* MakePathField(const char* name, std::shared_ptr<PathChooser> chooser,
                                 QWidget* parent);

// A field of a reference pair takes a tra file, or a folder of them once
// reference folders are chosen: its chooser, its drops and its check of the
// typed path follow.
void SetReferenceFieldKind(PathBrowseControl& field, bool folders);

// The optional field of a review decisions file: a file, with its chooser's
// title and types.
PathBrowseControl* MakeDecisionsField(std::shared_ptr<PathChooser> chooser, QWidget* parent);

// One of the main window's fields as every window shows it: its kind and its
// chooser's title.
void ShowFieldKind(PathBrowseControl& control, PathField field, bool referenceFolders);

// A row of the main window's single column: `widget` under its label, the
// label its buddy so that the label's Alt shortcut focuses it. Returns the
// label; `row` moves past both.
QLabel* AddLabelledRow(QGridLayout& layout, int& row, const QString& label, QWidget* widget);

}  // namespace wordgleaner
