#include "number_text.h"

#include "frontend/number_text.h"

namespace wordgleaner {

// The forms are shared with the other windows.
QString FormatNumber(double value) {
    return QString::fromStdString(FormatNumberField(value));
}

std::optional<double> ParseNumber(const QString& text) {
    return ParseNumberField(text.toStdString());
}

}  // namespace wordgleaner
