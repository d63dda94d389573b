// The About box's version, read from the program file, and the percent bar
// driven with its requests.

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "win32/about_window.h"
#include "win32/percent_bar.h"
#include "win32/resource_ids.h"
#include "window_driver.h"

using namespace wordgleaner;
using namespace wordgleaner::test_support;

namespace {

TEST(AboutWindow, ShowsTheVersionThisProgramWasBuiltWith) {
    AboutWindow about;
    HWND dialog = about.OpenModeless(nullptr);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ItemText(dialog, IDC_VERSION_TEXT), WORDGLEANER_VERSION);
    const std::string description = ItemText(dialog, IDC_ABOUT_DESCRIPTION);
    EXPECT_EQ(description.rfind("Carries existing translations over", 0), 0u) << description;
    EXPECT_NE(description.find("MIT licence. Documentation: README.md beside wordgleaner.exe"),
              std::string::npos)
        << description;
    Click(dialog, IDOK);
    EXPECT_EQ(about.Ended(), IDOK);
}

TEST(AboutWindow, AFileWithoutVersionRecordHasNoVersion) {
    TempDir dir;
    EXPECT_EQ(ReadFileVersion(dir.Write("plain.txt", "no version here")), std::nullopt);
    EXPECT_EQ(ReadFileVersion(dir / "missing.exe"), std::nullopt);
}

// A bar in a window of its own, 200 pixels wide inside.
struct OwnBar {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20,
                                   parent, nullptr, nullptr, nullptr);
    PercentBar bar;

    OwnBar() { bar.Attach(control); }
    ~OwnBar() { DestroyWindow(parent); }

    COLORREF PixelAt(int x) const {
        UpdateWindow(control);
        HDC dc = GetDC(control);
        const COLORREF colour = GetPixel(dc, x, 1);
        ReleaseDC(control, dc);
        return colour;
    }
};

TEST(PercentBar, AnswersThePositionRequestsItself) {
    OwnBar own;
    EXPECT_EQ(SendMessageA(own.control, PBM_SETPOS, 50, 0), 0);
    EXPECT_EQ(SendMessageA(own.control, PBM_SETPOS, 150, 0), 50);  // stored as given
    EXPECT_EQ(SendMessageA(own.control, PBM_GETPOS, 0, 0), 150);
    EXPECT_EQ(SendMessageA(own.control, PBM_GETRANGE, FALSE, 0), 100);
    SendMessageA(own.control, PBM_SETRANGE32, 0, 3);
    EXPECT_EQ(SendMessageA(own.control, PBM_GETRANGE, TRUE, 0), 0);
}

TEST(PercentBar, KeepsTheOwnersTextAndGivesItBack) {
    OwnBar own;
    SetWindowTextA(own.control, "File 2 of 3: items.tra");
    EXPECT_EQ(WindowText(own.control), "File 2 of 3: items.tra");
    char small[5] = {};
    EXPECT_EQ(GetWindowTextA(own.control, small, sizeof small), 4);
    EXPECT_STREQ(small, "File");
    SetWindowTextA(own.control, "");
    EXPECT_EQ(WindowText(own.control), "");
}

TEST(PercentBar, HalfwayFillsHalfTheWidthInTheHighlightColour) {
    OwnBar own;
    SendMessageA(own.control, PBM_SETPOS, 50, 0);
    EXPECT_EQ(own.PixelAt(2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(own.PixelAt(99), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(own.PixelAt(100), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(own.PixelAt(197), GetSysColor(COLOR_WINDOW));
}

}  // namespace
