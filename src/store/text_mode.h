#pragma once

namespace wordgleaner {

// The bytes that text mode treats specially, on reading and on writing. A
// text-mode reader on Windows treats Ctrl-Z as the end of the file; so do we,
// so that the same file reads the same everywhere.
namespace text_mode {
inline constexpr char LineFeed = '\n';
inline constexpr char CarriageReturn = '\r';
inline constexpr char EndOfFileMark = '\x1A';

// Copies [in, end) to `out` without the CR of each CR LF pair (a lone CR
// stays, one at `end` too) and returns the end of the copy. `out` may be `in`
// or before it: the copy never overtakes what it reads.
char* DropCarriageReturnsBeforeLineFeeds(const char* in, const char* end, char* out);
}  // namespace text_mode

}  // namespace wordgleaner
