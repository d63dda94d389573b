#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// The four paths a window asks for before a run, in the order it shows them.
enum class PathField { ReferenceOriginal, ReferenceTranslated, ModDirectory, DestinationDirectory };

inline constexpr std::size_t PathFieldCount = 4;

struct RunPaths {
    std::array<std::string, PathFieldCount> texts;  // 8-bit, in the system's local encoding

    const std::string& operator[](PathField field) const {
        return texts[static_cast<std::size_t>(field)];
    }

    friend bool operator==(const RunPaths&, const RunPaths&) = default;
};

// Told when a field is left empty, followed by the field's name.
inline constexpr const char* EmptyPathMessage =
    "You must provide a name for each file or directory";

// One path field as the user sees it: its label (without mnemonic marks) and
// what it holds.
struct LabelledPath {
    std::string label;
    std::string path;
};

// The index of the first field left empty, or none.
std::optional<std::size_t> FirstEmptyField(const std::vector<LabelledPath>& fields);

// Names the empty field, so the user knows which one to fill in.
std::string EmptyFieldText(std::string_view label);

// A label's text as shown: "&&" stands for one ampersand, a single "&" only
// marks the mnemonic.
std::string PlainLabelText(std::string_view label);

// What each field names: a file, or a folder for the mod and destination
// folders and for references given as folders of files.
bool FieldWantsFolder(PathField field, bool referenceFolders);

// What a window marks a typed path with before anything uses it: empty when
// the path is fine or empty (the empty fields are told at Import), else a
// short sentence such as "There is no file C:\mod\a.tra".
std::string PathProblemText(const std::string& path, bool folder);

// Why paths dropped onto a field are refused, empty when they are taken:
// exactly one local path of the field's kind. `dropped` holds the local
// paths of the drop; a drop with anything that is not a local path counts
// as none.
std::string DropProblemText(const std::vector<std::string>& dropped, bool folder);

}  // namespace wordgleaner
