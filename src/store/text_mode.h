#pragma once

namespace wordgleaner {

// The bytes that text mode treats specially, on reading and on writing. A
// text-mode reader on Windows treats Ctrl-Z as the end of the file; so do we,
// so that the same file reads the same everywhere.
namespace text_mode {
inline constexpr char LineFeed = '\n';
inline constexpr char CarriageReturn = '\r';
inline constexpr char EndOfFileMark = '\x1A';
}  // namespace text_mode

}  // namespace wordgleaner
