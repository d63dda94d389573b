#include "win32/preferences_window.h"

#include <algorithm>

#include "frontend/further_reference_pairs.h"
#include "frontend/reference_pair_problems.h"
#include "job/number_text.h"
#include "job/validate_options.h"
#include "matching/output/number_format.h"
#include "win32/message_boxes.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

constexpr char InvalidValueCaption[] = "Invalid value";

// The common Windows code pages; any other the machine can decode may be typed.
constexpr int OfferedCodePages[] = {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                                    1258, 874,  932,  936,  949,  950,  65001};

}  // namespace

PreferencesWindow::PreferencesWindow(MessageBoxes& messageBoxes, Preferences initial)
    : DialogWindow(IDD_PREFERENCES), messages(messageBoxes), values(std::move(initial)) {}

bool PreferencesWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) {
        OfferCodePages();
        Show(values);
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
            Show(Preferences());
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

void PreferencesWindow::OfferCodePages() {
    for (int codePage : OfferedCodePages) {
        SendDlgItemMessageA(Handle(), IDC_CODE_PAGE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_string(codePage).c_str()));
    }
}

void PreferencesWindow::Show(const Preferences& shown) {
    const RecoveryOptions& options = shown.options;
    HWND dialog = Handle();
    CheckDlgButton(dialog, IDC_LINE_INFO_ONLY, options.lineInfoOnly);
    const int comment = options.commentMode == CommentPerfectMatch   ? IDC_COMMENT_PERFECT
                        : options.commentMode == CommentMissingMatch ? IDC_COMMENT_MISSING
                                                                     : IDC_COMMENT_NONE;
    CheckRadioButton(dialog, IDC_COMMENT_NONE, IDC_COMMENT_MISSING, comment);
    CheckDlgButton(dialog, IDC_REFERENCE_FOLDERS, shown.referenceFolders);
    SetItemText(dialog, IDC_MIN_LIKELINESS, FormatShortest(options.search.minLikeliness));
    SetItemText(dialog, IDC_THRESHOLD, FormatShortest(options.veryLikelyThreshold));
    CheckDlgButton(dialog, IDC_COMPARE_SOUND, options.search.compareSound);
    CheckDlgButton(dialog, IDC_GENERATE_PATCH, options.generatePatch);
    CheckDlgButton(dialog, IDC_WRITE_REVIEW, options.writeReview);
    SetItemText(dialog, IDC_CODE_PAGE, std::to_string(options.codePage));
    CheckDlgButton(dialog, IDC_KEEP_GOING, options.keepGoing);
    shownPairs = shown.furtherPairs;
    ShowFurtherPairs();
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
        RefuseField(pair.original.empty() ? IDC_FURTHER_ORIGINAL : IDC_FURTHER_TRANSLATED, problem);
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

// Both ranges and the code page are checked, so the user hears about every
// bad value at once; the check boxes are taken whatever the numbers say.
void PreferencesWindow::Accept() {
    const auto minimum = ReadNumber(IDC_MIN_LIKELINESS);
    if (!minimum) {
        return;
    }
    const auto threshold = ReadNumber(IDC_THRESHOLD);
    if (!threshold) {
        return;
    }
    const bool minimumTaken = Take(CheckMinLikeliness(*minimum));
    if (minimumTaken) {
        values.options.search.minLikeliness = *minimum;
    }
    const bool thresholdTaken = Take(CheckVeryLikelyThreshold(*threshold));
    if (thresholdTaken) {
        values.options.veryLikelyThreshold = *threshold;
    }
    TakeChoices();
    const bool codePageTaken = TakeCodePage();
    if (minimumTaken && thresholdTaken && codePageTaken) {
        Finish(IDOK);
    }
}

std::optional<double> PreferencesWindow::ReadNumber(int id) {
    const auto number = ParseDecimal(ItemText(Handle(), id));
    if (!number) {
        messages.Show(Handle(), MessageIcon::Warning, "Wordgleaner",
                      std::string(NotANumberMessage));
        SetFocus(Item(id));
        SendMessageA(Item(id), EM_SETSEL, 0, -1);
    }
    return number;
}

bool PreferencesWindow::Take(const std::optional<OptionFault>& fault) {
    if (fault) {
        messages.Show(Handle(), MessageIcon::Error, InvalidValueCaption, fault->message);
    }
    return !fault;
}

bool PreferencesWindow::TakeCodePage() {
    const auto codePage = ParseWhole(ItemText(Handle(), IDC_CODE_PAGE));
    if (!codePage) {
        RefuseField(IDC_CODE_PAGE, std::string(NotANumberMessage));
        return false;
    }
    if (const auto fault = CheckCodePage(*codePage)) {
        RefuseField(IDC_CODE_PAGE, fault->message);
        return false;
    }
    values.options.codePage = *codePage;
    return true;
}

void PreferencesWindow::RefuseField(int id, const std::string& message) {
    messages.Show(Handle(), MessageIcon::Error, InvalidValueCaption, message);
    SetFocus(Item(id));
}

void PreferencesWindow::TakeChoices() {
    RecoveryOptions& options = values.options;
    options.lineInfoOnly = Checked(IDC_LINE_INFO_ONLY);
    options.commentMode = Checked(IDC_COMMENT_PERFECT)   ? CommentPerfectMatch
                          : Checked(IDC_COMMENT_MISSING) ? CommentMissingMatch
                                                         : CommentNone;
    values.referenceFolders = Checked(IDC_REFERENCE_FOLDERS);
    values.furtherPairs = shownPairs;
    options.search.compareSound = Checked(IDC_COMPARE_SOUND);
    options.generatePatch = Checked(IDC_GENERATE_PATCH);
    options.writeReview = Checked(IDC_WRITE_REVIEW);
    options.keepGoing = Checked(IDC_KEEP_GOING);
}

bool PreferencesWindow::Checked(int id) const {
    return IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
}

}  // namespace wordgleaner
