#include "frontend/path_fields.h"

#include <filesystem>
#include <system_error>

namespace wordgleaner {

namespace {

constexpr std::array<PathField, PathFieldCount> AllFields = {
    PathField::ReferenceOriginal, PathField::ReferenceTranslated, PathField::ModDirectory,
    PathField::DestinationDirectory};

std::string FieldName(PathField field) {
    switch (field) {
        case PathField::ReferenceOriginal:
            return "The reference in the original language";
        case PathField::ReferenceTranslated:
            return "The translated reference";
        case PathField::ModDirectory:
            return "The directory of mod tra files";
        case PathField::DestinationDirectory:
            return "The destination directory";
    }
    return {};
}

std::optional<PathFault> CheckOnDisk(PathField field, const std::string& text, bool wantsFolder) {
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(text), error);
    if (!std::filesystem::exists(status)) {
        return PathFault{field, PathProblem::Missing,
                         FieldName(field) + " does not exist: " + text};
    }
    if (std::filesystem::is_directory(status) != wantsFolder) {
        return PathFault{
            field, PathProblem::WrongKind,
            FieldName(field) +
                (wantsFolder ? " must be a directory: " : " must be a file, not a directory: ") +
                text};
    }
    return std::nullopt;
}

}  // namespace

bool FieldWantsFolder(PathField field, bool referenceFolders) {
    return field == PathField::ModDirectory || field == PathField::DestinationDirectory ||
           referenceFolders;
}

std::optional<PathFault> CheckRunPaths(const RunPaths& paths, bool referenceFolders) {
    for (PathField field : AllFields) {
        if (paths[field].empty()) {
            return PathFault{field, PathProblem::Empty, EmptyPathMessage};
        }
    }
    for (PathField field : AllFields) {
        if (auto fault =
                CheckOnDisk(field, paths[field], FieldWantsFolder(field, referenceFolders))) {
            return fault;
        }
    }
    return std::nullopt;
}

}  // namespace wordgleaner
