#include "frontend/main_window_labels.h"

#include <array>
#include <cstddef>

namespace wordgleaner {

namespace {

struct FieldTexts {
    const char* label;
    const char* chooserTitle;
};

// In the order of PathField: as files, then as folders of reference files.
constexpr std::array<FieldTexts, PathFieldCount> FileFields = {{
    {"&Reference tra file in original language", "Select reference tra file in original language"},
    {"Reference tra file in &destination language (translated)",
     "Select reference tra file in destination language"},
    {"Directory of &mod tra files in original language",
     "Select directory of mod tra files in original language"},
    {"Directory of mod tra files in destination language (&empty)",
     "Select directory of mod tra files in destination language"},
}};

constexpr std::array<FieldTexts, 2> ReferenceFolderFields = {{
    {"&Reference directory of tra files in original language",
     "Select reference directory in original language"},
    {"Reference directory of tra files in &destination language (translated)",
     "Select reference directory in destination language"},
}};

constexpr const char* ReferenceFilesDescription = "Tra files and string tables";
// A mod's tra files and a game's string tables, in the spellings they come in.
constexpr std::array<const char*, 2> ReferencePatterns = {"*.tra", "*.tlk"};
constexpr std::array<const char*, 6> ReferencePatternsInEveryCase = {"*.tra", "*.TRA", "*.Tra",
                                                                     "*.tlk", "*.TLK", "*.Tlk"};
constexpr const char* EveryFileDescription = "All files";
constexpr const char* EveryFilePattern = "*.*";

const FieldTexts& TextsOf(PathField field, bool referenceFolders) {
    const auto index = static_cast<std::size_t>(field);
    return referenceFolders && index < ReferenceFolderFields.size() ? ReferenceFolderFields[index]
                                                                    : FileFields[index];
}

}  // namespace

std::string AboutDescription(const std::string& documentation) {
    return "Carries existing translations over to the tra files of game modifications.\n"
           "Free software under the MIT licence. Documentation: " +
           documentation;
}

const char* QuitLabel(bool running) {
    return running ? "&Abort" : "&Quit";
}

const char* FieldLabel(PathField field, bool referenceFolders) {
    return TextsOf(field, referenceFolders).label;
}

const char* ChooserTitle(PathField field, bool referenceFolders) {
    return TextsOf(field, referenceFolders).chooserTitle;
}

std::vector<ChooserFileType> ReferenceFileTypes(bool spellEveryCase) {
    ChooserFileType references{ReferenceFilesDescription, {}};
    if (spellEveryCase) {
        references.patterns.assign(ReferencePatternsInEveryCase.begin(),
                                   ReferencePatternsInEveryCase.end());
    } else {
        references.patterns.assign(ReferencePatterns.begin(), ReferencePatterns.end());
    }
    return {references, {EveryFileDescription, {EveryFilePattern}}};
}

}  // namespace wordgleaner
