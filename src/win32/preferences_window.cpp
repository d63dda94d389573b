#include "win32/preferences_window.h"

#include <algorithm>
#include <array>
#include <utility>

#include "frontend/further_reference_pairs.h"
#include "frontend/offered_code_pages.h"
#include "frontend/reference_pair_problems.h"
#include "win32/message_boxes.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

// In the order of PreferencesCheck.
constexpr std::array<int, PreferencesCheckCount> CheckIds = {
    IDC_LINE_INFO_ONLY, IDC_REFERENCE_FOLDERS, IDC_INCLUDE_SUB_FOLDERS, IDC_COMPARE_SOUND,
    IDC_GENERATE_PATCH, IDC_WRITE_REVIEW,      IDC_KEEP_GOING,          IDC_PREFER_SAME_ID};

constexpr std::array<std::pair<int, std::int32_t>, 3> CommentIds = {{
    {IDC_COMMENT_NONE, CommentNone},
    {IDC_COMMENT_PERFECT, CommentPerfectMatch},
    {IDC_COMMENT_MISSING, CommentMissingMatch},
}};

int FieldId(OptionField field) {
    switch (field) {
        case OptionField::MinLikeliness:
            return IDC_MIN_LIKELINESS;
        case OptionField::VeryLikelyThreshold:
            return IDC_THRESHOLD;
        case OptionField::CodePage:
            break;
    }
    return IDC_CODE_PAGE;
}

}  // namespace

PreferencesWindow::PreferencesWindow(MessageBoxes& messageBoxes, PreferencesValues initial)
    : DialogWindow(IDD_PREFERENCES), messages(messageBoxes), values(std::move(initial)) {}

bool PreferencesWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) {
        ShowLabels();
        ShowFields(FieldsShowing(values));
        shownPairs = values.furtherPairs;
        ShowFurtherPairs();
        return true;
    }
    if (message != WM_COMMAND) {
        return false;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            Accept();
            return true;
        case IDCANCEL:
            Finish(IDCANCEL);
            return true;
        case IDC_RESTORE_DEFAULTS:
            ShowFields(FieldsShowing(PreferencesValues()));
            shownPairs.clear();
            ShowFurtherPairs();
            return true;
        case IDC_ADD_PAIR:
            AddFurtherPair();
            return true;
        case IDC_REMOVE_PAIR:
            RemoveFurtherPair();
            return true;
        default:
            return false;
    }
}

// The template's texts give way to the labels every window shares.
void PreferencesWindow::ShowLabels() {
    using namespace preferences_labels;
    SetWindowTextA(Handle(), Caption);
    const std::pair<int, std::string> labels[] = {
        {IDC_DATA_OUTPUT_GROUP, DataOutputGroup}, {IDC_COMMENTS_GROUP, CommentsGroup},
        {IDC_MISCELLANEOUS_GROUP, MiscellaneousGroup}, {IDC_MIN_LIKELINESS_LABEL, MinLikeliness},
        {IDC_THRESHOLD_LABEL, VeryLikelyThreshold},    {IDC_THRESHOLD_NOTE, ThresholdHint()},
        {IDC_PATCH_GROUP, PatchGroup},                 {IDC_REVIEW_GROUP, ReviewGroup},
        {IDC_CODE_PAGE_LABEL, CodePage},               {IDC_FAILURES_GROUP, FailuresGroup},
        {IDOK, Ok},                                    {IDCANCEL, Cancel},
        {IDC_RESTORE_DEFAULTS, RestoreDefaults}};
    for (const auto& [id, text] : labels) {
        SetItemText(Handle(), id, text);
    }
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        SetItemText(Handle(), CheckIds[index], CheckLabel(static_cast<PreferencesCheck>(index)));
    }
    for (auto [id, mode] : CommentIds) {
        SetItemText(Handle(), id, CommentLabel(mode));
    }
    for (const OfferedCodePage& offered : OfferedCodePages) {
        SendDlgItemMessageA(Handle(), IDC_CODE_PAGE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(CodePageText(offered.number).c_str()));
    }
}

void PreferencesWindow::ShowFields(const PreferencesFields& fields) {
    SetItemText(Handle(), IDC_MIN_LIKELINESS, fields.minLikeliness);
    SetItemText(Handle(), IDC_THRESHOLD, fields.veryLikelyThreshold);
    SetItemText(Handle(), IDC_CODE_PAGE, fields.codePage);
    for (auto [id, mode] : CommentIds) {
        CheckDlgButton(Handle(), id, fields.commentMode == mode ? BST_CHECKED : BST_UNCHECKED);
    }
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        CheckDlgButton(Handle(), CheckIds[index], fields.checks[index]);
    }
}

PreferencesFields PreferencesWindow::Fields() const {
    PreferencesFields fields;
    fields.minLikeliness = ItemText(Handle(), IDC_MIN_LIKELINESS);
    fields.veryLikelyThreshold = ItemText(Handle(), IDC_THRESHOLD);
    fields.codePage = ItemText(Handle(), IDC_CODE_PAGE);
    for (auto [id, mode] : CommentIds) {
        if (IsDlgButtonChecked(Handle(), id) == BST_CHECKED) {
            fields.commentMode = mode;
        }
    }
    for (std::size_t index = 0; index < PreferencesCheckCount; ++index) {
        fields.checks[index] = IsDlgButtonChecked(Handle(), CheckIds[index]) == BST_CHECKED;
    }
    return fields;
}

void PreferencesWindow::Accept() {
    values.furtherPairs = shownPairs;
    PreferencesAnswer answer = AcceptPreferences(Fields(), values);
    values = std::move(answer.values);
    for (const PreferencesProblem& problem : answer.problems) {
        Tell(problem);
    }
    if (answer.Accepted()) {
        Finish(IDOK);
    }
}

void PreferencesWindow::Tell(const PreferencesProblem& problem) {
    messages.Show(Handle(), problem.icon, problem.caption, problem.message);
    const int id = FieldId(problem.field);
    if (problem.focus) {
        SetFocus(Item(id));
    }
    if (problem.selectText) {
        SendMessageA(Item(id), EM_SETSEL, 0, -1);
    }
}

void PreferencesWindow::ShowFurtherPairs() {
    SendDlgItemMessageA(Handle(), IDC_FURTHER_PAIRS, LB_RESETCONTENT, 0, 0);
    for (const ReferencePair& pair : shownPairs) {
        SendDlgItemMessageA(Handle(), IDC_FURTHER_PAIRS, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ReferencePairLabel(pair).c_str()));
    }
}

// A pair joins the list at its end, so it is searched last.
void PreferencesWindow::AddFurtherPair() {
    const ReferencePair pair = {ItemText(Handle(), IDC_FURTHER_ORIGINAL),
                                ItemText(Handle(), IDC_FURTHER_TRANSLATED)};
    if (const std::string problem = FurtherReferencePairProblem(pair); !problem.empty()) {
        Refuse(pair.original.empty() ? IDC_FURTHER_ORIGINAL : IDC_FURTHER_TRANSLATED, problem);
        return;
    }
    shownPairs.push_back(pair);
    ShowFurtherPairs();
    SetItemText(Handle(), IDC_FURTHER_ORIGINAL, "");
    SetItemText(Handle(), IDC_FURTHER_TRANSLATED, "");
}

void PreferencesWindow::RemoveFurtherPair() {
    const LRESULT selected = SendDlgItemMessageA(Handle(), IDC_FURTHER_PAIRS, LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= shownPairs.size()) {
        return;
    }
    shownPairs.erase(shownPairs.begin() + selected);
    ShowFurtherPairs();
    const LRESULT next = std::min<LRESULT>(selected, static_cast<LRESULT>(shownPairs.size()) - 1);
    SendDlgItemMessageA(Handle(), IDC_FURTHER_PAIRS, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

void PreferencesWindow::Refuse(int id, const std::string& message) {
    messages.Show(Handle(), MessageIcon::Error, "Failure", message);
    SetFocus(Item(id));
}

}  // namespace wordgleaner
