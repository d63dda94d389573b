#include "frontend/bar_arithmetic.h"

#include <climits>
#include <cmath>

namespace wordgleaner {

double BarFraction(int position, int lower, int upper) {
    const double span = static_cast<double>(upper) - static_cast<double>(lower);
    return (static_cast<double>(position) - static_cast<double>(lower)) / span;
}

int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

int FilledLength(int length, double fraction) {
    return TruncateToInt(length * fraction);
}

std::string PercentText(double fraction) {
    return std::to_string(TruncateToInt(fraction * 100.0)) + "%";
}

std::string BarText(const std::string& ownerText, double fraction) {
    return ownerText.empty() ? PercentText(fraction) : ownerText;
}

}  // namespace wordgleaner
