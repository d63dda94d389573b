#pragma once

#include <cstdint>
#include <string>

#include "store/tra_error.h"

namespace wordgleaner {

// Size of a game's string table, the largest file the tool loads.
inline constexpr int StringTableEntries = 100'000;

// Writes a tra file that looks like a game's string table: unsorted ids,
// sentences of about 120 bytes, some sound references and female texts, texts
// that need other delimiters, section comments and blank lines, CR LF line ends.
// The same seed gives the same file.
TraError GenerateTraFile(const std::string& path, int entries = StringTableEntries,
                         std::uint64_t seed = 1);

}  // namespace wordgleaner
