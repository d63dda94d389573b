// The Preferences as every window shows them and what OK takes or refuses.

#include "frontend/preferences_form.h"

#include <gtest/gtest.h>

#include "frontend/offered_code_pages.h"
#include "support/option_cases.h"

using namespace wordgleaner;

namespace {

PreferencesFields DefaultFields() {
    return FieldsShowing(PreferencesValues());
}

std::vector<std::string> Messages(const PreferencesAnswer& answer) {
    std::vector<std::string> messages;
    for (const PreferencesProblem& problem : answer.problems) {
        messages.push_back(problem.message);
    }
    return messages;
}

TEST(PreferencesForm, TheDefaultsShowAsTheCommandLinesDefaults) {
    const PreferencesFields fields = DefaultFields();
    EXPECT_EQ(fields.minLikeliness, "50");
    EXPECT_EQ(fields.veryLikelyThreshold, "95");
    EXPECT_EQ(fields.codePage, "1252 - Western European");
    EXPECT_EQ(fields.commentMode, CommentPerfectMatch);
    EXPECT_TRUE(fields[PreferencesCheck::CompareSound]);
    for (PreferencesCheck off : {PreferencesCheck::LineInfoOnly, PreferencesCheck::ReferenceFolders,
                                 PreferencesCheck::IncludeSubFolders,
                                 PreferencesCheck::GeneratePatch, PreferencesCheck::WriteReview,
                                 PreferencesCheck::KeepGoing, PreferencesCheck::PreferSameId}) {
        EXPECT_FALSE(fields[off]);
    }
    const PreferencesAnswer answer = AcceptPreferences(fields, PreferencesValues());
    EXPECT_TRUE(answer.Accepted());
    EXPECT_EQ(answer.values, PreferencesValues());
}

TEST(PreferencesForm, EveryValueShownIsTakenBackWithOk) {
    PreferencesValues changed;
    changed.options.search.minLikeliness = 12.5;
    changed.options.veryLikelyThreshold = 99.125;
    changed.options.lineInfoOnly = true;
    changed.options.commentMode = CommentMissingMatch;
    changed.options.generatePatch = true;
    changed.options.search.compareSound = false;
    changed.options.writeReview = true;
    changed.options.codePage = 866;  // decodable, not offered
    changed.options.keepGoing = true;
    changed.options.includeSubFolders = true;
    changed.options.preferSameId = true;
    changed.referenceFolders = true;
    const PreferencesFields fields = FieldsShowing(changed);
    EXPECT_TRUE(fields[PreferencesCheck::IncludeSubFolders]);
    EXPECT_TRUE(fields[PreferencesCheck::PreferSameId]);
    EXPECT_EQ(fields.minLikeliness, "12.5");
    EXPECT_EQ(fields.veryLikelyThreshold, "99.125");
    EXPECT_EQ(fields.codePage, "866");
    EXPECT_EQ(AcceptPreferences(fields, PreferencesValues()).values, changed);
}

TEST(PreferencesForm, AnUnknownCommentModeShowsAsNone) {
    PreferencesValues values;
    values.options.commentMode = 7;
    EXPECT_EQ(FieldsShowing(values).commentMode, CommentNone);
}

// The further pairs are no field of the form: OK keeps them as given.
TEST(PreferencesForm, OkKeepsTheFurtherPairsItWasGiven) {
    PreferencesValues values;
    values.furtherPairs = {{"a.tra", "b.tra"}};
    EXPECT_EQ(AcceptPreferences(DefaultFields(), values).values.furtherPairs, values.furtherPairs);
}

TEST(PreferencesForm, PercentagesAreCheckedWithTheRangesAndMessagesOfTheCore) {
    for (const test_support::OptionCase& option : test_support::PercentOptionCases) {
        SCOPED_TRACE(option.text);
        PreferencesFields fields = DefaultFields();
        (option.field == OptionField::MinLikeliness ? fields.minLikeliness
                                                    : fields.veryLikelyThreshold) = option.text;
        const PreferencesAnswer answer = AcceptPreferences(fields, PreferencesValues());
        const std::vector<OptionFault> faults = test_support::CoreFaults(option);
        EXPECT_EQ(answer.Accepted(), option.accepted);
        // A refused value is never taken: the setting keeps what it was.
        EXPECT_EQ(answer.values.options,
                  faults.empty() ? test_support::OptionsWith(option) : RecoveryOptions());
        ASSERT_EQ(answer.problems.size(), faults.size());
        for (const PreferencesProblem& problem : answer.problems) {
            EXPECT_EQ(problem,
                      (PreferencesProblem{option.field, MessageIcon::Error, "Invalid value",
                                          faults[0].message, false, false}));
        }
    }
}

TEST(PreferencesForm, BothOutOfRangeValuesAreToldInFieldOrder) {
    PreferencesFields fields = DefaultFields();
    fields.minLikeliness = "-1";
    fields.veryLikelyThreshold = "89.99";
    EXPECT_EQ(Messages(AcceptPreferences(fields, PreferencesValues())),
              (std::vector<std::string>{"Minimum likeliness must be between 0 and 100",
                                        "Likeliness threshold must be between 90 and 100"}));
}

TEST(PreferencesForm, TextThatIsNoNumberStopsAtItsFieldSelectedForRetyping) {
    PreferencesFields fields = DefaultFields();
    fields.minLikeliness = "";
    fields.veryLikelyThreshold = "also wrong";
    fields.codePage = "no page";
    fields[PreferencesCheck::GeneratePatch] = true;
    PreferencesAnswer answer = AcceptPreferences(fields, PreferencesValues());
    EXPECT_EQ(
        answer.problems,
        (std::vector<PreferencesProblem>{{OptionField::MinLikeliness, MessageIcon::Warning,
                                          "Wordgleaner", "Please enter a number.", true, true}}));
    EXPECT_FALSE(answer.values.options.generatePatch);  // nothing past it was read

    fields.minLikeliness = "12,5 ";
    fields.veryLikelyThreshold = "95";
    answer = AcceptPreferences(fields, PreferencesValues());
    ASSERT_EQ(answer.problems.size(), 1u);
    EXPECT_EQ(answer.problems[0].field, OptionField::MinLikeliness);
}

TEST(PreferencesForm, CheckBoxesAreTakenEvenWhenANumberIsRefused) {
    PreferencesFields fields = DefaultFields();
    fields.veryLikelyThreshold = "80";
    fields[PreferencesCheck::GeneratePatch] = true;
    fields.commentMode = CommentNone;
    const PreferencesAnswer answer = AcceptPreferences(fields, PreferencesValues());
    EXPECT_FALSE(answer.Accepted());
    EXPECT_TRUE(answer.values.options.generatePatch);
    EXPECT_EQ(answer.values.options.commentMode, CommentNone);
}

TEST(PreferencesForm, TheCodePageIsReadWithOrWithoutItsNameAndCheckedByTheCore) {
    PreferencesFields fields = DefaultFields();
    for (const char* text : {"1251", "1251 - Cyrillic", " 1251 "}) {
        fields.codePage = text;
        EXPECT_EQ(AcceptPreferences(fields, PreferencesValues()).values.options.codePage, 1251)
            << text;
    }
    fields.codePage = "9999";
    PreferencesAnswer answer = AcceptPreferences(fields, PreferencesValues());
    EXPECT_EQ(answer.problems, (std::vector<PreferencesProblem>{
                                   {OptionField::CodePage, MessageIcon::Error, "Invalid value",
                                    CheckCodePage(9999)->message, true, false}}));
    EXPECT_EQ(answer.values.options.codePage, 1252);

    fields.codePage = "windows-1250";
    answer = AcceptPreferences(fields, PreferencesValues());
    EXPECT_EQ(Messages(answer), std::vector<std::string>{"Please enter a number."});
    EXPECT_EQ(answer.problems[0].caption, "Invalid value");
}

TEST(PreferencesForm, EveryOfferedCodePageCanBeDecodedAndReadsBack) {
    for (const OfferedCodePage& offered : OfferedCodePages) {
        EXPECT_EQ(CheckCodePage(offered.number), std::nullopt) << offered.number;
        EXPECT_EQ(ReadCodePageText(CodePageText(offered.number)), offered.number);
    }
    EXPECT_EQ(CodePageText(1251), "1251 - Cyrillic");
    EXPECT_EQ(ReadCodePageText("1251 - Western European"), std::nullopt);
}

TEST(PreferencesForm, TheThresholdHintNamesTheLowestValueOfItsRange) {
    EXPECT_EQ(ThresholdHint(),
              "Threshold to consider as equivalent to a perfect match (shall be > 90)");
}

}  // namespace
