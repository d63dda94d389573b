#pragma once

#include <string>
#include <vector>

#include "frontend/main_window_labels.h"

namespace wordgleaner {

// The main window's optional field of a review decisions file, the
// Wordgleaner_decisions.csv that a review page saves: the next run applies
// its decisions. Left empty, a run applies none.

inline constexpr const char* DecisionsFieldLabel = "Review decisi&ons file (optional)";
inline constexpr const char* DecisionsChooserTitle = "Select review decisions file";
// The end box's button that puts a saved decisions file into the field.
inline constexpr const char* UseSavedDecisionsLabel = "Use saved decisions";

// The types the field's chooser offers: decisions files, then every file.
std::vector<ChooserFileType> DecisionsFileTypes();

// The decisions file a review page saved, looked for under its own name in
// each of `folders` in turn (where a browser saves downloads, then the
// destination, where a reviewer may have moved it): the path of the first
// regular file found, empty when there is none. An empty folder is passed
// over.
std::string SavedDecisionsFile(const std::vector<std::string>& folders);

}  // namespace wordgleaner
