#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job/recovery_options.h"

namespace wordgleaner {

// The values a percentage setting accepts, both ends included.
struct PercentRange {
    double lowest = 0.0;
    double highest = 0.0;

    // False for a value that is not a number.
    constexpr bool Contains(double value) const { return value >= lowest && value <= highest; }
};

// Every front end checks the settings it edits here, so that a value one of
// them accepts is accepted by all, and refused with the same words.
inline constexpr PercentRange MinLikelinessRange{0.0, 100.0};
inline constexpr PercentRange VeryLikelyThresholdRange{90.0, 100.0};

// Told when the text typed for a number setting is no number at all.
inline constexpr std::string_view NotANumberMessage = "Please enter a number.";

enum class OptionField { MinLikeliness, VeryLikelyThreshold, CodePage };

struct OptionFault {
    OptionField field = OptionField::MinLikeliness;
    std::string message;  // for the user, as it stands

    friend bool operator==(const OptionFault&, const OptionFault&) = default;
};

// One check per field, for front ends that check each value as they read it.
std::optional<OptionFault> CheckMinLikeliness(double value);
std::optional<OptionFault> CheckVeryLikelyThreshold(double value);
// A code page the review can decode texts from on this machine.
std::optional<OptionFault> CheckCodePage(std::int32_t value);

// Every fault of a whole settings record, in field order; empty when a run
// may take it.
std::vector<OptionFault> ValidateOptions(const RecoveryOptions& options);

}  // namespace wordgleaner
