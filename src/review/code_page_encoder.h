#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wordgleaner {

// A UTF-8 text as Windows code page `codePage` writes it, through the
// platform's converter; 65001 keeps it UTF-8. Nothing when the text holds a
// character the code page has no byte for (no look-alike is put in its
// place), when it is not valid UTF-8, or when the code page is unknown here.
std::optional<std::string> EncodeForCodePage(std::string_view utf8, int codePage);

}  // namespace wordgleaner
