#pragma once

#include <array>
#include <string>
#include <vector>

#include "job/validate_options.h"

namespace wordgleaner {

namespace test_support {

// A value typed for one percentage setting. Every front end's tests run
// these and compare what they report with ValidateOptions.
struct OptionCase {
    OptionField field;
    const char* text;  // as typed: a decimal number
    bool accepted;
};

// Both ends of each range, a value inside, and values just outside.
inline constexpr auto PercentOptionCases = std::to_array<OptionCase>({
    {OptionField::MinLikeliness, "0", true},
    {OptionField::MinLikeliness, "100", true},
    {OptionField::MinLikeliness, "12.5", true},
    {OptionField::MinLikeliness, "-0.01", false},
    {OptionField::MinLikeliness, "100.5", false},
    {OptionField::MinLikeliness, "-1", false},
    {OptionField::VeryLikelyThreshold, "90", true},
    {OptionField::VeryLikelyThreshold, "100", true},
    {OptionField::VeryLikelyThreshold, "97.5", true},
    {OptionField::VeryLikelyThreshold, "89.99", false},
    {OptionField::VeryLikelyThreshold, "100.01", false},
});

inline double ValueOf(const OptionCase& option) {
    return std::stod(option.text);
}

// The defaults with the case's value in its field.
inline RecoveryOptions OptionsWith(const OptionCase& option) {
    RecoveryOptions options;
    (option.field == OptionField::MinLikeliness ? options.search.minLikeliness
                                                : options.veryLikelyThreshold) = ValueOf(option);
    return options;
}

// What the core says of the case: nothing, or the one fault of its field.
inline std::vector<OptionFault> CoreFaults(const OptionCase& option) {
    return ValidateOptions(OptionsWith(option));
}

}  // namespace test_support

}  // namespace wordgleaner
