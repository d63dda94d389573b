#include "job/worker/mod_directory_win32.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <memory>
#include <new>

#include "job/worker/mod_directory.h"

namespace wordgleaner {

namespace {

constexpr char Backslash = '\\';
constexpr char Slash = '/';
constexpr char DriveColon = ':';
// Every name: the pattern "*.tra" would also take a long name such as
// "notes.trash" whose short 8.3 alias ends in ".TRA".
constexpr const char* EveryName = "*";

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

bool IsDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder of such a name is taken too: its load fails and says what it is.
void TakeIfModFile(const WIN32_FIND_DATAA& found, FileNameTest takes,
                   std::vector<std::string>& names) {
    if (takes(found.cFileName)) {
        names.emplace_back(found.cFileName);
    }
}

// The last character, not the last byte: in a double-byte code page
// (Shift-JIS, GBK, Big5) the second byte of a character may be 0x5C, the
// backslash.
char LastCharacter(const std::string& path) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < path.size();) {
        start = at;
        bool leadByte = IsDBCSLeadByte(static_cast<BYTE>(path[at])) != 0;
        at += (leadByte && at + 1 < path.size()) ? 2 : 1;
    }
    bool singleByte = start + 1 == path.size();
    return singleByte ? path[start] : '\0';
}

}  // namespace

bool ListTraFileNamesWin32(const std::string& directory, FileNameTest takes,
                           std::vector<std::string>& names) {
    // An empty name would list the current directory.
    if (directory.empty() || !IsDirectory(directory)) {
        return false;
    }
    const std::string pattern = JoinPathWin32(directory, EveryName);
    WIN32_FIND_DATAA found;
    HANDLE first = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                    nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive's empty root
    }
    FindHandle search(first);
    try {
        do {
            TakeIfModFile(found, takes, names);
        } while (FindNextFileA(search.get(), &found));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return GetLastError() == ERROR_NO_MORE_FILES;
}

std::string JoinPathWin32(const std::string& directory, const std::string& name) {
    if (directory.empty()) {
        return name;
    }
    char last = LastCharacter(directory);
    if (last == Backslash || last == Slash || last == DriveColon) {
        return directory + name;
    }
    return directory + Backslash + name;
}

}  // namespace wordgleaner
