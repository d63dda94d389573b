#include "store/input_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wordgleaner {

namespace fs = std::filesystem;

namespace {

constexpr const char* TooLargeText = "larger than 4 GiB, the most a tra file may hold";

std::string KindRefusal(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory:
            return "a folder, not a file";
        case fs::file_type::fifo:
            return "a named pipe, not a regular file";
        case fs::file_type::character:
        case fs::file_type::block:
            return "a device, not a regular file";
        case fs::file_type::socket:
            return "a socket, not a regular file";
        default:
            return "not a regular file";
    }
}

FileToRead Refused(std::string refusal, std::error_code error = {}) {
    FileToRead input;
    input.code = TraOpenFailed;
    input.systemError = error;
    input.refusal = std::move(refusal);
    return input;
}

// What a program that asks for the system's code sees; the text tells more.
std::error_code KindError(fs::file_type type) {
    return type == fs::file_type::directory ? std::make_error_code(std::errc::is_a_directory)
                                            : std::error_code();
}

FileToRead NotOpened(std::error_code error) {
    FileToRead input;
    input.code = TraOpenFailed;
    input.systemError = error;
    return input;
}

#ifndef _WIN32

fs::file_type TypeOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return fs::file_type::directory;
    }
    if (S_ISFIFO(mode)) {
        return fs::file_type::fifo;
    }
    if (S_ISCHR(mode)) {
        return fs::file_type::character;
    }
    if (S_ISBLK(mode)) {
        return fs::file_type::block;
    }
    if (S_ISSOCK(mode)) {
        return fs::file_type::socket;
    }
    return S_ISREG(mode) ? fs::file_type::regular : fs::file_type::unknown;
}

// Opened without waiting, so that a named pipe nobody writes into is seen
// for what it is instead of blocking the open; the kind is read from the
// opened file itself, so nothing can swap the file in between.
FileToRead OpenChecked(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return NotOpened({errno, std::generic_category()});
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        const std::error_code error{errno, std::generic_category()};
        ::close(descriptor);
        return NotOpened(error);
    }
    const fs::file_type type = TypeOf(status.st_mode);
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (type != fs::file_type::regular || size > LargestInputFile) {
        ::close(descriptor);
        return type != fs::file_type::regular ? Refused(KindRefusal(type), KindError(type))
                                              : Refused(TooLargeText);
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    FileToRead input;
    input.file.reset(::fdopen(descriptor, "rb"));
    if (!input.file) {
        const std::error_code error{errno, std::generic_category()};
        ::close(descriptor);
        return NotOpened(error);
    }
    input.size = size;
    return input;
}

#else

// Windows has no named pipes or devices in its folders; the kind is read
// before the open.
FileToRead OpenChecked(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return Refused(KindRefusal(status.type()), KindError(status.type()));
    }
    FileToRead input;
    input.file.reset(std::fopen(path.c_str(), "rb"));
    if (!input.file) {
        return NotOpened({errno, std::generic_category()});
    }
    input.size = static_cast<std::uint64_t>(fs::file_size(path, error));
    if (!error && input.size > LargestInputFile) {
        return Refused(TooLargeText);
    }
    return input;
}

#endif

}  // namespace

TraFailure FileToRead::Failure() const {
    TraFailure failure = TraFailure::FromSystem(code, systemError);
    if (!refusal.empty()) {
        failure.systemReason = refusal;
    }
    return failure;
}

FileToRead OpenToRead(const std::string& path) {
    return OpenChecked(path);
}

bool AppendRestOfFile(std::FILE* file, std::string& bytes, std::size_t expected) {
    std::size_t used = bytes.size();
    bytes.resize(used + std::max<std::size_t>(expected, 1));
    while (true) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const std::size_t count = std::fread(bytes.data() + used, 1, bytes.size() - used, file);
        used += count;
        if (used < bytes.size()) {
            const bool failed = std::ferror(file) != 0;
            bytes.resize(used);
            return !failed;
        }
    }
}

}  // namespace wordgleaner
