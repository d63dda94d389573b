#include "job/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace wordgleaner {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r\n";
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// from_chars takes a minus sign but no plus sign; "+-1" stays refused.
std::string_view WithoutPlusSign(std::string_view text) {
    if (text.starts_with('+') && !text.starts_with("+-")) {
        text.remove_prefix(1);
    }
    return text;
}

template <typename Number>
std::optional<Number> ParseAll(std::string_view text) {
    text = WithoutPlusSign(TrimBlanks(text));
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    std::optional<double> value = ParseAll<double>(text);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return *value + 0.0;  // -0 + 0 is +0
}

std::optional<std::int32_t> ParseWhole(std::string_view text) {
    return ParseAll<std::int32_t>(text);
}

}  // namespace wordgleaner
