#pragma once

#include <string>
#include <vector>

#include "frontend/path_fields.h"

namespace wordgleaner {

// The texts of the main window's controls, the same in every window; "&"
// marks the mnemonic, as both toolkits read it.

inline constexpr const char* ProgramName = "Wordgleaner";
inline constexpr const char* FilesBarLabel = "Files list progress";
inline constexpr const char* EntriesBarLabel = "File entries progress";
inline constexpr const char* ImportLabel = "&Import";
inline constexpr const char* PreferencesLabel = "&Preferences...";
inline constexpr const char* AboutItemLabel = "&About Wordgleaner...";

// The About box's line under the version: what the program does, its
// licence, and where its documentation is (`documentation`: a path, or where
// to find the file).
std::string AboutDescription(const std::string& documentation);

// Quit, which only stops the run while one goes on.
const char* QuitLabel(bool running);

// A path field's label; the reference fields name directories of tra files
// once the user has chosen reference folders.
const char* FieldLabel(PathField field, bool referenceFolders);

// The title of the chooser a field's browse button opens.
const char* ChooserTitle(PathField field, bool referenceFolders);

// One entry of a file chooser's list of types: what it says and the name
// patterns it shows ("*.tra").
struct ChooserFileType {
    std::string description;
    std::vector<std::string> patterns;
};

// The types a reference field's file chooser offers: the files a reference
// can be, tra files and the game's string tables, then every file ("*.*",
// which a chooser outside Windows reads as "*"). `spellEveryCase`: for a
// chooser that compares names with their letter case, each extension also
// in capitals and capitalised, as mods and games spell them.
std::vector<ChooserFileType> ReferenceFileTypes(bool spellEveryCase);

}  // namespace wordgleaner
