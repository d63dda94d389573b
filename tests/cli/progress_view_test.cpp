#include "cli/progress_view.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/refusing_stream.h"

using namespace wordgleaner;

namespace {

ProgressSnapshot Snapshot(int filePercent, const std::string& progress, int entryPercent = 0,
                          const std::string& entries = "") {
    return {filePercent, progress, entryPercent, entries};
}

TEST(ProgressBar, FillsOneCellPerShareAndClampsThePercentage) {
    EXPECT_EQ(ProgressBar(0, 10), "[----------]   0% ");
    EXPECT_EQ(ProgressBar(57, 10), "[#####-----]  57% ");
    EXPECT_EQ(ProgressBar(100, 10), "[##########] 100% ");
    EXPECT_EQ(ProgressBar(-3, 4), "[----]   0% ");
    EXPECT_EQ(ProgressBar(250, 4), "[####] 100% ");
}

TEST(FitToColumns, CutsAtTheWidthWithoutSplittingAUtf8Character) {
    EXPECT_EQ(FitToColumns("abcdef", 4), "abcd");
    EXPECT_EQ(FitToColumns("abcd", 4), "abcd");
    EXPECT_EQ(FitToColumns("", 4), "");
    EXPECT_EQ(FitToColumns("\xC3\xA9t\xC3\xA9!", 3), "\xC3\xA9t\xC3\xA9") << "three characters";
    EXPECT_EQ(FitToColumns("ab\xE2\x82\xAC", 2), "ab");
}

TEST(LineProgressView, PrintsOneLinePerChangeOfTheProgressTextOnly) {
    std::ostringstream out;
    LineProgressView view(out);

    view.Show(Snapshot(0, ""));
    view.Show(Snapshot(0, "Building list of tra files to process..."));
    view.Show(Snapshot(0, "Processing a.tra (0 / 2)", 10, "Processing entry 1 / 10"));
    view.Show(Snapshot(0, "Processing a.tra (0 / 2)", 90, "Processing entry 9 / 10"));
    view.Show(Snapshot(50, "Processing b.tra (1 / 2)"));
    view.Note("a note");

    EXPECT_EQ(out.str(),
              "Building list of tra files to process...\n"
              "Processing a.tra (0 / 2)\n"
              "Processing b.tra (1 / 2)\n"
              "a note\n");
    EXPECT_EQ(view.LastPrintedLine(), "Processing b.tra (1 / 2)");
}

TEST(TerminalProgressView, DrawsTwoBarsAndRedrawsThemInPlaceOnlyWhenSomethingChanged) {
    std::ostringstream out;
    TerminalProgressView view(out, 80);

    view.Show(Snapshot(33, "Processing b.tra (1 / 3)", 50, "Processing entry 2 / 4"));
    EXPECT_EQ(out.str(),
              "Files   [######--------------]  33% Processing b.tra (1 / 3)\n"
              "Entries [##########----------]  50% Processing entry 2 / 4\n");

    out.str("");
    view.Show(Snapshot(33, "Processing b.tra (1 / 3)", 50, "Processing entry 2 / 4"));
    EXPECT_EQ(out.str(), "") << "an unchanged poll draws nothing";

    view.Show(Snapshot(33, "Processing b.tra (1 / 3)", 75, "Processing entry 3 / 4"));
    EXPECT_EQ(out.str(),
              "\x1b[2A\r\x1b[J"
              "Files   [######--------------]  33% Processing b.tra (1 / 3)\n"
              "Entries [###############-----]  75% Processing entry 3 / 4\n");

    out.str("");
    view.Close();
    EXPECT_EQ(out.str(), "\x1b[2A\r\x1b[J") << "the bars make room for the final lines";
    EXPECT_EQ(view.LastPrintedLine(), "");
}

TEST(TerminalProgressView, ANotePrintsAboveTheBars) {
    std::ostringstream out;
    TerminalProgressView view(out, 80);
    view.Note("before any bar");
    view.Show(Snapshot(0, "p", 0, "e"));
    out.str("");

    view.Note("Abort requested");

    EXPECT_EQ(out.str(),
              "\x1b[2A\r\x1b[J"
              "Abort requested\n"
              "Files   [--------------------]   0% p\n"
              "Entries [--------------------]   0% e\n");
}

TEST(TerminalProgressView, KeepsEachLineShorterThanTheTerminalAndShowsNoControlBytes) {
    std::ostringstream out;
    TerminalProgressView view(out, 40);

    view.Show(
        Snapshot(0, "Processing evil\x1b[31m\nname.tra (0 / 1) and much more text", 0, "entries"));

    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Files   [--------------------]   0% Pro");
    EXPECT_EQ(line.size(), 39u);

    std::ostringstream wide;
    TerminalProgressView wideView(wide, 80);
    wideView.Show(Snapshot(0, "x\x1b[31m\ny"));
    EXPECT_EQ(wide.str().substr(0, wide.str().find('\n')),
              "Files   [--------------------]   0% x?[31m?y");
}

// --- Output that fails ----------------------------------------------------------

// Whoever shares the stream may clear its state (the final lines of a run go
// to the same stream): the view itself still writes no more.
TEST(LineProgressView, WritesNothingMoreAfterItsFirstFailedWrite) {
    test_support::RefusingStreamBuffer refusing;
    std::ostream out(&refusing);
    LineProgressView view(out);

    view.Show(Snapshot(0, "Processing a.tra (0 / 2)"));
    const int offers = refusing.offers;
    EXPECT_GT(offers, 0);
    EXPECT_EQ(view.LastPrintedLine(), "") << "the line never got out";

    out.clear();
    view.Show(Snapshot(50, "Processing b.tra (1 / 2)"));
    view.Note("a note");
    view.Close();
    EXPECT_EQ(refusing.offers, offers);
}

TEST(TerminalProgressView, WritesNothingMoreAfterItsFirstFailedWrite) {
    test_support::RefusingStreamBuffer refusing;
    std::ostream out(&refusing);
    TerminalProgressView view(out, 80);

    view.Show(Snapshot(0, "p", 0, "e"));
    const int offers = refusing.offers;
    EXPECT_GT(offers, 0);

    out.clear();
    view.Show(Snapshot(50, "q", 10, "f"));
    view.Note("a note");
    view.Close();
    EXPECT_EQ(refusing.offers, offers);
}

}  // namespace
