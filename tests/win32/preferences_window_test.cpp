// The Preferences: what they show, what they refuse and what OK hands back.

#include "win32/preferences_window.h"

#include <gtest/gtest.h>

#include "frontend/offered_code_pages.h"
#include "win32/resource_ids.h"
#include "window_driver.h"

using namespace wordgleaner;
using namespace wordgleaner::test_support;

namespace {

struct OpenPreferences {
    FakeMessageBoxes boxes;
    PreferencesWindow window;
    HWND dialog;

    explicit OpenPreferences(PreferencesValues initial = {})
        : window(boxes, std::move(initial)), dialog(window.OpenModeless(nullptr)) {}

    bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST(PreferencesWindow, TheDefaultsShowAsTheFormShowsThem) {
    OpenPreferences open;
    ASSERT_TRUE(open.dialog);
    EXPECT_EQ(ItemText(open.dialog, IDC_MIN_LIKELINESS), "50");
    EXPECT_EQ(ItemText(open.dialog, IDC_THRESHOLD), "95");
    EXPECT_EQ(ItemText(open.dialog, IDC_CODE_PAGE), "1252 - Western European");
    EXPECT_TRUE(open.Checked(IDC_COMMENT_PERFECT));
    EXPECT_FALSE(open.Checked(IDC_COMMENT_NONE));
    EXPECT_TRUE(open.Checked(IDC_COMPARE_SOUND));
    for (int id : {IDC_LINE_INFO_ONLY, IDC_GENERATE_PATCH, IDC_WRITE_REVIEW, IDC_KEEP_GOING,
                   IDC_REFERENCE_FOLDERS, IDC_INCLUDE_SUB_FOLDERS, IDC_PREFER_SAME_ID}) {
        EXPECT_FALSE(open.Checked(id)) << id;
    }
    EXPECT_TRUE(Enabled(open.dialog, IDC_REFERENCE_FOLDERS));
}

// The buttons beside the groups stay clear of them (Restore defaults once
// covered the further pairs' group box).
TEST(PreferencesWindow, NoButtonOverlapsAGroupBox) {
    OpenPreferences open;
    auto place = [&](int id) {
        RECT area;
        GetWindowRect(GetDlgItem(open.dialog, id), &area);
        return area;
    };
    for (int button : {IDOK, IDCANCEL, IDC_RESTORE_DEFAULTS}) {
        for (int group :
             {IDC_DATA_OUTPUT_GROUP, IDC_COMMENTS_GROUP, IDC_MISCELLANEOUS_GROUP, IDC_PATCH_GROUP,
              IDC_REVIEW_GROUP, IDC_FAILURES_GROUP, IDC_FURTHER_PAIRS_GROUP}) {
            const RECT one = place(button);
            const RECT other = place(group);
            RECT common;
            EXPECT_FALSE(IntersectRect(&common, &one, &other)) << button << " over " << group;
        }
    }
}

// The template's texts give way to the form's: the hint is made from the
// threshold's range, the check boxes read as in the Qt window.
TEST(PreferencesWindow, TheLabelsAreTheForms) {
    OpenPreferences open;
    EXPECT_EQ(ItemText(open.dialog, IDC_THRESHOLD_NOTE), ThresholdHint());
    EXPECT_EQ(ItemText(open.dialog, IDC_WRITE_REVIEW), CheckLabel(PreferencesCheck::WriteReview));
    EXPECT_EQ(ItemText(open.dialog, IDC_INCLUDE_SUB_FOLDERS),
              CheckLabel(PreferencesCheck::IncludeSubFolders));
    EXPECT_EQ(ItemText(open.dialog, IDC_PREFER_SAME_ID),
              CheckLabel(PreferencesCheck::PreferSameId));
    EXPECT_EQ(ItemText(open.dialog, IDC_COMMENT_MISSING), CommentLabel(CommentMissingMatch));
    EXPECT_EQ(SendDlgItemMessageA(open.dialog, IDC_CODE_PAGE, CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(OfferedCodePages.size()));
}

TEST(PreferencesWindow, OkHandsBackEveryChangedValue) {
    OpenPreferences open;
    SetItemText(open.dialog, IDC_MIN_LIKELINESS, " 12.5 ");
    SetItemText(open.dialog, IDC_THRESHOLD, "90");
    SetItemText(open.dialog, IDC_CODE_PAGE, "1251 - Cyrillic");
    CheckRadioButton(open.dialog, IDC_COMMENT_NONE, IDC_COMMENT_MISSING, IDC_COMMENT_MISSING);
    for (int id :
         {IDC_LINE_INFO_ONLY, IDC_GENERATE_PATCH, IDC_WRITE_REVIEW, IDC_KEEP_GOING,
          IDC_REFERENCE_FOLDERS, IDC_INCLUDE_SUB_FOLDERS, IDC_COMPARE_SOUND, IDC_PREFER_SAME_ID}) {
        Click(open.dialog, id);
    }
    Click(open.dialog, IDOK);
    EXPECT_EQ(open.window.Ended(), IDOK);
    EXPECT_TRUE(open.boxes.boxes.empty());

    PreferencesValues expected;
    expected.options.search.minLikeliness = 12.5;
    expected.options.veryLikelyThreshold = 90;
    expected.options.codePage = 1251;
    expected.options.commentMode = CommentMissingMatch;
    expected.options.lineInfoOnly = true;
    expected.options.generatePatch = true;
    expected.options.writeReview = true;
    expected.options.keepGoing = true;
    expected.options.includeSubFolders = true;
    expected.options.preferSameId = true;
    expected.options.search.compareSound = false;
    expected.referenceFolders = true;
    EXPECT_EQ(open.window.Values(), expected);
}

// Each problem of the form is a box; the dialog stays.
TEST(PreferencesWindow, TheFormsProblemsAreToldAndTheDialogStays) {
    OpenPreferences open;
    SetItemText(open.dialog, IDC_MIN_LIKELINESS, "-1");
    SetItemText(open.dialog, IDC_THRESHOLD, "89.99");
    Click(open.dialog, IDOK);
    EXPECT_FALSE(open.window.Ended());
    EXPECT_EQ(open.Texts(),
              (std::vector<std::string>{"Minimum likeliness must be between 0 and 100",
                                        "Likeliness threshold must be between 90 and 100"}));
    EXPECT_EQ(open.boxes.boxes[0].caption, "Invalid value");
    EXPECT_EQ(ItemText(open.dialog, IDC_THRESHOLD), "89.99");  // what the user typed stays
}

TEST(PreferencesWindow, TextThatIsNoNumberIsToldAndSelectedForRetyping) {
    OpenPreferences open;
    SetItemText(open.dialog, IDC_THRESHOLD, "95,5");
    Click(open.dialog, IDOK);
    EXPECT_FALSE(open.window.Ended());
    EXPECT_EQ(open.Texts(), std::vector<std::string>{"Please enter a number."});
    EXPECT_EQ(GetFocus(), GetDlgItem(open.dialog, IDC_THRESHOLD));
    DWORD start = 0;
    DWORD end = 0;
    SendDlgItemMessageA(open.dialog, IDC_THRESHOLD, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 4u);
}

TEST(PreferencesWindow, RestoreDefaultsPutsTheDefaultsIntoTheFieldsOnly) {
    PreferencesValues changed;
    changed.options.search.minLikeliness = 70;
    changed.options.commentMode = CommentNone;
    changed.referenceFolders = true;
    OpenPreferences open(changed);
    EXPECT_EQ(ItemText(open.dialog, IDC_MIN_LIKELINESS), "70");
    EXPECT_TRUE(open.Checked(IDC_COMMENT_NONE));
    Click(open.dialog, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(ItemText(open.dialog, IDC_MIN_LIKELINESS), "50");
    EXPECT_TRUE(open.Checked(IDC_COMMENT_PERFECT));
    EXPECT_FALSE(open.Checked(IDC_REFERENCE_FOLDERS));
    EXPECT_EQ(open.window.Values(), changed);
    Click(open.dialog, IDCANCEL);
    EXPECT_EQ(open.window.Ended(), IDCANCEL);
    EXPECT_EQ(open.window.Values(), changed);
}

std::vector<std::string> ListedPairs(HWND dialog) {
    std::vector<std::string> listed;
    const auto count = SendDlgItemMessageA(dialog, IDC_FURTHER_PAIRS, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[512] = {};
        SendDlgItemMessageA(dialog, IDC_FURTHER_PAIRS, LB_GETTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text));
        listed.emplace_back(text);
    }
    return listed;
}

void AddPair(HWND dialog, const std::string& original, const std::string& translated) {
    SetItemText(dialog, IDC_FURTHER_ORIGINAL, original);
    SetItemText(dialog, IDC_FURTHER_TRANSLATED, translated);
    Click(dialog, IDC_ADD_PAIR);
}

TEST(PreferencesWindow, ListedReferencePairsAreHandedBackInTheirOrder) {
    const std::string examples = WORDGLEANER_EXAMPLES;
    PreferencesValues initial;
    initial.furtherPairs = {{"C:\\en\\a.tra", "C:\\fr\\a.tra"}};
    OpenPreferences open(initial);
    EXPECT_EQ(ListedPairs(open.dialog),
              std::vector<std::string>{"C:\\en\\a.tra  =>  C:\\fr\\a.tra"});
    AddPair(open.dialog, examples + "/reference", examples + "/mod");
    AddPair(open.dialog, examples + "/reference/english.tra", examples + "/reference/french.tra");
    EXPECT_EQ(ListedPairs(open.dialog).size(), 3u);
    EXPECT_EQ(ItemText(open.dialog, IDC_FURTHER_ORIGINAL), "");  // ready for the next pair

    SendDlgItemMessageA(open.dialog, IDC_FURTHER_PAIRS, LB_SETCURSEL, 0, 0);
    Click(open.dialog, IDC_REMOVE_PAIR);
    Click(open.dialog, IDOK);
    ASSERT_EQ(open.window.Ended(), IDOK);
    EXPECT_EQ(open.window.Values().furtherPairs,
              (ReferencePairs{
                  {examples + "/reference", examples + "/mod"},
                  {examples + "/reference/english.tra", examples + "/reference/french.tra"}}));
}

// As in the Qt window's pair dialog: both sides, of one kind, on the disk.
TEST(PreferencesWindow, AHalfMixedOrMissingPairIsRefusedAndListsNothing) {
    const std::string examples = WORDGLEANER_EXAMPLES;
    OpenPreferences open;
    AddPair(open.dialog, examples + "/reference/english.tra", "");
    AddPair(open.dialog, examples + "/reference/english.tra", examples + "/reference/german.tra");
    AddPair(open.dialog, examples + "/reference/english.tra", examples + "/mod");
    EXPECT_TRUE(ListedPairs(open.dialog).empty());
    EXPECT_EQ(open.Texts(), (std::vector<std::string>{
                                "A reference pair needs both an original and a translated "
                                "reference",
                                "There is no file or folder " + examples + "/reference/german.tra",
                                "A reference pair must be two files or two folders: " + examples +
                                    "/reference/english.tra and " + examples + "/mod"}));
    EXPECT_EQ(GetFocus(), GetDlgItem(open.dialog, IDC_FURTHER_TRANSLATED));
    Click(open.dialog, IDC_RESTORE_DEFAULTS);
    Click(open.dialog, IDOK);
    EXPECT_TRUE(open.window.Values().furtherPairs.empty());
}

}  // namespace
