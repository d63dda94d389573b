#include "job/validate_options.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/option_cases.h"

using namespace wordgleaner;
using test_support::OptionCase;

namespace {

// The words of the Preferences dialog, which the command line shows too.
std::string RangeMessageOf(OptionField field) {
    return field == OptionField::MinLikeliness ? "Minimum likeliness must be between 0 and 100"
                                               : "Likeliness threshold must be between 90 and 100";
}

std::optional<OptionFault> CheckField(OptionField field, double value) {
    return field == OptionField::MinLikeliness ? CheckMinLikeliness(value)
                                               : CheckVeryLikelyThreshold(value);
}

TEST(ValidateOptions, AcceptsTheRangeEndsAndRefusesJustOutsideWithTheFieldsMessage) {
    for (const OptionCase& option : test_support::PercentOptionCases) {
        SCOPED_TRACE(option.text);
        const std::vector<OptionFault> faults = test_support::CoreFaults(option);
        if (option.accepted) {
            EXPECT_TRUE(faults.empty());
            EXPECT_EQ(CheckField(option.field, test_support::ValueOf(option)), std::nullopt);
        } else {
            const OptionFault expected{option.field, RangeMessageOf(option.field)};
            EXPECT_EQ(faults, std::vector<OptionFault>{expected});
            EXPECT_EQ(CheckField(option.field, test_support::ValueOf(option)), expected)
                << "the check of one field says what the whole record's check says";
        }
    }
}

TEST(ValidateOptions, TheDefaultsPassTheirOwnRanges) {
    EXPECT_TRUE(ValidateOptions(RecoveryOptions{}).empty());
}

TEST(ValidateOptions, TellsEveryFaultInFieldOrderAndRefusesWhatIsNoNumber) {
    RecoveryOptions options;
    options.search.minLikeliness = std::numeric_limits<double>::quiet_NaN();
    options.veryLikelyThreshold = -std::numeric_limits<double>::infinity();
    const std::vector<OptionFault> faults = ValidateOptions(options);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].field, OptionField::MinLikeliness);
    EXPECT_EQ(faults[1].field, OptionField::VeryLikelyThreshold);
}

TEST(ValidateOptions, TakesTheCommonCodePagesAndRefusesOthersByNumber) {
    RecoveryOptions options;
    for (std::int32_t codePage : {1250, 1251, 1252, 932, 65001}) {
        options.codePage = codePage;
        EXPECT_TRUE(ValidateOptions(options).empty()) << codePage;
    }
    for (std::int32_t codePage : {0, -1252, 9999}) {
        options.codePage = codePage;
        const std::vector<OptionFault> faults = ValidateOptions(options);
        ASSERT_EQ(faults.size(), 1u) << codePage;
        EXPECT_EQ(faults[0].field, OptionField::CodePage);
        EXPECT_EQ(faults[0].message.rfind(
                      "Code page " + std::to_string(codePage) + " is not supported", 0),
                  0u)
            << faults[0].message;
        EXPECT_EQ(CheckCodePage(codePage), faults[0]);
    }
}

}  // namespace
