#include "job/worker/folder_tree_win32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <memory>
#include <string_view>
#include <system_error>

#include "job/worker/mod_directory_win32.h"

namespace wordgleaner {

namespace {

constexpr const char* EveryName = "*";

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

bool IsRealSubFolder(const WIN32_FIND_DATAA& found) {
    const std::string_view name = found.cFileName;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && name != "." &&
           name != "..";
}

// The system's words without the line end and full stop that Windows'
// messages may carry, so that they read inside a sentence of ours.
std::string ReasonOf(DWORD error) {
    std::string text = std::error_code(static_cast<int>(error), std::system_category()).message();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool ListSubFolderNamesWin32(const std::string& folder, std::vector<std::string>& names,
                             std::string& reason) {
    const std::string pattern = JoinPathWin32(folder, EveryName);
    WIN32_FIND_DATAA found;
    HANDLE first = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                    nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return true;  // a drive's empty root
        }
        reason = ReasonOf(error);
        return false;
    }
    FindHandle search(first);
    do {
        if (IsRealSubFolder(found)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search.get(), &found));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        reason = ReasonOf(error);
        return false;
    }
    return true;
}

bool IsFolderWin32(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ExistsWin32(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolderWin32(const std::string& path, std::string& reason) {
    if (CreateDirectoryA(path.c_str(), nullptr)) {
        return true;
    }
    reason = ReasonOf(GetLastError());
    return false;
}

}  // namespace wordgleaner
