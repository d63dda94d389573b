#include "frontend/path_fields.h"

#include <filesystem>
#include <system_error>

namespace wordgleaner {

bool FieldWantsFolder(PathField field, bool referenceFolders) {
    return field == PathField::ModDirectory || field == PathField::DestinationDirectory ||
           referenceFolders;
}

std::string PathProblemText(const std::string& path, bool folder) {
    if (path.empty()) {
        return {};
    }
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(path), error);
    if (!std::filesystem::exists(status)) {
        return (folder ? "There is no folder " : "There is no file ") + path;
    }
    const bool isFolder = std::filesystem::is_directory(status);
    if (folder && !isFolder) {
        return path + " is a file, not a folder";
    }
    if (!folder && isFolder) {
        return path + " is a folder, not a file";
    }
    return {};
}

std::string DropProblemText(const std::vector<std::string>& dropped, bool folder) {
    const std::string expected = folder ? "Drop one folder here" : "Drop one file here";
    if (dropped.size() != 1) {
        return expected;
    }
    const std::string problem = PathProblemText(dropped.front(), folder);
    return problem.empty() ? problem : expected + ": " + problem;
}

}  // namespace wordgleaner
