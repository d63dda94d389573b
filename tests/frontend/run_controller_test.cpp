// The flow of a run in a window, driven as the windows drive it and seen
// through a view that records what it is asked to show.

#include "frontend/run_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "fake_run_view.h"
#include "frontend/reference_pair_problems.h"
#include "job/reference_pair.h"
#include "support/check_point_hold.h"
#include "support/held_destination.h"
#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::CheckPointHold;
using test_support::FakeRunView;
using test_support::TempDir;

namespace {

using Strings = std::vector<std::string>;

// A reference pair and a mod folder of two files, dialog.tra (one text
// found, one not) and farewell.tra (one found), and an empty output folder.
struct RunFolders {
    RunFolders() {
        dir.Write("ref_orig.tra", "@1 = ~Hello there, traveller.~\r\n@2 = ~Good bye~\r\n");
        dir.Write("ref_trans.tra", "@1 = ~Bonjour, voyageur.~\r\n@2 = ~Au revoir~\r\n");
        dir.Write("mod/dialog.tra",
                  "@100 = ~Hello there, traveller.~\r\n"
                  "@101 = ~Nothing like it in the reference~\r\n");
        dir.Write("mod/farewell.tra", "@7 = ~Good bye~\r\n");
        std::filesystem::create_directory(dir.Path() / "out");
    }

    RunRequest Request() const {
        return {{{dir / "ref_orig.tra", dir / "ref_trans.tra", dir / "mod", dir / "out"}}, {}};
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }

    TempDir dir;
};

// A controller around a real job whose worker a test may hold at a check
// point (hold.Arm before Import), on a clock the test moves; the test gives
// the timer's ticks itself.
struct Controlled {
    enum class Threads { Available, Refused };

    explicit Controlled(Threads threads = Threads::Available)
        : controller(view, Hooks(threads), [this] { return now; }) {}
    // A worker still held goes on, so that the job can end.
    ~Controlled() { hold.Release(); }

    // Lets the run end and shows its end with one tick, as the timer would.
    void FinishRun() {
        hold.Release();
        controller.Job().WaitForEnd();
        controller.Poll();
    }

    JobHooks Hooks(Threads threads) {
        JobHooks hooks;
        hooks.atCheckPoint = [this](CheckPoint point) {
            hold.Pass(point);
            return false;
        };
        hooks.makeThread = [this, threads](std::function<void()> body) {
            if (threads == Threads::Refused) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            ++starts;
            return std::jthread(std::move(body));
        };
        return hooks;
    }

    FakeRunView view;
    CheckPointHold hold;
    int starts = 0;  // worker threads made
    std::chrono::steady_clock::time_point now{};
    RunController controller;
};

// --- Before the run ------------------------------------------------------

TEST(RunController, AnEmptyFieldIsNamedAndFocusedBeforeTheBoxAndNothingStarts) {
    const std::string labels[] = {"Reference tra file in original language",
                                  "Reference tra file in destination language (translated)",
                                  "Directory of mod tra files in original language",
                                  "Directory of mod tra files in destination language (empty)"};
    for (std::size_t empty = 0; empty < PathFieldCount; ++empty) {
        SCOPED_TRACE(labels[empty]);
        Controlled run;
        RunRequest request = {{{"a.tra", "b.tra", "mod", "out"}}, {}};
        request.paths.texts[empty].clear();
        EXPECT_FALSE(run.controller.Import(request));

        ASSERT_EQ(run.view.boxes.size(), 1u);
        EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::None);
        EXPECT_EQ(run.view.boxes[0].caption, "Failure");
        EXPECT_EQ(run.view.boxes[0].text, "You must provide a name for each file or directory: \"" +
                                              labels[empty] + "\" is empty");
        // The field has the focus while the box is up, and keeps it after.
        EXPECT_EQ(run.view.calls, (Strings{"FocusField", "ShowMessage Failure"}));
        EXPECT_EQ(run.view.focused, static_cast<PathField>(empty));
        EXPECT_EQ(run.starts, 0);
        EXPECT_FALSE(run.controller.Running());
        EXPECT_TRUE(run.view.scheduled.empty());
    }
}

TEST(RunController, WithSeveralEmptyFieldsTheFirstIsNamedWithTheLabelShown) {
    Controlled run;
    RunRequest request = {{{"a", "", "mod", ""}}, {}};
    request.preferences.referenceFolders = true;
    run.controller.Import(request);
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].text,
              "You must provide a name for each file or directory: \"Reference directory of tra "
              "files in destination language (translated)\" is empty");
    EXPECT_EQ(run.view.focused, PathField::ReferenceTranslated);
}

TEST(RunController, AMixedPairOrFilesWhereFoldersWereChosenNeverStartARun) {
    RunFolders folders;
    Controlled run;
    RunRequest mixed = folders.Request();
    mixed.paths.texts[1] = folders.dir / "mod";
    EXPECT_FALSE(run.controller.Import(mixed));
    RunRequest files = folders.Request();
    files.preferences.referenceFolders = true;
    EXPECT_FALSE(run.controller.Import(files));

    EXPECT_EQ(run.starts, 0);
    ASSERT_EQ(run.view.boxes.size(), 2u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[0].caption, "Failure");
    EXPECT_EQ(run.view.boxes[0].text,
              MixedReferencePairText({folders.dir / "ref_orig.tra", folders.dir / "mod"}));
    EXPECT_EQ(
        run.view.boxes[1].text.rfind("The reference fields must name two folders of tra files", 0),
        0u);
    EXPECT_FALSE(run.view.running);
}

TEST(RunController, AFurtherPairGoneFromTheDiskIsToldBeforeTheRun) {
    RunFolders folders;
    Controlled run;
    RunRequest request = folders.Request();
    request.preferences.furtherPairs = {{folders.dir / "ref_orig.tra", folders.dir / "gone.tra"}};
    EXPECT_FALSE(run.controller.Import(request));
    EXPECT_EQ(run.starts, 0);
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].text, "There is no file or folder " + folders.dir / "gone.tra");
}

// Creating a folder loses nothing: Yes is the default, and No leaves the
// disk as it was.
TEST(RunController, AMissingDestinationIsCreatedOnlyAfterAYes) {
    RunFolders folders;
    Controlled run;
    RunRequest request = folders.Request();
    request.paths.texts[3] = folders.dir / "not created/yet";
    EXPECT_FALSE(run.controller.Import(request));
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].caption, "Create folder?");
    EXPECT_EQ(run.view.boxes[0].text, "The destination folder " + folders.dir / "not created/yet" +
                                          " does not exist.\n\nCreate it?");
    EXPECT_EQ(run.view.boxes[0].preferred, DefaultAnswer::Yes);
    EXPECT_FALSE(folders.Exists("not created"));
    EXPECT_EQ(run.starts, 0);

    run.view.confirmAnswer = true;
    EXPECT_TRUE(run.controller.Import(request));
    EXPECT_EQ(run.view.boxes.size(), 2u);  // the question alone
    EXPECT_TRUE(std::filesystem::is_directory(folders.dir / "not created/yet"));
    run.FinishRun();
    EXPECT_EQ(run.view.boxes.back().caption, "Success");
    EXPECT_TRUE(folders.Exists("not created/yet/dialog.tra"));
}

TEST(RunController, ADestinationThatCannotBeCreatedOrIsAFileIsRefused) {
    RunFolders folders;
    Controlled run;
    run.view.confirmAnswer = true;
    RunRequest request = folders.Request();
    request.paths.texts[3] = folders.dir / "ref_orig.tra/out";  // under a file
    EXPECT_FALSE(run.controller.Import(request));
    ASSERT_EQ(run.view.boxes.size(), 2u);
    EXPECT_EQ(run.view.boxes[0].caption, "Create folder?");
    EXPECT_EQ(run.view.boxes[1].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[1].text.rfind("Could not create the destination folder " +
                                               folders.dir / "ref_orig.tra/out" + ", cause: ",
                                           0),
              0u)
        << run.view.boxes[1].text;

    request.paths.texts[3] = folders.dir / "ref_orig.tra";  // no folder, and not missing
    EXPECT_FALSE(run.controller.Import(request));
    ASSERT_EQ(run.view.boxes.size(), 3u);
    EXPECT_EQ(run.view.boxes[2].caption, "Failure");
    EXPECT_EQ(run.view.boxes[2].text,
              "The destination " + folders.dir / "ref_orig.tra" + " is not a folder");
    EXPECT_EQ(run.starts, 0);
}

// An earlier run's outputs are counted the way this run would write them:
// its recovered files, and the report, patch and review, which every run
// clears whatever its own options.
TEST(RunController, AnEarlierRunsOutputsAreCountedAndReplacedOnlyAfterAYes) {
    RunFolders folders;
    Controlled run;
    RunRequest everything = folders.Request();
    everything.preferences.options.generatePatch = true;
    everything.preferences.options.writeReview = true;
    ASSERT_TRUE(run.controller.Import(everything));  // into an empty folder: nothing asked
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    const std::string report = TempDir::Read(folders.dir / "out/Wordgleaner_report.txt");

    EXPECT_FALSE(run.controller.Import(folders.Request()));
    ASSERT_EQ(run.view.boxes.size(), 2u);
    const FakeRunView::Box& question = run.view.boxes[1];
    EXPECT_EQ(question.caption, "Replace files?");
    EXPECT_EQ(question.preferred, DefaultAnswer::No);
    EXPECT_EQ(question.text,
              "The destination folder " + folders.dir / "out" +
                  " already holds 6 files that this run would replace (recovered tra files of "
                  "the same names, the report, the patch or the review of an earlier run):\n"
                  "\ndialog.tra\nfarewell.tra\nWordgleaner_report.txt\ntp2patch.tp2\n"
                  "Wordgleaner_review.html\nand 1 more\n\nReplace them?");
    EXPECT_EQ(run.starts, 1);
    EXPECT_EQ(TempDir::Read(folders.dir / "out/Wordgleaner_report.txt"), report);

    run.view.confirmAnswer = true;
    EXPECT_TRUE(run.controller.Import(everything));
    EXPECT_EQ(run.view.boxes.size(), 3u);
    EXPECT_NE(run.view.boxes[2].text.find(" 6 files "), std::string::npos)
        << run.view.boxes[2].text;
    run.FinishRun();
    EXPECT_EQ(run.view.boxes.back().caption, "Success");
}

TEST(RunController, TheModFolderAsDestinationIsUsedOnlyAfterAYes) {
    RunFolders folders;
    Controlled run;
    const std::string modFile = TempDir::Read(folders.dir / "mod/dialog.tra");
    RunRequest request = folders.Request();
    request.paths.texts[3] = folders.dir / "mod";
    EXPECT_FALSE(run.controller.Import(request));
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].caption, "Replace files?");
    EXPECT_NE(run.view.boxes[0].text.find("the mod folder"), std::string::npos);
    EXPECT_NE(run.view.boxes[0].text.find("\n\nRecover into this folder anyway?"),
              std::string::npos);
    EXPECT_EQ(run.view.boxes[0].buttons, (Strings{"Yes", "No"}));
    EXPECT_EQ(run.starts, 0);
    EXPECT_EQ(TempDir::Read(folders.dir / "mod/dialog.tra"), modFile);

    run.view.confirmAnswer = true;
    EXPECT_TRUE(run.controller.Import(request));
    EXPECT_EQ(run.view.boxes.size(), 2u);  // its files are not asked about again
    run.FinishRun();
    EXPECT_EQ(run.view.boxes.back().caption, "Success");
    EXPECT_NE(TempDir::Read(folders.dir / "mod/dialog.tra"), modFile);
}

TEST(RunController, AWorkerThatCannotStartIsToldAndTheWindowStaysAsItWas) {
    RunFolders folders;
    Controlled run(Controlled::Threads::Refused);
    EXPECT_FALSE(run.controller.Import(folders.Request()));
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[0].caption, "Failure");
    EXPECT_EQ(run.view.boxes[0].text, "Could not start the recovery: no worker thread available");
    EXPECT_FALSE(run.controller.Running());
    EXPECT_EQ(run.view.calls, Strings{"ShowMessage Failure"});  // never locked, never polled
    EXPECT_TRUE(run.view.scheduled.empty());
    EXPECT_TRUE(run.controller.Cancel());
}

// --- The run ---------------------------------------------------------------

TEST(RunController, ImportHandsThePathsSettingsAndPairsToTheJobAndLocksTheWindow) {
    RunFolders folders;
    Controlled run;
    RunRequest request = folders.Request();
    request.preferences.options.generatePatch = true;
    request.preferences.furtherPairs = {
        {folders.dir / "ref_orig.tra", folders.dir / "ref_trans.tra"}};
    run.hold.Arm(CheckPoint::AfterOriginalReference);
    EXPECT_TRUE(run.controller.Import(request));
    ASSERT_TRUE(run.hold.WaitUntilHeld());

    const JobInputs& inputs = run.controller.Job().Inputs();
    const ReferencePair fieldsPair = {folders.dir / "ref_orig.tra", folders.dir / "ref_trans.tra"};
    EXPECT_EQ(inputs.references, (ReferencePairs{fieldsPair, fieldsPair}));
    EXPECT_EQ(inputs.modDirectory, folders.dir / "mod");
    EXPECT_EQ(inputs.destinationDirectory, folders.dir / "out");
    EXPECT_EQ(inputs.options, request.preferences.options);
    EXPECT_TRUE(run.controller.Running());
    EXPECT_TRUE(run.view.running);
    EXPECT_EQ(run.view.scheduled, (std::vector{PollInterval}));
    EXPECT_TRUE(run.view.boxes.empty());

    EXPECT_FALSE(run.controller.Import(request));  // nothing starts over a run
    EXPECT_EQ(run.starts, 1);
}

TEST(RunController, EachTickShowsTheProgressAsAPersonReadsItAndAsksForTheNext) {
    RunFolders folders;
    Controlled run;
    run.hold.Arm(CheckPoint::BeforeEntry, 3);  // the entry of farewell.tra
    run.controller.Import(folders.Request());
    ASSERT_TRUE(run.hold.WaitUntilHeld());
    run.now += std::chrono::seconds(7);
    run.controller.Poll();

    EXPECT_EQ(run.view.filesBar.percent, 50);
    EXPECT_EQ(run.view.filesBar.text, "File 2 of 2: farewell.tra");
    EXPECT_EQ(run.view.entriesBar.percent, 100);
    EXPECT_EQ(run.view.entriesBar.text, "Entry 2 of 2 - 1 translated");
    EXPECT_EQ(run.view.timeText.rfind("Elapsed 0:07 - about ", 0), 0u) << run.view.timeText;
    EXPECT_EQ(run.view.scheduled.size(), 2u);
    EXPECT_TRUE(run.controller.Running());
    EXPECT_TRUE(run.view.boxes.empty());
    // The run's own texts stay in the job, for the report and the command line.
    EXPECT_EQ(run.controller.Job().Snapshot().progressText, "Processing farewell.tra (1 / 2)");
}

TEST(RunController, ASuccessIsAnnouncedBeforeTheWindowIsGivenBack) {
    RunFolders folders;
    Controlled run;
    run.controller.Import(folders.Request());
    run.FinishRun();

    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::None);
    EXPECT_EQ(run.view.boxes[0].caption, "Success");
    EXPECT_EQ(run.view.boxes[0].text,
              "Updated the tra files\n\n2 files done, 3 entries: 2 exact, 0 very likely, 0 likely, "
              "1 not found.");
    EXPECT_EQ(run.view.calls, (Strings{"SetRunning true", "Choose Success", "SetRunning false"}));
    EXPECT_FALSE(run.controller.Running());
    EXPECT_EQ(run.view.scheduled.size(), 1u);  // the end asks for no further tick
    // The bars keep the run's last state.
    EXPECT_EQ(run.view.filesBar.percent, 100);
    EXPECT_EQ(run.view.filesBar.text.rfind("Completed (2 / 2)", 0), 0u);
    EXPECT_EQ(run.view.entriesBar.text,
              "Entries: 3, Exact match: 2, Very likely match: 0, Likely match: 0");
    EXPECT_TRUE(folders.Exists("out/dialog.tra"));

    run.controller.Poll();  // a stray tick after the end shows nothing twice
    EXPECT_EQ(run.view.boxes.size(), 1u);
    EXPECT_TRUE(run.controller.Cancel());
}

// Button 0 is the first one offered; -1 closes the box another way.
TEST(RunController, TheSuccessBoxOpensWhatItsButtonsName) {
    struct Case {
        bool review;
        int answer;
        std::string opened;  // in the destination; "" for nothing
    };
    for (const Case& answer :
         {Case{true, 0, "Wordgleaner_review.html"}, Case{true, 1, "."}, Case{true, 2, ""},
          Case{false, 0, "."}, Case{false, 1, ""}, Case{true, -1, ""}}) {
        SCOPED_TRACE(std::to_string(answer.review) + " " + std::to_string(answer.answer));
        RunFolders folders;
        Controlled run;
        RunRequest request = folders.Request();
        request.preferences.options.writeReview = answer.review;
        run.view.chooseAnswer = answer.answer;
        run.controller.Import(request);
        run.FinishRun();

        Strings buttons = {"Open destination folder", "Close"};
        if (answer.review) {
            buttons.insert(buttons.begin(), "Open review page");
        }
        ASSERT_EQ(run.view.boxes.size(), 1u);
        EXPECT_EQ(run.view.boxes[0].buttons, buttons);
        EXPECT_EQ(folders.Exists("out/Wordgleaner_review.html"), answer.review);
        if (answer.opened.empty()) {
            EXPECT_TRUE(run.view.opened.empty());
        } else {
            ASSERT_EQ(run.view.opened.size(), 1u);
            EXPECT_TRUE(std::filesystem::equivalent(run.view.opened[0],
                                                    folders.dir / ("out/" + answer.opened)));
        }
    }
}

// The browser saved the page's decisions into the downloads folder: the
// end box's last button before Close puts that file into the field.
TEST(RunController, TheSuccessBoxPutsADecisionsFileSavedFromAPageIntoTheField) {
    RunFolders folders;
    TempDir downloads;
    const std::string saved = downloads.Write("Wordgleaner_decisions.csv", "x");
    Controlled run;
    run.view.downloadsFolder = downloads.Path().string();
    run.view.chooseAnswer = 1;
    run.controller.Import(folders.Request());
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].buttons,
              (Strings{"Open destination folder", "Use saved decisions", "Close"}));
    EXPECT_EQ(run.view.decisionsFile, saved);
    EXPECT_TRUE(run.view.opened.empty());
}

TEST(RunController, APageOrFolderThatCannotBeOpenedIsToldWithItsFullPath) {
    RunFolders folders;
    Controlled run;
    run.view.chooseAnswer = 0;
    run.view.openSucceeds = false;
    run.controller.Import(folders.Request());
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 2u);
    EXPECT_EQ(run.view.boxes[1].icon, MessageIcon::Warning);
    EXPECT_EQ(run.view.boxes[1].caption, "Wordgleaner");
    const std::string full = run.view.FullPath(folders.dir / "out");
    EXPECT_EQ(run.view.opened, Strings{full});
    EXPECT_EQ(run.view.boxes[1].text,
              "Could not open\n\n" + full +
                  "\n\nThe path can be copied from this box (Ctrl+C) and opened by hand.");
    EXPECT_FALSE(run.view.running);
}

TEST(RunController, AFailedRunShowsItsOwnTextAsAnError) {
    RunFolders folders;
    folders.dir.Write("mod/setup.tra", "@1 ~No equal sign~\r\n");
    Controlled run;
    run.controller.Import(folders.Request());
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[0].caption, "Failure");
    EXPECT_EQ(run.view.boxes[0].text,
              "Failed to load setup, cause: Missing equal sign after string Id at line 1");
    EXPECT_TRUE(run.view.boxes[0].buttons.empty());
    EXPECT_FALSE(run.view.running);
}

// The field's file reaches the run; a bad one is told in the end box, as
// the run's own failure, and the destination gets nothing.
TEST(RunController, TheDecisionsFieldReachesTheRunAndABadFileIsToldInTheEndBox) {
    RunFolders folders;
    const std::string decisions = folders.dir.Write("Wordgleaner_decisions.csv", "mod file,id\r\n");
    Controlled run;
    RunRequest request = folders.Request();
    request.decisionsFile = decisions;
    ASSERT_TRUE(run.controller.Import(request));
    EXPECT_EQ(run.controller.Job().Inputs().options.decisionsFile, decisions);
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[0].text, "Failed to read the review decisions file " + decisions +
                                          ", cause: not the header line \"mod file,id,mod "
                                          "text,decision,reference file,reference id,translation,"
                                          "female translation\" at line 1");
    EXPECT_TRUE(std::filesystem::is_empty(folders.dir.Path() / "out"));
}

TEST(RunController, ADestinationAnotherRunWritesIntoIsToldInTheEndBox) {
    RunFolders folders;
    test_support::HeldDestination other(folders.dir.Path() / "out");
    ASSERT_TRUE(other.Held());
    Controlled run;
    ASSERT_TRUE(run.controller.Import(folders.Request()));
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(run.view.boxes[0].caption, "Failure");
    EXPECT_EQ(run.view.boxes[0].text, "Another run is writing into " + folders.dir / "out");
    EXPECT_FALSE(folders.Exists("out/dialog.tra"));
    EXPECT_FALSE(run.view.running);
}

TEST(RunController, AMissingReferenceFailsTheRunAndTheFixedPathRunsAgain) {
    RunFolders folders;
    Controlled run;
    RunRequest request = folders.Request();
    const std::string missing = folders.dir / "no_such_reference.tra";
    request.paths.texts[0] = missing;
    EXPECT_TRUE(run.controller.Import(request));  // told by the run itself
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].caption, "Failure");
    EXPECT_EQ(run.view.boxes[0].text.rfind("Failed to load " + missing + ", cause: ", 0), 0u)
        << run.view.boxes[0].text;
    // The bars tell what was done, and what failed.
    EXPECT_EQ(run.view.filesBar.percent, 0);
    EXPECT_EQ(run.view.filesBar.text, "Failed before any mod file");
    EXPECT_EQ(run.view.entriesBar.text, run.view.boxes[0].text);
    EXPECT_FALSE(folders.Exists("out/dialog.tra"));

    run.view.confirmAnswer = true;  // its report is replaced
    EXPECT_TRUE(run.controller.Import(folders.Request()));
    run.FinishRun();
    EXPECT_EQ(run.view.boxes.back().caption, "Success");
    EXPECT_EQ(run.starts, 2);
}

TEST(RunController, ASecondRunStartsWithEmptyBars) {
    RunFolders folders;
    Controlled run;
    run.controller.Import(folders.Request());
    run.FinishRun();
    ASSERT_EQ(run.view.filesBar.percent, 100);
    run.hold.Arm(CheckPoint::AfterOriginalReference);
    run.now += std::chrono::minutes(5);
    run.view.confirmAnswer = true;
    run.controller.Import(folders.Request());
    ASSERT_TRUE(run.hold.WaitUntilHeld());
    EXPECT_EQ(run.view.filesBar.percent, 0);
    EXPECT_EQ(run.view.filesBar.text, "");
    EXPECT_EQ(run.view.entriesBar.percent, 0);
    EXPECT_EQ(run.view.entriesBar.text, "");
    EXPECT_EQ(run.view.timeText, "");
    run.controller.Poll();
    EXPECT_EQ(run.view.filesBar.text, "Loading reference tra file in original language...");
    EXPECT_EQ(run.view.timeText, "Elapsed 0:00");
}

// A sign marks a path that named nothing when it was typed; the disk may
// change behind the window, and the sign must not outlive the cause.
TEST(RunController, PathSignsFollowTheDiskWhenTheWindowAsksAndAfterEveryRun) {
    RunFolders folders;
    Controlled run;
    RunRequest request = folders.Request();
    request.paths.texts[3] = folders.dir / "later";
    run.controller.CheckPaths(request);
    EXPECT_EQ(run.view.signs[3], "There is no folder " + folders.dir / "later");
    EXPECT_EQ(run.view.signs[0], "");
    request.preferences.referenceFolders = true;  // the references are now no folders
    run.controller.CheckPaths(request);
    EXPECT_EQ(run.view.signs[0], folders.dir / "ref_orig.tra" + " is a file, not a folder");

    std::filesystem::create_directory(folders.dir / "later");  // behind the window's back
    run.controller.CheckPaths(folders.Request());
    EXPECT_EQ(run.view.signs, (std::array<std::string, PathFieldCount>{}));

    // A run checks them as it starts and once it has ended, before its box.
    run.view.signs[3] = "There is no folder " + folders.dir / "out";
    run.controller.Import(folders.Request());
    EXPECT_EQ(run.view.signs[3], "");
    run.view.signs[3] = "stale";
    const int marksBefore = run.view.marks;
    run.FinishRun();
    EXPECT_EQ(run.view.signs[3], "");
    EXPECT_EQ(run.view.marks, marksBefore + static_cast<int>(PathFieldCount));
}

// --- Stopping --------------------------------------------------------------

TEST(RunController, CancelDuringARunOnlyAsksTheJobToStopAndTheStopIsNoSuccess) {
    RunFolders folders;
    Controlled run;
    run.hold.Arm(CheckPoint::AfterOriginalReference);
    run.controller.Import(folders.Request());
    ASSERT_TRUE(run.hold.WaitUntilHeld());
    EXPECT_FALSE(run.controller.Cancel());
    EXPECT_FALSE(run.controller.Cancel());  // Escape, then the close box
    EXPECT_TRUE(run.controller.Job().Snapshot().abortRequested);
    EXPECT_TRUE(run.controller.Running());
    EXPECT_TRUE(run.view.boxes.empty());

    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(run.view.boxes[0].caption, "Stopped");
    EXPECT_EQ(run.view.boxes[0].text, "Stopped while loading the references");
    EXPECT_EQ(run.view.filesBar.text, "Stopped while loading the references");
    EXPECT_EQ(run.view.filesBar.percent, 0);
    EXPECT_EQ(run.view.entriesBar.text, "");
    const std::string report = TempDir::Read(folders.dir / "out/Wordgleaner_report.txt");
    EXPECT_EQ(report.rfind("Process interrupted.", 0), 0u) << report;
    EXPECT_FALSE(folders.Exists("out/dialog.tra"));
    EXPECT_TRUE(run.controller.Cancel());  // now the window may close
}

TEST(RunController, AStopInsideAFileTellsTheFilesDoneAndThePartialFile) {
    RunFolders folders;
    Controlled run;
    run.hold.Arm(CheckPoint::BeforeEntry, 2);  // dialog.tra's second entry
    run.controller.Import(folders.Request());
    ASSERT_TRUE(run.hold.WaitUntilHeld());
    run.controller.Cancel();
    run.FinishRun();
    ASSERT_EQ(run.view.boxes.size(), 1u);
    EXPECT_EQ(run.view.boxes[0].caption, "Stopped");
    EXPECT_EQ(run.view.boxes[0].text,
              "Stopped after 0 of 2 files; dialog.tra was saved with the entries done before "
              "the stop.");
    // The bars say the same, not "Completed (1 / 2)".
    EXPECT_EQ(run.view.filesBar.text, "Stopped after 0 of 2 files");
    EXPECT_EQ(run.view.filesBar.percent, 0);
    EXPECT_EQ(run.view.entriesBar.text,
              "dialog.tra was saved with the entries done before the stop");
    EXPECT_TRUE(folders.Exists("out/dialog.tra"));
    EXPECT_FALSE(folders.Exists("out/farewell.tra"));
}

}  // namespace
