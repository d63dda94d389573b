#include "store/whole_text_file.h"

#include <cerrno>
#include <cstring>

#include "store/input_file.h"
#include "store/text_mode.h"

namespace wordgleaner {

namespace {

using text_mode::EndOfFileMark;
using text_mode::LineFeed;
constexpr std::size_t FirstReadSize = 64 * 1024;

// The size the file has now, plus one byte so that its end is seen without
// growing the buffer; a file of the /proc kind tells a size of 0.
std::size_t ExpectedSize(std::uint64_t size) {
    return size == 0 ? FirstReadSize : static_cast<std::size_t>(size) + 1;
}

// Drops the byte-order mark and every CR that comes right before an LF, in
// place; stops at the end-of-file mark. Returns the new size.
std::size_t ToTextMode(std::string& bytes, std::size_t start) {
    char* data = bytes.data();
    const char* in = data + start;
    const char* end = in + bytes.size() - start;
    if (const void* mark = std::memchr(in, EndOfFileMark, static_cast<std::size_t>(end - in))) {
        end = static_cast<const char*>(mark);
    }
    return static_cast<std::size_t>(text_mode::DropCarriageReturnsBeforeLineFeeds(in, end, data) -
                                    data);
}

}  // namespace

WholeTextFileRead ReadWholeTextFile(const std::string& path, std::string& bytes) {
    WholeTextFileRead result;
    bytes.clear();
    FileToRead opened = OpenToRead(path);
    if (opened.code != TraOk) {
        result.failure = opened.Failure();
        return result;
    }
    if (!AppendRestOfFile(opened.file.get(), bytes, ExpectedSize(opened.size))) {
        result.failure = TraFailure::FromSystem(TraReadFailed, {errno, std::generic_category()});
    }
    result.byteOrderMark = std::string_view(bytes).starts_with(Utf8ByteOrderMark);
    bytes.resize(ToTextMode(bytes, result.byteOrderMark ? Utf8ByteOrderMark.size() : 0));
    if (result.failure.code != TraOk) {
        // Only whole lines: the rest of the last one was never read.
        auto lastLineFeed = bytes.rfind(LineFeed);
        bytes.resize(lastLineFeed == std::string::npos ? 0 : lastLineFeed + 1);
    } else if (!bytes.empty() && bytes.back() != LineFeed) {
        bytes += LineFeed;
    }
    return result;
}

}  // namespace wordgleaner
