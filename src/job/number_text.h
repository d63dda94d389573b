#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wordgleaner {

// Numbers as a person types them, read the same way by every front end: the
// command line's options, the Preferences' fields and the remembered
// settings. They are shown back with FormatShortest
// (matching/output/number_format.h), which these read back exactly.

// A decimal number with an optional sign, decimals and exponent, "." as the
// decimal point whatever the locale, blanks around it ignored: " 12.5",
// "+95", "1e2". "12,5", "0x10", "inf", "nan" and a number beyond a double
// are no number; "-0" is 0, not a negative zero.
std::optional<double> ParseDecimal(std::string_view text);

// A whole number in 32 bits with an optional sign, blanks around it ignored:
// "1252", " -5 ". "010" is ten, not an octal eight.
std::optional<std::int32_t> ParseWhole(std::string_view text);

}  // namespace wordgleaner
