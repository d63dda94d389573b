#pragma once

class QString;

namespace wordgleaner {

class PathBrowseControl;

// Tra files in any letter case first, since a mod's files often differ from
// the game's in case, and everything else as the second choice.
extern const QString TraFileFilter;

// A field of a reference pair takes a tra file, or a folder of them once
// reference folders are chosen: its chooser, its drops and its check of the
// typed path follow.
void SetReferenceFieldKind(PathBrowseControl& field, bool folders);

}  // namespace wordgleaner
