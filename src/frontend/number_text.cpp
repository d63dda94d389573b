#include "frontend/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace wordgleaner {

namespace {

// The digits a double carries faithfully through text and back.
constexpr int SignificantDigits = 15;

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r\n";
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

}  // namespace

std::string FormatNumberField(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*g", SignificantDigits, value);
    return buffer;
}

std::optional<double> ParseNumberField(std::string_view text) {
    text = TrimBlanks(text);
    // from_chars takes a minus sign but no plus sign.
    if (text.starts_with('+') && !text.starts_with("+-")) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // "inf" and "nan" are words, not numbers the user can mean here.
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace wordgleaner
