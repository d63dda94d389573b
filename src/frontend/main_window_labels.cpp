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

}  // namespace wordgleaner
