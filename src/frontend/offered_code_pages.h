#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wordgleaner {

// A code page the Preferences offer for the review, with the name of its
// script.
struct OfferedCodePage {
    std::int32_t number;
    const char* name;
};

// The common Windows code pages; any other the machine can decode may be
// typed.
inline constexpr std::array<OfferedCodePage, 15> OfferedCodePages = {{
    {1250, "Central European"},
    {1251, "Cyrillic"},
    {1252, "Western European"},
    {1253, "Greek"},
    {1254, "Turkish"},
    {1255, "Hebrew"},
    {1256, "Arabic"},
    {1257, "Baltic"},
    {1258, "Vietnamese"},
    {874, "Thai"},
    {932, "Japanese"},
    {936, "Simplified Chinese"},
    {949, "Korean"},
    {950, "Traditional Chinese"},
    {65001, "UTF-8"},
}};

// How a code page shows in the Preferences: "1251 - Cyrillic" for one
// offered, the bare number for any other.
std::string CodePageText(std::int32_t codePage);

// The code page of a text shown by CodePageText or typed as a number ("1251",
// " 932 "); nothing for anything else. Whether the machine can decode it is
// CheckCodePage's to say.
std::optional<std::int32_t> ReadCodePageText(std::string_view text);

}  // namespace wordgleaner
