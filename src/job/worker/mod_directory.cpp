#include "job/worker/mod_directory.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "matching/ascii_case.h"

#if defined(_WIN32)
#include "job/worker/mod_directory_win32.h"
#endif

namespace wordgleaner {

namespace {

constexpr std::string_view TraExtension = ".tra";

// What the user needs to fix; `reason` is the listing's own error, when the
// platform told one.
ModFileList Unlisted(const std::string& directory, std::error_code reason = {}) {
    std::error_code ignored;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(directory), ignored);
    std::string fault = "cannot be listed";
    if (directory.empty() || !std::filesystem::exists(status)) {
        fault = "does not exist";
    } else if (!std::filesystem::is_directory(status)) {
        fault = "is not a folder";
    } else if (reason) {
        fault += " (" + reason.message() + ")";
    }
    return {{}, TraOpenFailed, std::move(fault)};
}

}  // namespace

bool HasTraExtension(std::string_view name) {
    if (name.size() < TraExtension.size()) {
        return false;
    }
    std::string_view ending = name.substr(name.size() - TraExtension.size());
    return std::equal(ending.begin(), ending.end(), TraExtension.begin(),
                      [](char actual, char wanted) { return FoldAsciiCapital(actual) == wanted; });
}

bool ModFileNameLess(std::string_view left, std::string_view right) {
    auto foldedLess = [](char a, char b) {
        return static_cast<unsigned char>(FoldAsciiCapital(a)) <
               static_cast<unsigned char>(FoldAsciiCapital(b));
    };
    if (std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                     foldedLess)) {
        return true;
    }
    if (std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end(),
                                     foldedLess)) {
        return false;
    }
    return left < right;  // equal up to case: raw bytes decide
}

ModFileList ListTraFiles(const std::string& directory) {
    return ListModFiles(directory);
}

ModFileList ListModFiles(const std::string& directory, FileNameTest takes) {
    ModFileList list;
#if defined(_WIN32)
    if (!ListTraFileNamesWin32(directory, takes, list.names)) {
        return Unlisted(directory);
    }
#else
    try {
        std::error_code error;
        std::filesystem::directory_iterator entry(std::filesystem::path(directory), error);
        for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            std::string name = entry->path().filename().string();
            if (takes(name)) {
                list.names.push_back(std::move(name));
            }
        }
        if (error) {
            return Unlisted(directory, error);
        }
    } catch (const std::exception&) {
        // Out of memory.
        return Unlisted(directory, std::make_error_code(std::errc::not_enough_memory));
    }
#endif
    std::sort(list.names.begin(), list.names.end(),
              [](const std::string& a, const std::string& b) { return ModFileNameLess(a, b); });
    return list;
}

SplitFileName SplitAtLastDot(const std::string& name) {
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {name, {}};
    }
    return {name.substr(0, dot), name.substr(dot)};
}

std::string JoinPath(const std::string& directory, const std::string& name) {
#if defined(_WIN32)
    return JoinPathWin32(directory, name);
#else
    return (std::filesystem::path(directory) / std::filesystem::path(name)).string();
#endif
}

}  // namespace wordgleaner
