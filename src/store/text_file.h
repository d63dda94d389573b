#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include <system_error>

#include "store/tra_error.h"
#include "store/tra_failure.h"

namespace wordgleaner {

// Files are read and written in text mode by our own code, the same on every
// platform: reading turns CR LF into LF, keeps a lone CR, and stops at a
// 0x1A byte; writing turns every LF into CR LF. Bytes are never decoded.

// Editors that save UTF-8 often put these bytes in front of the text; they
// mark the encoding and are no part of the text.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

struct FileCloser {
    void operator()(std::FILE* file) const;
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Writes into a temporary file beside the target and renames it over the
// target only in Commit, once every byte reached the disk: a failed or
// abandoned write never truncates or destroys the file that was there. A
// symbolic link at the target is replaced by the file, never written through.
class TextFileWriter {
public:
    TextFileWriter() = default;
    ~TextFileWriter();  // an uncommitted temporary file is removed
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // TraOpenFailed when the temporary file cannot be created, or when the
    // target exists without any write permission bit (a protected file).
    TraError Open(const std::string& path);
    bool IsOpen() const;

    // Writes the bytes with every LF as CR LF; a failure is remembered.
    void Write(std::string_view bytes);

    // Flushes, closes and renames; TraWriteFailed when any step failed.
    TraError Commit();

    // The first failure since Open, with the system's reason; its code is
    // TraOk while everything went well.
    const TraFailure& LastFailure() const { return failure; }

private:
    TraError CreateTemporaryFile();
    void FlushPending();
    void Fail(TraError code, std::error_code reason);
    bool Failed() const { return failure.code != TraOk; }
    void Discard();

    FileHandle file;
    std::string pending;
    std::string targetPath;
    std::string temporaryPath;
    TraFailure failure;
};

}  // namespace wordgleaner
