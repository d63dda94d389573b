#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>

#include "store/text_file.h"
#include "store/tra_error.h"
#include "store/tra_failure.h"

namespace wordgleaner {

// The largest file the store takes: its texts are addressed with 32-bit
// offsets.
inline constexpr std::uint64_t LargestInputFile = 0xFFFFFFFF;

// A file opened to read its bytes, or why it was not.
struct FileToRead {
    FileHandle file;  // open for reading bytes; none on failure
    std::uint64_t size = 0;
    TraError code = TraOk;  // TraOk or TraOpenFailed
    std::error_code systemError;
    // Why a file the system would have opened is refused: what it is, or
    // its size.
    std::string refusal;

    TraFailure Failure() const;
};

// Opens `path` for reading when it is a regular file (through links) of at
// most LargestInputFile bytes. Anything else is refused before a byte is
// read, with what it is: a named pipe would block until some program writes
// into it, and a device such as /dev/zero never ends.
FileToRead OpenToRead(const std::string& path);

// Appends what the file holds from where it stands to its end to `bytes`;
// false on a read error, after appending what was read before it. `expected`
// guesses the size of the rest: one byte more sees the end without growing
// the buffer. May throw std::bad_alloc.
bool AppendRestOfFile(std::FILE* file, std::string& bytes, std::size_t expected);

}  // namespace wordgleaner
