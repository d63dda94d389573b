#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frontend/message_icon.h"
#include "frontend/preferences_values.h"
#include "job/validate_options.h"

namespace wordgleaner {

// The Preferences as every window shows them: which controls there are and
// what they read, how the values show in them, and what OK takes or refuses.
// Each window only maps these onto its toolkit's controls. A new check box is
// a PreferencesCheck, a row of the table in the .cpp and a control in each
// window.

enum class PreferencesCheck {
    LineInfoOnly,
    ReferenceFolders,
    IncludeSubFolders,
    CompareSound,
    GeneratePatch,
    WriteReview,
    KeepGoing,
    PreferSameId,
};
inline constexpr std::size_t PreferencesCheckCount = 8;

// What the controls hold: the three text fields as typed, the comment mode of
// the radio button checked, and the check boxes.
struct PreferencesFields {
    std::string minLikeliness;
    std::string veryLikelyThreshold;
    std::string codePage;
    std::int32_t commentMode = CommentPerfectMatch;
    std::array<bool, PreferencesCheckCount> checks = {};

    bool& operator[](PreferencesCheck check) { return checks[static_cast<std::size_t>(check)]; }
    bool operator[](PreferencesCheck check) const {
        return checks[static_cast<std::size_t>(check)];
    }

    friend bool operator==(const PreferencesFields&, const PreferencesFields&) = default;
};

// The controls that show `values`: the numbers in their shortest form, the
// code page with its name when it is offered, an unknown comment mode as
// none.
PreferencesFields FieldsShowing(const PreferencesValues& values);

// A value OK refuses, told in a box of its own.
struct PreferencesProblem {
    OptionField field;
    MessageIcon icon;
    std::string caption;
    std::string message;
    bool focus;       // the field gets the focus,
    bool selectText;  // with its whole text selected for retyping

    friend bool operator==(const PreferencesProblem&, const PreferencesProblem&) = default;
};

struct PreferencesAnswer {
    PreferencesValues values;                  // `values` given, with every value OK took
    std::vector<PreferencesProblem> problems;  // in the order to tell them

    bool Accepted() const { return problems.empty(); }
};

// OK: a text that is no number stops at its field; both ranges are then
// checked, so the user hears about every bad value at once; the comment mode
// and the check boxes are taken whatever the numbers say; the code page comes
// last. The further pairs of `values` are kept as they are.
PreferencesAnswer AcceptPreferences(const PreferencesFields& fields, PreferencesValues values);

// The labels, "&" marking the mnemonic.
const char* CheckLabel(PreferencesCheck check);
// The three radio buttons' labels, for CommentNone, CommentPerfectMatch and
// CommentMissingMatch.
const char* CommentLabel(std::int32_t commentMode);
// The note under the threshold field, with the lowest value of its range.
std::string ThresholdHint();

namespace preferences_labels {

inline constexpr const char* Caption = "Preferences";
inline constexpr const char* DataOutputGroup = "Data output (for perfect match)";
inline constexpr const char* CommentsGroup = "Comments on retrieved texts";
inline constexpr const char* MiscellaneousGroup = "Miscellaneous";
inline constexpr const char* MinLikeliness = "Minimum &likeliness percentage";
inline constexpr const char* VeryLikelyThreshold = "Likeliness t&hreshold to assume matching";
inline constexpr const char* PatchGroup = "Patch generation (EE game translation assistance)";
inline constexpr const char* ReviewGroup = "Review";
inline constexpr const char* CodePage = "Co&de page of texts that are not UTF-8";
inline constexpr const char* FailuresGroup = "Failing mod files";
inline constexpr const char* Ok = "O&K";
inline constexpr const char* Cancel = "&Cancel";
inline constexpr const char* RestoreDefaults = "&Restore defaults";

}  // namespace preferences_labels

}  // namespace wordgleaner
