#include "frontend/decisions_field.h"

#include <filesystem>
#include <system_error>

#include "review/decisions_file.h"

namespace wordgleaner {

namespace {

constexpr const char* DecisionsDescription = "Review decisions";
constexpr const char* DecisionsPattern = "*.csv";
constexpr const char* EveryFileDescription = "All files";
constexpr const char* EveryFilePattern = "*.*";

// A path in the system's 8-bit encoding, joined as the job joins its own.
std::string Joined(const std::string& folder, std::string_view name) {
    const char last = folder.back();
    const bool separated = last == '/' || last == '\\';
    return folder + (separated ? "" : std::string(1, std::filesystem::path::preferred_separator)) +
           std::string(name);
}

}  // namespace

std::vector<ChooserFileType> DecisionsFileTypes() {
    return {{DecisionsDescription, {DecisionsPattern}}, {EveryFileDescription, {EveryFilePattern}}};
}

std::string SavedDecisionsFile(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (folder.empty()) {
            continue;
        }
        const std::string path = Joined(folder, DecisionsFileName);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return {};
}

}  // namespace wordgleaner
