#include "frontend/preferences_form.h"

#include <optional>

#include "frontend/offered_code_pages.h"
#include "job/number_text.h"
#include "matching/output/number_format.h"

namespace wordgleaner {

namespace {

constexpr const char* InvalidValueCaption = "Invalid value";

// A check box: its label and the value it sets.
struct CheckSetting {
    const char* label;
    bool& (*value)(PreferencesValues& values);
};

// In the order of PreferencesCheck.
constexpr std::array<CheckSetting, PreferencesCheckCount> CheckSettings = {{
    {"&Output line matching information instead of copying the texts",
     [](PreferencesValues& values) -> bool& { return values.options.lineInfoOnly; }},
    {"Use m&ultiple reference files in a directory instead of a single reference",
     [](PreferencesValues& values) -> bool& { return values.referenceFolders; }},
    {"Include su&b-folders of the mod folder and of reference folders",
     [](PreferencesValues& values) -> bool& { return values.options.includeSubFolders; }},
    {"Compare &sound reference as well (no matching if different)",
     [](PreferencesValues& values) -> bool& { return values.options.search.compareSound; }},
    {"&Generate TP2 patch associated to the tra file",
     [](PreferencesValues& values) -> bool& { return values.options.generatePatch; }},
    {"Write a re&view page (Wordgleaner_review.html and .csv)",
     [](PreferencesValues& values) -> bool& { return values.options.writeReview; }},
    {"Skip mod f&iles that fail to load or save, and go on",
     [](PreferencesValues& values) -> bool& { return values.options.keepGoing; }},
    {"Prefer the mod entry's own file and id among &equal texts",
     [](PreferencesValues& values) -> bool& { return values.options.preferSameId; }},
}};

std::int32_t ShownCommentMode(std::int32_t commentMode) {
    const bool known = commentMode == CommentPerfectMatch || commentMode == CommentMissingMatch;
    return known ? commentMode : CommentNone;
}

PreferencesProblem NotANumber(OptionField field, bool inNumberField) {
    if (inNumberField) {
        return {field, MessageIcon::Warning, "Wordgleaner", std::string(NotANumberMessage), true,
                true};
    }
    return {field, MessageIcon::Error, InvalidValueCaption, std::string(NotANumberMessage), true,
            false};
}

void Take(PreferencesAnswer& answer, const std::optional<OptionFault>& fault, double value,
          double& setting) {
    if (fault) {
        answer.problems.push_back(
            {fault->field, MessageIcon::Error, InvalidValueCaption, fault->message, false, false});
    } else {
        setting = value;
    }
}

void TakeCodePage(PreferencesAnswer& answer, const std::string& text) {
    const std::optional<std::int32_t> codePage = ReadCodePageText(text);
    if (!codePage) {
        answer.problems.push_back(NotANumber(OptionField::CodePage, false));
    } else if (const std::optional<OptionFault> fault = CheckCodePage(*codePage)) {
        answer.problems.push_back(
            {fault->field, MessageIcon::Error, InvalidValueCaption, fault->message, true, false});
    } else {
        answer.values.options.codePage = *codePage;
    }
}

}  // namespace

PreferencesFields FieldsShowing(const PreferencesValues& values) {
    PreferencesFields fields;
    fields.minLikeliness = FormatShortest(values.options.search.minLikeliness);
    fields.veryLikelyThreshold = FormatShortest(values.options.veryLikelyThreshold);
    fields.codePage = CodePageText(values.options.codePage);
    fields.commentMode = ShownCommentMode(values.options.commentMode);
    PreferencesValues shown = values;
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        fields.checks[index] = CheckSettings[index].value(shown);
    }
    return fields;
}

PreferencesAnswer AcceptPreferences(const PreferencesFields& fields, PreferencesValues values) {
    PreferencesAnswer answer{std::move(values), {}};
    const std::optional<double> minimum = ParseDecimal(fields.minLikeliness);
    if (!minimum) {
        answer.problems.push_back(NotANumber(OptionField::MinLikeliness, true));
        return answer;
    }
    const std::optional<double> threshold = ParseDecimal(fields.veryLikelyThreshold);
    if (!threshold) {
        answer.problems.push_back(NotANumber(OptionField::VeryLikelyThreshold, true));
        return answer;
    }
    RecoveryOptions& options = answer.values.options;
    Take(answer, CheckMinLikeliness(*minimum), *minimum, options.search.minLikeliness);
    Take(answer, CheckVeryLikelyThreshold(*threshold), *threshold, options.veryLikelyThreshold);
    options.commentMode = ShownCommentMode(fields.commentMode);
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        CheckSettings[index].value(answer.values) = fields.checks[index];
    }
    TakeCodePage(answer, fields.codePage);
    return answer;
}

const char* CheckLabel(PreferencesCheck check) {
    return CheckSettings[static_cast<std::size_t>(check)].label;
}

const char* CommentLabel(std::int32_t commentMode) {
    switch (ShownCommentMode(commentMode)) {
        case CommentPerfectMatch:
            return "Add comment before entries with &perfect match with reference";
        case CommentMissingMatch:
            return "Add comment before entries &without perfect or likely match";
        default:
            return "&None";
    }
}

std::string ThresholdHint() {
    return "Threshold to consider as equivalent to a perfect match (shall be > " +
           FormatShortest(VeryLikelyThresholdRange.lowest) + ")";
}

}  // namespace wordgleaner
