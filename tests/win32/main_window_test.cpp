// The main window driven with window messages, as a user drives it: typed
// paths, the buttons, the Preferences run from it, whole runs and a stop.

#include "win32/main_window.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "frontend/main_window_labels.h"
#include "support/check_point_hold.h"
#include "support/temp_dir.h"
#include "win32/path_browse_field.h"
#include "win32/resource_ids.h"
#include "window_driver.h"

using namespace wordgleaner;
using namespace wordgleaner::test_support;

namespace {

const std::string Examples = WORDGLEANER_EXAMPLES;

struct OpenWindow {
    FakeMessageBoxes boxes;
    std::vector<std::string> opened;
    bool openSucceeds = true;
    MainWindow window;
    HWND dialog;

    explicit OpenWindow(JobHooks hooks = {}, std::string settingsFile = {})
        : window({boxes, std::move(settingsFile),
                  [this](const std::string& target) {
                      opened.push_back(target);
                      return openSucceeds;
                  },
                  std::move(hooks)}),
          dialog(window.OpenModeless(nullptr)) {}

    void SetPaths(const std::string& destination) {
        SetItemText(dialog, IDC_REFERENCE_ORIGINAL, Examples + "/reference/english.tra");
        SetItemText(dialog, IDC_REFERENCE_TRANSLATED, Examples + "/reference/french.tra");
        SetItemText(dialog, IDC_MOD_DIRECTORY, Examples + "/mod");
        SetItemText(dialog, IDC_DESTINATION_DIRECTORY, destination);
    }

    bool RunToTheEnd() {
        Click(dialog, IDC_IMPORT);
        return PumpUntil([this] { return !window.JobRunning(); });
    }
};

// The inputs a running job keeps away from the user.
void ExpectInputsEnabled(HWND dialog, bool enabled) {
    for (int id : {IDC_REFERENCE_ORIGINAL, IDC_REFERENCE_TRANSLATED, IDC_MOD_DIRECTORY,
                   IDC_DESTINATION_DIRECTORY, IDC_REFERENCE_ORIGINAL + IDC_BROWSE_OFFSET,
                   IDC_DESTINATION_DIRECTORY + IDC_BROWSE_OFFSET, IDC_REVIEW_DECISIONS,
                   IDC_REVIEW_DECISIONS + IDC_BROWSE_OFFSET, IDC_IMPORT, IDC_PREFERENCES}) {
        EXPECT_EQ(Enabled(dialog, id), enabled) << id;
    }
}

std::string ReadAll(const std::filesystem::path& file) {
    return TempDir::Read(file.string());
}

TEST(MainWindow, OpensIdleWithEmptyFieldsAndBarsAtZero) {
    OpenWindow open;
    ASSERT_TRUE(open.dialog);
    EXPECT_EQ(WindowText(open.dialog), "Wordgleaner");
    EXPECT_EQ(ItemText(open.dialog, IDCANCEL), "&Quit");
    ExpectInputsEnabled(open.dialog, true);
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_ORIGINAL), "");
    EXPECT_EQ(BarPosition(open.dialog, IDC_FILES_BAR), 0);
    EXPECT_EQ(ItemText(open.dialog, IDC_ENTRIES_BAR), "");
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_TRANSLATED_LABEL),
              "Reference tra file in &destination language (translated)");
    EXPECT_EQ(ItemText(open.dialog, IDC_FILES_BAR_LABEL), FilesBarLabel);
    char about[64] = {};
    GetMenuStringA(GetSystemMenu(open.dialog, FALSE), 0x0010, about, sizeof about, MF_BYCOMMAND);
    EXPECT_STREQ(about, "&About Wordgleaner...");
}

// The controller's checks and boxes are the window's: a field of blanks is
// empty, told in the window's box, and gets the focus.
TEST(MainWindow, TheFieldTheControllerNamesGetsTheFocus) {
    OpenWindow open;
    TempDir out;
    open.SetPaths(out.Path().string());
    SetItemText(open.dialog, IDC_MOD_DIRECTORY, "  ");
    Click(open.dialog, IDC_IMPORT);
    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_EQ(open.boxes.boxes[0].caption, "Failure");
    EXPECT_NE(open.boxes.boxes[0].text.find(
                  "\"Directory of mod tra files in original language\" is empty"),
              std::string::npos);
    EXPECT_EQ(GetFocus(), GetDlgItem(open.dialog, IDC_MOD_DIRECTORY));
    EXPECT_FALSE(open.window.JobRunning());
    ExpectInputsEnabled(open.dialog, true);
}

TEST(MainWindow, TheControllersQuestionIsTheWindowsYesNoBox) {
    OpenWindow open;
    open.SetPaths(Examples + "/mod");
    Click(open.dialog, IDC_IMPORT);
    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_EQ(open.boxes.boxes[0].caption, "Replace files?");
    EXPECT_EQ(open.boxes.boxes[0].buttons, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_FALSE(open.window.JobRunning());
}

// The output folder can be given from outside, so that the Windows stage of
// scripts/test compares the window's files with those of the command line
// on Linux.
std::filesystem::path WholeRunOutput(const TempDir& fallback) {
    const char* given = std::getenv("WORDGLEANER_WINDOW_OUTPUT");
    return given && *given ? std::filesystem::path(given) : fallback.Path();
}

TEST(MainWindow, AWholeRunWithThePatchFromThePreferencesWritesWhatTheJobWrites) {
    OpenWindow open;
    open.boxes.askAnswer = 0;  // Open destination folder
    TempDir fallback;
    const std::filesystem::path out = WholeRunOutput(fallback);
    std::filesystem::create_directories(out);
    open.SetPaths(out.string());
    {
        ModalAnswer answer(open.dialog, "Preferences", [](HWND preferences) {
            CheckDlgButton(preferences, IDC_GENERATE_PATCH, BST_CHECKED);
            Click(preferences, IDOK);
        });
        Click(open.dialog, IDC_PREFERENCES);
        EXPECT_TRUE(answer.Answered());
    }
    ASSERT_TRUE(open.window.CurrentPreferences().options.generatePatch);

    Click(open.dialog, IDC_IMPORT);
    EXPECT_EQ(ItemText(open.dialog, IDCANCEL), "&Abort");
    ExpectInputsEnabled(open.dialog, false);
    ASSERT_TRUE(PumpUntil([&] { return !open.window.JobRunning(); }));

    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    const auto& end = open.boxes.boxes[0];
    EXPECT_EQ(end.caption, "Success");
    EXPECT_EQ(end.text.rfind("Updated the tra files\n\n", 0), 0u) << end.text;
    EXPECT_NE(end.text.find(" files done, "), std::string::npos) << end.text;
    EXPECT_EQ(end.buttons, (std::vector<std::string>{"Open destination folder", "Close"}));
    ASSERT_EQ(open.opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::equivalent(open.opened[0], out));
    EXPECT_EQ(BarPosition(open.dialog, IDC_FILES_BAR), 100);
    EXPECT_EQ(ItemText(open.dialog, IDC_FILES_BAR), open.window.Job().Snapshot().progressText);
    EXPECT_EQ(ItemText(open.dialog, IDCANCEL), "&Quit");
    ExpectInputsEnabled(open.dialog, true);

    // The same run straight through the job.
    TempDir direct;
    RecoveryOptions options;
    options.generatePatch = true;
    RecoveryJob job;
    ASSERT_TRUE(job.Start(Examples + "/reference/english.tra", Examples + "/reference/french.tra",
                          Examples + "/mod", direct.Path().string(), options));
    job.WaitForEnd();
    int files = 0;
    for (const auto& written : std::filesystem::directory_iterator(direct.Path())) {
        EXPECT_EQ(ReadAll(out / written.path().filename()), ReadAll(written.path()))
            << written.path().filename();
        ++files;
    }
    EXPECT_EQ(files, 5);  // three tra files, the patch and the report
}

// The check box of Preferences reaches the run, which recovers the mod
// folder's sub-folder into the same sub-folder; without it, the end box
// names what was left out.
TEST(MainWindow, IncludeSubFoldersFromThePreferencesReachesTheRun) {
    OpenWindow open;
    TempDir folders;
    folders.Write("mod/dialog.tra", ReadAll(Examples + "/mod/dialog.tra"));
    folders.Write("mod/d/items.tra", ReadAll(Examples + "/mod/items.tra"));
    std::filesystem::create_directory(folders.Path() / "out");
    open.SetPaths(folders / "out");
    SetItemText(open.dialog, IDC_MOD_DIRECTORY, folders / "mod");
    ASSERT_TRUE(open.RunToTheEnd());
    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_NE(open.boxes.boxes[0].text.find("\n\nSub-folders were left out: d (1 tra file). "),
              std::string::npos)
        << open.boxes.boxes[0].text;
    EXPECT_FALSE(std::filesystem::exists(folders.Path() / "out/d"));
    {
        ModalAnswer answer(open.dialog, "Preferences", [](HWND preferences) {
            Click(preferences, IDC_INCLUDE_SUB_FOLDERS);
            Click(preferences, IDOK);
        });
        Click(open.dialog, IDC_PREFERENCES);
        EXPECT_TRUE(answer.Answered());
    }
    open.boxes.confirmAnswer = true;  // the first run's files are replaced
    ASSERT_TRUE(open.RunToTheEnd());
    EXPECT_TRUE(open.window.Job().Inputs().options.includeSubFolders);
    ASSERT_EQ(open.boxes.boxes.size(), 3u);
    EXPECT_EQ(open.boxes.boxes[1].caption, "Replace files?");
    EXPECT_EQ(open.boxes.boxes[2].text.find("left out"), std::string::npos);
    EXPECT_NE(ReadAll(folders.Path() / "out/d/items.tra").find("// Wordgleaner: "),
              std::string::npos);
}

// A run on the examples whose worker is held before the given mod file
// (counted from 1), so that the test acts on it at that exact point.
struct HeldRun {
    CheckPointHold hold;
    OpenWindow open;
    TempDir out;

    explicit HeldRun(int beforeFile)
        : open({[this](CheckPoint point) {
              hold.Pass(point);
              return false;
          }}) {
        hold.Arm(CheckPoint::BeforeFile, beforeFile);
        open.SetPaths(out.Path().string());
    }

    bool StartAndHold() {
        Click(open.dialog, IDC_IMPORT);
        return hold.WaitUntilHeld();
    }
};

TEST(MainWindow, AbortStopsTheRunAndTheWindowTellsWhatItLeft) {
    HeldRun run(3);
    OpenWindow& open = run.open;
    CheckPointHold& hold = run.hold;
    ASSERT_TRUE(run.StartAndHold());
    // A poll sees the run standing after the second file, with both bars moved.
    ASSERT_TRUE(PumpUntil([&] { return BarPosition(open.dialog, IDC_FILES_BAR) > 0; }));
    EXPECT_EQ(BarPosition(open.dialog, IDC_FILES_BAR), 33);
    EXPECT_TRUE(ItemText(open.dialog, IDC_FILES_BAR).starts_with("File 2 of 3"))
        << ItemText(open.dialog, IDC_FILES_BAR);
    EXPECT_GT(BarPosition(open.dialog, IDC_ENTRIES_BAR), 0);

    Click(open.dialog, IDCANCEL);  // reads "&Abort"
    EXPECT_TRUE(IsWindow(open.dialog));
    EXPECT_EQ(ItemText(open.dialog, IDCANCEL), "&Abort");
    hold.Release();
    ASSERT_TRUE(PumpUntil([&] { return !open.window.JobRunning(); }));

    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_EQ(open.boxes.boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(open.boxes.boxes[0].caption, "Stopped");
    EXPECT_EQ(open.boxes.boxes[0].text, "Stopped after 2 of 3 files.");
    EXPECT_TRUE(IsWindow(open.dialog));
    EXPECT_EQ(ItemText(open.dialog, IDCANCEL), "&Quit");
    ExpectInputsEnabled(open.dialog, true);
    // The bars say what the box says, at the share of the files done.
    EXPECT_EQ(ItemText(open.dialog, IDC_FILES_BAR), "Stopped after 2 of 3 files");
    EXPECT_EQ(BarPosition(open.dialog, IDC_FILES_BAR), 66);
    EXPECT_EQ(ItemText(open.dialog, IDC_ENTRIES_BAR), "");

    // The next run replaces that run's files only after a Yes, and starts
    // with empty bars.
    Click(open.dialog, IDC_IMPORT);
    ASSERT_EQ(open.boxes.boxes.size(), 2u);
    EXPECT_EQ(open.boxes.boxes[1].caption, "Replace files?");
    EXPECT_NE(open.boxes.boxes[1].text.find(" holds 3 files "), std::string::npos)
        << open.boxes.boxes[1].text;
    EXPECT_EQ(open.boxes.boxes[1].preferred, DefaultAnswer::No);
    EXPECT_FALSE(open.window.JobRunning());
    open.boxes.confirmAnswer = true;
    hold.Arm(CheckPoint::AfterOriginalReference);
    Click(open.dialog, IDC_IMPORT);
    ASSERT_TRUE(hold.WaitUntilHeld());
    EXPECT_EQ(BarPosition(open.dialog, IDC_FILES_BAR), 0);
    EXPECT_EQ(ItemText(open.dialog, IDC_FILES_BAR), "");
    EXPECT_EQ(ItemText(open.dialog, IDC_ENTRIES_BAR), "");
    hold.Release();
    ASSERT_TRUE(PumpUntil([&] { return !open.window.JobRunning(); }));
}

TEST(MainWindow, AMissingDestinationIsCreatedAfterTheQuestionAndTheRunGoesOn) {
    OpenWindow open;
    TempDir root;
    const std::string destination = (root.Path() / "new" / "out").string();
    open.SetPaths(destination);
    open.boxes.confirmAnswer = true;
    ASSERT_TRUE(open.RunToTheEnd());
    ASSERT_EQ(open.boxes.boxes.size(), 2u);
    EXPECT_EQ(open.boxes.boxes[0].caption, "Create folder?");
    EXPECT_EQ(open.boxes.boxes[0].preferred, DefaultAnswer::Yes);
    EXPECT_EQ(open.boxes.boxes[1].caption, "Success");
    EXPECT_TRUE(std::filesystem::exists(root.Path() / "new" / "out" / "Wordgleaner_report.txt"));
}

TEST(MainWindow, AFolderThatCannotBeOpenedIsToldWithItsFullPath) {
    OpenWindow open;
    open.boxes.askAnswer = 0;  // Open destination folder
    open.openSucceeds = false;
    TempDir out;
    open.SetPaths(out.Path().string());
    ASSERT_TRUE(open.RunToTheEnd());
    ASSERT_EQ(open.boxes.boxes.size(), 2u);
    ASSERT_EQ(open.opened.size(), 1u);
    EXPECT_TRUE(std::filesystem::path(open.opened[0]).is_absolute()) << open.opened[0];
    EXPECT_EQ(open.boxes.boxes[1].icon, MessageIcon::Warning);
    EXPECT_EQ(open.boxes.boxes[1].text.rfind("Could not open\n\n" + open.opened[0] + "\n\n", 0), 0u)
        << open.boxes.boxes[1].text;
}

bool SignShown(HWND dialog, int editId) {
    HWND sign = GetDlgItem(GetDlgItem(dialog, editId), IDC_PATH_SIGN);
    return sign && IsWindowVisible(sign);
}

// A sign marks a path that named nothing when it was typed; the window
// looks again when it gets the focus back, since the disk may have changed.
TEST(MainWindow, AStaleSignGoesWhenTheWindowIsActivatedAgain) {
    OpenWindow open;
    TempDir root;
    const std::filesystem::path later = root.Path() / "later";
    open.SetPaths(later.string());
    EXPECT_TRUE(SignShown(open.dialog, IDC_DESTINATION_DIRECTORY));
    EXPECT_FALSE(SignShown(open.dialog, IDC_MOD_DIRECTORY));
    std::filesystem::create_directory(later);
    EXPECT_TRUE(SignShown(open.dialog, IDC_DESTINATION_DIRECTORY));
    SendMessageA(open.dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(SignShown(open.dialog, IDC_DESTINATION_DIRECTORY));
    SetItemText(open.dialog, IDC_MOD_DIRECTORY, (root.Path() / "no mod").string());  // typed
    EXPECT_TRUE(SignShown(open.dialog, IDC_MOD_DIRECTORY));
}

TEST(MainWindow, TheCloseBoxDuringARunOnlyAsksForAStopThenClosesWhenIdle) {
    HeldRun run(1);
    OpenWindow& open = run.open;
    CheckPointHold& hold = run.hold;
    ASSERT_TRUE(run.StartAndHold());
    SendMessageA(open.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return open.window.Job().Snapshot().abortRequested; }));
    EXPECT_TRUE(IsWindow(open.dialog));
    hold.Release();
    ASSERT_TRUE(PumpUntil([&] { return !open.window.JobRunning(); }));
    EXPECT_EQ(open.boxes.boxes.back().caption, "Stopped");

    SendMessageA(open.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return open.window.Ended().has_value(); }));
    EXPECT_EQ(open.window.Ended(), IDCANCEL);
}

TEST(MainWindow, PreferencesLeftWithCancelChangeNothing) {
    OpenWindow open;
    ModalAnswer answer(open.dialog, "Preferences", [](HWND preferences) {
        CheckRadioButton(preferences, IDC_COMMENT_NONE, IDC_COMMENT_MISSING, IDC_COMMENT_NONE);
        SetItemText(preferences, IDC_MIN_LIKELINESS, "70");
        Click(preferences, IDCANCEL);
    });
    Click(open.dialog, IDC_PREFERENCES);
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(open.window.CurrentPreferences(), PreferencesValues());
}

// A drop message as Explorer sends it: one file, at a point of the dialog.
HGLOBAL DropOf(const std::string& file, POINT point) {
    const std::size_t size = sizeof(DROPFILES) + file.size() + 2;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = FALSE;
    file.copy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), file.size());
    GlobalUnlock(memory);
    return memory;
}

void DropOnto(HWND dialog, const std::string& file, POINT point) {
    SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(file, point)), 0);
}

POINT CentreOf(HWND dialog, int id) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, id), &area);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

TEST(MainWindow, TheListedPairsAreSearchedAfterTheFieldsPair) {
    OpenWindow open;
    const std::string extra = Examples + "/reference/english.tra";
    ModalAnswer answer(open.dialog, "Preferences", [&extra](HWND preferences) {
        SetItemText(preferences, IDC_FURTHER_ORIGINAL, extra);
        SetItemText(preferences, IDC_FURTHER_TRANSLATED, extra);
        Click(preferences, IDC_ADD_PAIR);
        Click(preferences, IDOK);
    });
    Click(open.dialog, IDC_PREFERENCES);
    TempDir out;
    open.SetPaths(out.Path().string());
    ASSERT_TRUE(open.RunToTheEnd());
    EXPECT_EQ(
        open.window.Job().Inputs().references,
        (ReferencePairs{{Examples + "/reference/english.tra", Examples + "/reference/french.tra"},
                        {extra, extra}}));
}

TEST(MainWindow, ReferenceFoldersTurnTheReferenceFieldsIntoFolderFields) {
    OpenWindow open;
    ModalAnswer answer(open.dialog, "Preferences", [](HWND preferences) {
        CheckDlgButton(preferences, IDC_REFERENCE_FOLDERS, BST_CHECKED);
        Click(preferences, IDOK);
    });
    Click(open.dialog, IDC_PREFERENCES);
    EXPECT_TRUE(open.window.CurrentPreferences().referenceFolders);
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_ORIGINAL_LABEL),
              "&Reference directory of tra files in original language");
    // The reference fields now take folders dropped onto them, and refuse files.
    const POINT onReference = CentreOf(open.dialog, IDC_REFERENCE_ORIGINAL);
    DropOnto(open.dialog, Examples + "/reference", onReference);
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_ORIGINAL), Examples + "/reference");
    DropOnto(open.dialog, Examples + "/reference/english.tra", onReference);
    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_EQ(open.boxes.boxes[0].text, "Drop one folder here: " + Examples +
                                            "/reference/english.tra is a file, not a folder");
}

// The chooser offers tra files and string tables, then all files; a string
// table dropped onto a reference field is taken.
TEST(MainWindow, TheReferenceFieldsOfferAndTakeStringTablesBesideTraFiles) {
    using namespace std::string_literals;
    EXPECT_EQ(ReferenceFileFilter(),
              "Tra files and string tables (*.tra;*.tlk)\0*.tra;*.tlk\0"
              "All files (*.*)\0*.*\0\0"s);

    OpenWindow open;
    const std::string table = Examples + "/game/lang/fr_FR/dialog.tlk";
    DropOnto(open.dialog, table, CentreOf(open.dialog, IDC_REFERENCE_TRANSLATED));
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_TRANSLATED), table);
    EXPECT_TRUE(open.boxes.boxes.empty());
}

TEST(MainWindow, ADroppedFolderGoesIntoTheFieldItWasDroppedOn) {
    OpenWindow open;
    const POINT onMod = CentreOf(open.dialog, IDC_MOD_DIRECTORY + IDC_BROWSE_OFFSET);
    DropOnto(open.dialog, Examples + "/mod", onMod);
    EXPECT_EQ(ItemText(open.dialog, IDC_MOD_DIRECTORY), Examples + "/mod");
    EXPECT_EQ(ItemText(open.dialog, IDC_REFERENCE_ORIGINAL), "");

    DropOnto(open.dialog, Examples + "/reference", POINT{1, 1});  // on no field
    EXPECT_EQ(ItemText(open.dialog, IDC_MOD_DIRECTORY), Examples + "/mod");
    EXPECT_TRUE(open.boxes.boxes.empty());

    DropOnto(open.dialog, Examples + "/nothing", onMod);
    EXPECT_EQ(ItemText(open.dialog, IDC_MOD_DIRECTORY), Examples + "/mod");
    ASSERT_EQ(open.boxes.boxes.size(), 1u);
    EXPECT_EQ(open.boxes.boxes[0].text,
              "Drop one folder here: There is no folder " + Examples + "/nothing");
}

TEST(MainWindow, PathsSettingsAndSizeAreRememberedBetweenRuns) {
    TempDir folder;
    const std::string ini = folder / "Wordgleaner.ini";
    RECT grown;
    {
        OpenWindow first({}, ini);
        first.SetPaths("\"C:\\out\"");  // quoted, as Explorer's "Copy as path" gives it
        SetItemText(first.dialog, IDC_REVIEW_DECISIONS, "C:\\review\\Wordgleaner_decisions.csv");
        GetWindowRect(first.dialog, &grown);
        SetWindowPos(first.dialog, nullptr, 0, 0, grown.right - grown.left + 100,
                     grown.bottom - grown.top, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(first.dialog, &grown);
        Click(first.dialog, IDCANCEL);
        EXPECT_EQ(first.window.Ended(), IDCANCEL);
    }
    EXPECT_NE(TempDir::Read(ini).find("destinationDirectory=C:\\out"), std::string::npos);
    OpenWindow second({}, ini);
    EXPECT_EQ(ItemText(second.dialog, IDC_DESTINATION_DIRECTORY), "C:\\out");
    EXPECT_EQ(ItemText(second.dialog, IDC_REVIEW_DECISIONS),
              "C:\\review\\Wordgleaner_decisions.csv");
    EXPECT_EQ(ItemText(second.dialog, IDC_MOD_DIRECTORY), Examples + "/mod");
    RECT restored;
    GetWindowRect(second.dialog, &restored);
    EXPECT_EQ(restored.right - restored.left, grown.right - grown.left);
}

RECT ScreenRect(HWND window) {
    RECT area;
    GetWindowRect(window, &area);
    return area;
}

// A control's place in the dialog's client coordinates.
RECT ItemPlace(HWND dialog, int id) {
    RECT area = ScreenRect(GetDlgItem(dialog, id));
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void Resize(HWND window, LONG width, LONG height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

LONG Width(const RECT& area) {
    return area.right - area.left;
}

LONG Height(const RECT& area) {
    return area.bottom - area.top;
}

TEST(MainWindow, GrowingTheWindowStretchesTheFieldsAndKeepsTheButtonsRight) {
    OpenWindow open;
    const RECT field = ItemPlace(open.dialog, IDC_MOD_DIRECTORY);
    const RECT import = ItemPlace(open.dialog, IDC_IMPORT);
    const RECT window = ScreenRect(open.dialog);
    Resize(open.dialog, Width(window) + 80, Height(window) + 40);
    EXPECT_EQ(Width(ItemPlace(open.dialog, IDC_MOD_DIRECTORY)), Width(field) + 80);
    EXPECT_EQ(ItemPlace(open.dialog, IDC_IMPORT).left, import.left + 80);

    // Narrower than the template made it, never lower, and every label
    // still shows its text whole.
    Resize(open.dialog, 50, 50);
    EXPECT_LT(Width(ScreenRect(open.dialog)), Width(window));
    EXPECT_EQ(Height(ScreenRect(open.dialog)), Height(window));
    for (int id : {IDC_REFERENCE_ORIGINAL_LABEL, IDC_REFERENCE_TRANSLATED_LABEL,
                   IDC_MOD_DIRECTORY_LABEL, IDC_DESTINATION_DIRECTORY_LABEL}) {
        HWND label = GetDlgItem(open.dialog, id);
        HDC dc = GetDC(label);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        const std::string text = ItemText(open.dialog, id);
        RECT needed = {};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_SINGLELINE);
        ReleaseDC(label, dc);
        EXPECT_GE(Width(ItemPlace(open.dialog, id)), needed.right) << text;
    }
    EXPECT_LT(ItemPlace(open.dialog, IDC_MOD_DIRECTORY).right,
              ItemPlace(open.dialog, IDC_IMPORT).left);
}

// Windows scales a dialog's controls on a monitor of another DPI; the
// layout's places scale with them, so a resize keeps them where they are.
TEST(MainWindow, OnAMonitorOfTwiceTheDpiTheLayoutScalesWithTheWindow) {
    OpenWindow open;
    const RECT window = ScreenRect(open.dialog);
    const RECT import = ItemPlace(open.dialog, IDC_IMPORT);
    HDC dc = GetDC(open.dialog);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(open.dialog, dc);

    RECT suggested = {window.left, window.top, window.left + 2 * Width(window),
                      window.top + 2 * Height(window)};
    SendMessageA(open.dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT moved = ItemPlace(open.dialog, IDC_IMPORT);
    EXPECT_EQ(Width(moved), 2 * Width(import));
    EXPECT_EQ(Height(moved), 2 * Height(import));
    // The smallest size doubles too.
    Resize(open.dialog, 10, 10);
    EXPECT_GT(Width(ScreenRect(open.dialog)), Width(window));
}

}  // namespace
