#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wordgleaner {

// How the settings' number fields show a number: the shortest form with at
// most 15 significant digits, so 50.0 shows as "50" and 12.5 as "12.5".
std::string FormatNumberField(double value);

// A field's text as a number: a decimal number with an optional sign and
// exponent, "." as the decimal point whatever the locale, blanks around it
// ignored. Anything else, and infinities, are no number.
std::optional<double> ParseNumberField(std::string_view text);

}  // namespace wordgleaner
