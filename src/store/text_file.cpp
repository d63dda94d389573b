#include "store/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "store/new_file.h"
#include "store/text_mode.h"

namespace wordgleaner {

namespace fs = std::filesystem;

namespace {

using text_mode::LineFeed;
constexpr std::size_t WriteChunkSize = 64 * 1024;
constexpr int TemporaryNameAttempts = 16;

// What the C library last reported, taken right after the call that failed.
std::error_code LastLibraryError() {
    return {errno, std::generic_category()};
}

// What stands at `path` itself: a link is looked at as a link, never
// followed, since the writer replaces it rather than writing through it.
fs::file_status EntryStatus(const std::string& path) {
    std::error_code ignored;
    return fs::symlink_status(path, ignored);
}

bool IsDirectory(const std::string& path) {
    return fs::is_directory(EntryStatus(path));
}

// Devices and pipes (/dev/null, /dev/stdout, a FIFO) cannot be replaced by a
// renamed file; they are written in place.
bool IsSpecialFile(const std::string& path) {
    const fs::file_status status = EntryStatus(path);
    return fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status) &&
           !fs::is_symlink(status);
}

// A file without any write permission bit was protected on purpose: it is
// refused on every platform, as Windows refuses to rename over a read-only
// file. The bits are read rather than asked for with access(), which grants
// the administrator everything.
bool IsWriteProtected(const std::string& path) {
    const fs::file_status status = EntryStatus(path);
    constexpr auto anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return fs::is_regular_file(status) && (status.permissions() & anyWrite) == fs::perms::none;
}

// The folder part of `path` with its last separator; empty for a bare name.
std::string FolderPartOf(const std::string& path) {
#ifdef _WIN32
    // Character by character: in a double-byte code page (Shift-JIS, GBK,
    // Big5) the second byte of a character may be 0x5C, the backslash.
    std::size_t folderEnd = 0;
    for (std::size_t at = 0; at < path.size();) {
        const char byte = path[at];
        const bool leadByte = IsDBCSLeadByte(static_cast<BYTE>(byte)) != 0 && at + 1 < path.size();
        at += leadByte ? 2 : 1;
        if (!leadByte && (byte == '\\' || byte == '/' || byte == ':')) {
            folderEnd = at;
        }
    }
    return path.substr(0, folderEnd);
#else
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
#endif
}

// A short name of its own in the target's folder, so that the rename never
// leaves the file system, and a target whose name is as long as the file
// system allows still gets a temporary file.
std::string TemporaryNameBeside(const std::string& target, std::mt19937_64& random) {
    constexpr int HexDigits = 8;
    constexpr char Digits[] = "0123456789abcdef";
    std::string name = FolderPartOf(target) + "~wg";
    auto value = random();
    for (int digit = 0; digit < HexDigits; ++digit) {
        name += Digits[value & 0xF];
        value >>= 4;
    }
    return name + ".tmp";
}

// std::rename replaces an existing target on POSIX systems but refuses to on
// Windows, where the replacement must be asked for. Empty on success.
std::error_code RenameOverTarget(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
        return {};
    }
    return {static_cast<int>(GetLastError()), std::system_category()};
#else
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        return {};
    }
    return LastLibraryError();
#endif
}

// The replacement keeps the access rights of the file it replaces; one that
// replaces a link gets those of a new file.
void CopyPermissions(const std::string& from, const std::string& to) {
    const fs::file_status status = EntryStatus(from);
    if (fs::is_regular_file(status)) {
        std::error_code ignored;
        fs::permissions(to, status.permissions(), ignored);
    }
}

// Until the bytes are on the disk, a power cut after the rename could leave
// an empty file under the target's name.
std::error_code SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    if (_commit(_fileno(file)) == 0) {
        return {};
    }
#else
    if (::fsync(::fileno(file)) == 0) {
        return {};
    }
#endif
    return LastLibraryError();
}

}  // namespace

void FileCloser::operator()(std::FILE* file) const {
    if (file != nullptr) {
        std::fclose(file);
    }
}

// ---------------------------------------------------------------------------
// TextFileWriter

TextFileWriter::~TextFileWriter() {
    Discard();
}

TraError TextFileWriter::Open(const std::string& path) {
    Discard();
    failure = TraFailure();
    pending.clear();
    // A link at the target is replaced by the new file, never written
    // through: what it points to may be anything, a file the run reads
    // among them.
    targetPath = path;
    if (targetPath.empty()) {
        Fail(TraOpenFailed, std::make_error_code(std::errc::no_such_file_or_directory));
        return TraOpenFailed;
    }
    if (IsDirectory(targetPath)) {
        Fail(TraOpenFailed, std::make_error_code(std::errc::is_a_directory));
        return TraOpenFailed;
    }
    if (IsWriteProtected(targetPath)) {
        Fail(TraOpenFailed, std::make_error_code(std::errc::permission_denied));
        return TraOpenFailed;
    }
    if (IsSpecialFile(targetPath)) {
        file.reset(std::fopen(targetPath.c_str(), "wb"));
        if (!file) {
            Fail(TraOpenFailed, LastLibraryError());
            return TraOpenFailed;
        }
        return TraOk;
    }
    return CreateTemporaryFile();
}

TraError TextFileWriter::CreateTemporaryFile() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::error_code reason;
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = TemporaryNameBeside(targetPath, random);
        // Never take over a file that happens to have the chosen name.
        file.reset(CreateNewFile(temporaryPath));
        if (file) {
            return TraOk;
        }
        reason = LastLibraryError();
        if (reason != std::errc::file_exists) {
            break;
        }
    }
    temporaryPath.clear();
    Fail(TraOpenFailed, reason);
    return TraOpenFailed;
}

bool TextFileWriter::IsOpen() const {
    return file != nullptr;
}

void TextFileWriter::Write(std::string_view bytes) {
    if (!file) {
        Fail(TraWriteFailed, {});
        return;
    }
    while (!bytes.empty()) {
        auto lineFeed = bytes.find(LineFeed);
        if (lineFeed == std::string_view::npos) {
            pending.append(bytes);
            break;
        }
        pending.append(bytes.substr(0, lineFeed));
        pending += "\r\n";
        bytes.remove_prefix(lineFeed + 1);
        if (pending.size() >= WriteChunkSize) {
            FlushPending();
        }
    }
    if (pending.size() >= WriteChunkSize) {
        FlushPending();
    }
}

void TextFileWriter::FlushPending() {
    if (!pending.empty() && !Failed()) {
        if (std::fwrite(pending.data(), 1, pending.size(), file.get()) != pending.size()) {
            Fail(TraWriteFailed, LastLibraryError());
        }
    }
    pending.clear();
}

// The first failure is the cause; what fails after it only follows from it.
void TextFileWriter::Fail(TraError code, std::error_code reason) {
    if (!Failed()) {
        failure = TraFailure::FromSystem(code, reason);
    }
}

TraError TextFileWriter::Commit() {
    if (!file) {
        Fail(TraWriteFailed, {});
        return TraWriteFailed;
    }
    FlushPending();
    if (std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0) {
        Fail(TraWriteFailed, LastLibraryError());
    } else if (!temporaryPath.empty()) {
        if (std::error_code reason = SyncToDisk(file.get())) {
            Fail(TraWriteFailed, reason);
        }
    }
    if (std::fclose(file.release()) != 0) {
        Fail(TraWriteFailed, LastLibraryError());
    }
    if (Failed()) {
        Discard();
        return TraWriteFailed;
    }
    if (temporaryPath.empty()) {
        return TraOk;
    }
    CopyPermissions(targetPath, temporaryPath);
    if (std::error_code reason = RenameOverTarget(temporaryPath, targetPath)) {
        Fail(TraWriteFailed, reason);
        Discard();
        return TraWriteFailed;
    }
    temporaryPath.clear();
    return TraOk;
}

void TextFileWriter::Discard() {
    file.reset();
    if (!temporaryPath.empty()) {
        std::remove(temporaryPath.c_str());
        temporaryPath.clear();
    }
}

}  // namespace wordgleaner
