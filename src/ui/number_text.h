#pragma once

#include <QString>

#include <optional>

namespace wordgleaner {

// How the Preferences fields show a number: the shortest form with at most 15
// significant digits, so 50.0 shows as "50" and 12.5 as "12.5".
QString FormatNumber(double value);

// A field's text as a number: a decimal number with an optional exponent, "."
// as the decimal point, blanks around it ignored. Anything else is no number.
std::optional<double> ParseNumber(const QString& text);

}  // namespace wordgleaner
