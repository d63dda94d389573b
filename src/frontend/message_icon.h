#pragma once

namespace wordgleaner {

// The icon of a box a window shows: a plain message, a warning, an error.
enum class MessageIcon { None, Warning, Error };

}  // namespace wordgleaner
