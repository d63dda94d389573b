#include "frontend/path_fields.h"

#include <filesystem>
#include <system_error>

namespace wordgleaner {

std::optional<std::size_t> FirstEmptyField(const std::vector<LabelledPath>& fields) {
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (fields[index].path.empty()) {
            return index;
        }
    }
    return std::nullopt;
}

std::string EmptyFieldText(std::string_view label) {
    return std::string(EmptyPathMessage) + ": \"" + std::string(label) + "\" is empty";
}

std::string PlainLabelText(std::string_view label) {
    std::string plain;
    for (std::size_t index = 0; index < label.size(); ++index) {
        const bool doubled =
            label[index] == '&' && index + 1 < label.size() && label[index + 1] == '&';
        if (label[index] != '&' || doubled) {
            plain += label[index];
        }
        if (doubled) {
            ++index;
        }
    }
    return plain;
}

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
