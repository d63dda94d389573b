#pragma once

#include <array>
#include <optional>
#include <string>

namespace wordgleaner {

// The four paths a window asks for before a run, in the order it shows them.
enum class PathField { ReferenceOriginal, ReferenceTranslated, ModDirectory, DestinationDirectory };

inline constexpr std::size_t PathFieldCount = 4;

struct RunPaths {
    std::array<std::string, PathFieldCount> texts;  // 8-bit, in the system's local encoding

    const std::string& operator[](PathField field) const {
        return texts[static_cast<std::size_t>(field)];
    }
};

enum class PathProblem { Empty, Missing, WrongKind };

struct PathFault {
    PathField field = PathField::ReferenceOriginal;
    PathProblem problem = PathProblem::Empty;
    std::string message;  // for the user, as it stands

    friend bool operator==(const PathFault&, const PathFault&) = default;
};

// Told when a field is left empty; a window shows it and puts the focus on
// the field.
inline constexpr const char* EmptyPathMessage =
    "You must provide a name for each file or directory";

// What each field names: a file, or a folder for the mod and destination
// folders and for references given as folders of files.
bool FieldWantsFolder(PathField field, bool referenceFolders);

// The first field that keeps a run from starting, in the order of the
// fields: every empty one first, then one that names nothing, then one that
// names a file where a folder is wanted or a folder where a file is. The
// destination's own checks (writable, not the mod folder) come after this.
std::optional<PathFault> CheckRunPaths(const RunPaths& paths, bool referenceFolders);

}  // namespace wordgleaner
