#include "job/validate_options.h"

#include "matching/output/number_format.h"
#include "review/text_encoding.h"

namespace wordgleaner {

namespace {

// The message names the range from its numbers, so the two cannot drift apart.
std::optional<OptionFault> CheckPercent(OptionField field, std::string_view name,
                                        PercentRange range, double value) {
    if (range.Contains(value)) {
        return std::nullopt;
    }
    return OptionFault{field, std::string(name) + " must be between " +
                                  FormatShortest(range.lowest) + " and " +
                                  FormatShortest(range.highest)};
}

}  // namespace

std::optional<OptionFault> CheckMinLikeliness(double value) {
    return CheckPercent(OptionField::MinLikeliness, "Minimum likeliness", MinLikelinessRange,
                        value);
}

std::optional<OptionFault> CheckVeryLikelyThreshold(double value) {
    return CheckPercent(OptionField::VeryLikelyThreshold, "Likeliness threshold",
                        VeryLikelyThresholdRange, value);
}

// Checked even when no review is asked for: a value a front end shows as
// accepted must not turn into a fault once the review is switched on.
std::optional<OptionFault> CheckCodePage(std::int32_t value) {
    if (IsSupportedCodePage(value)) {
        return std::nullopt;
    }
    return OptionFault{OptionField::CodePage,
                       "Code page " + std::to_string(value) +
                           " is not supported: choose a Windows code page such as 1250, 1251, "
                           "1252, 932 or 65001"};
}

std::vector<OptionFault> ValidateOptions(const RecoveryOptions& options) {
    std::vector<OptionFault> faults;
    for (std::optional<OptionFault> fault :
         {CheckMinLikeliness(options.search.minLikeliness),
          CheckVeryLikelyThreshold(options.veryLikelyThreshold), CheckCodePage(options.codePage)}) {
        if (fault) {
            faults.push_back(std::move(*fault));
        }
    }
    return faults;
}

}  // namespace wordgleaner
