#include "number_text.h"

#include <cmath>

namespace wordgleaner {

namespace {

// The digits a double carries faithfully through text and back.
constexpr int SignificantDigits = 15;

}  // namespace

QString FormatNumber(double value) {
    return QString::number(value, 'g', SignificantDigits);
}

std::optional<double> ParseNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // "inf" and "nan" are words, not numbers the user can mean here.
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace wordgleaner
