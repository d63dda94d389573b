// The batch over a mod folder's whole tree and reference folders' trees:
// where each file goes, how it is named, and what a run without sub-folders
// says it left out.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "job/recovery_job.h"
#include "store/tra_error.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::TempDir;

namespace {

constexpr const char* ReportName = "Wordgleaner_report.txt";
constexpr const char* PatchName = "tp2patch.tp2";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// What the writers put on disk: every line ends with CR LF.
std::string OnDisk(const std::string& text) {
    return ReplaceAll(text, "\n", "\r\n");
}

class BatchSubFoldersTest : public ::testing::Test {
protected:
    BatchSubFoldersTest() {
        // Three levels of mod files, an empty sub-folder and one without tra
        // files; the reference tree's translations differ in case at each
        // part of their paths.
        Write({{"mod/top.tra", "@1 = ~Hello there~\n"},
               {"mod/d/dskenb.tra", "@7 = ~Need a ride?~\n"},
               {"mod/d/x/deep.tra", "@3 = ~Good night~\n@4 = ~Not in any reference~\n"},
               {"mod/text/read.me", "no tra file here"},
               {"en/greet.tra", "@0 = ~Hello there~\n"},
               {"en/d/dskenb.tra", "@7 = ~Need a ride?~\n"},
               {"en/d/x/night.tra", "@2 = ~Good night~\n"},
               {"fr/GREET.tra", "@0 = ~Bonjour~\n"},
               {"fr/D/DSKENB.TRA", "@7 = ~On traverse ?~\n"},
               {"fr/d/X/night.tra", "@2 = ~Bonne nuit~\n"}});
        fs::create_directories(root.Path() / "mod/empty");
        fs::create_directories(root.Path() / "out");
    }

    void Write(const std::map<std::string, std::string>& files) {
        for (const auto& [name, text] : files) {
            root.Write(name, text);
        }
    }

    ProgressSnapshot Run(bool includeSubFolders, RecoveryOptions options = {}) {
        options.includeSubFolders = includeSubFolders;
        return test_support::RunBatch(job, {{root / "en", root / "fr"}}, root / "mod", root / "out",
                                      options);
    }

    static RecoveryOptions WithPatch() {
        RecoveryOptions options;
        options.generatePatch = true;
        return options;
    }

    // Every file under the destination by its path there, '/' between parts.
    Names Written() const {
        Names names;
        for (const auto& entry : fs::recursive_directory_iterator(root.Path() / "out")) {
            names.push_back(entry.path().lexically_relative(root.Path() / "out").generic_string() +
                            (entry.is_directory() ? "/" : ""));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // In the system's own form, as the run joins a folder and a name.
    std::string Native(const std::string& name) const {
        return (root.Path() / name).make_preferred().string();
    }

    std::string Out(const std::string& name) const {
        return TempDir::Read((root.Path() / "out" / name).string());
    }

    TempDir root;
    RecoveryJob job;
};

TEST_F(BatchSubFoldersTest, EachFileGoesToItsPathAndIsNamedByItInCommentsPatchAndReport) {
#if !defined(_WIN32)  // links need privileges there; the file system is blind to case
    fs::create_directory_symlink(root.Path() / "mod/d", root.Path() / "mod/link");
    root.Write("mod/D/Upper.tra", "@9 = ~Hello there~\n");
#endif
    const ProgressSnapshot end = Run(true, WithPatch());

    ASSERT_EQ(end.status, TraOk) << end.progressText;
#if defined(_WIN32)
    const Names recovered = {"d/dskenb.tra", "d/x/deep.tra", "top.tra"};
    const std::string upperBlock;
#else
    const Names recovered = {"D/Upper.tra", "d/dskenb.tra", "d/x/deep.tra", "top.tra"};
    const std::string upperBlock =
        "// Recovered for D/Upper.tra, from 3 reference files\n"
        "\tSTRING_SET ~9~ @0\t// greet.tra: Exact match\n"
        "// Processed entries 1 / 1: Exact 2 / Very likely 0 / Likely 0 / Empty 0\n"
        "// End of recovery for D/Upper.tra, from 3 reference files\n";
#endif
    Names expected = {ReportName, PatchName};
    for (const std::string& name : recovered) {
        expected.push_back(name);
        for (auto slash = name.find('/'); slash != std::string::npos;
             slash = name.find('/', slash + 1)) {
            expected.push_back(name.substr(0, slash + 1));
        }
    }
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(Written(), expected) << "no folder for the empty, the text-only or the linked one";

    EXPECT_EQ(Out("d/dskenb.tra"),
              OnDisk("// Wordgleaner: case sensitive exact match found in file d/dskenb.tra at "
                     "Id 7\n@7     = ~On traverse ?~\n"));
    EXPECT_EQ(Out(PatchName),
              OnDisk("// Recovered for top.tra, from 3 reference files\n"
                     "\tSTRING_SET ~1~ @0\t// greet.tra: Exact match\n"
                     "// Processed entries 1 / 1: Exact 1 / Very likely 0 / Likely 0 / Empty 0\n"
                     "// End of recovery for top.tra, from 3 reference files\n" +
                     upperBlock +
                     "// Recovered for d/dskenb.tra, from 3 reference files\n"
                     "\tSTRING_SET ~7~ @7\t// d/dskenb.tra: Exact match\n" +
                     "// Processed entries 1 / 1: Exact " + (upperBlock.empty() ? "2" : "3") +
                     " / Very likely 0 / Likely 0 / Empty 0\n"
                     "// End of recovery for d/dskenb.tra, from 3 reference files\n"
                     "// Recovered for d/x/deep.tra, from 3 reference files\n"
                     "\tSTRING_SET ~3~ @2\t// d/x/night.tra: Exact match\n"
                     "//\tText 4 Not found\n"
                     "// Processed entries 2 / 2: Exact " +
                     (upperBlock.empty() ? "3" : "4") +
                     " / Very likely 0 / Likely 0 / Empty 0\n"
                     "// End of recovery for d/x/deep.tra, from 3 reference files\n"));
    const std::string count = std::to_string(recovered.size());
    EXPECT_EQ(Out(ReportName),
              OnDisk(end.progressText + "\n" + end.entryText + "\n" +
                     "Texts taken from greet.tra: " + (upperBlock.empty() ? "1" : "2") +
                     "\nTexts taken from d/dskenb.tra: 1\nTexts taken from d/x/night.tra: 1\n"));
    EXPECT_TRUE(end.progressText.starts_with("Completed (" + count + " / " + count + ")"));
    EXPECT_EQ(end.currentFileName, "d/x/deep.tra");
    EXPECT_TRUE(end.unsearchedSubFolders.empty());
}

TEST_F(BatchSubFoldersTest, AModFolderWithFilesOnlyInSubFoldersIsRecoveredWithTheSetting) {
    fs::remove(root.Path() / "mod/top.tra");

    const ProgressSnapshot without = Run(false);
    EXPECT_EQ(without.status, TraOpenFailed);
    EXPECT_EQ(without.progressText, "No file to process. Check specified mod directory: " +
                                        (root.Path() / "mod").string() + " holds no tra file.");
    EXPECT_EQ(without.unsearchedSubFolders, (std::vector<UnsearchedSubFolder>{{"d", 2}}));

    const ProgressSnapshot with = Run(true);
    EXPECT_EQ(with.status, TraOk) << with.progressText;
    EXPECT_EQ(with.filesDone, 2);
}

// --- The note of what was left out ---------------------------------------------

TEST_F(BatchSubFoldersTest, TheNoteFollowsTheSummaryExactlyWhenSubFoldersWithTraFilesWereLeftOut) {
    const ProgressSnapshot end = Run(false);

    ASSERT_EQ(end.status, TraOk) << end.progressText;
    // The empty and the text-only sub-folder are not named; "d" of the
    // reference folder is the mod folder's "d" again.
    EXPECT_EQ(end.unsearchedSubFolders, (std::vector<UnsearchedSubFolder>{{"d", 2}}));
    EXPECT_EQ(Out(ReportName),
              OnDisk(end.progressText + "\n" + end.entryText +
                     "\nSub-folders not searched: d (2 tra files); include them with "
                     "--recursive\n"));
    EXPECT_EQ(Written(), (Names{ReportName, "top.tra"}));

    fs::remove_all(root.Path() / "mod/d");
    fs::remove_all(root.Path() / "en/d");
    const ProgressSnapshot none = Run(false);
    EXPECT_TRUE(none.unsearchedSubFolders.empty());
    EXPECT_EQ(Out(ReportName), OnDisk(none.progressText + "\n" + none.entryText + "\n"))
        << "the report of a run that left nothing out is what it always was";
}

TEST_F(BatchSubFoldersTest, ReferenceSubFoldersAreNamedAfterTheModFolders) {
    Write({{"en/quests/q1.tra", "@0 = ~Quest~\n"}, {"en/D/extra.tra", "@0 = ~Extra~\n"}});

    const ProgressSnapshot end = Run(false);

    EXPECT_EQ(end.unsearchedSubFolders,
              (std::vector<UnsearchedSubFolder>{{"d", 2}, {"quests", 1}}));
}

// --- What fails under the destination or in the tree ------------------------------

TEST_F(BatchSubFoldersTest, AFileWhereADestinationSubFolderGoesFailsTheFileWithItsPath) {
    root.Write("out/d", "a file in the way");

    const ProgressSnapshot end = Run(true);
    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText, "The destination " + Native("out/d") + " is not a folder");
    EXPECT_EQ(Out("d"), "a file in the way");

    RecoveryOptions keepGoing;
    keepGoing.keepGoing = true;
    const ProgressSnapshot skipped = Run(true, keepGoing);
    EXPECT_EQ(skipped.status, TraOpenFailed);
    EXPECT_EQ(
        skipped.skippedFiles,
        (Names{"Skipped d/dskenb.tra: The destination " + Native("out/d") + " is not a folder",
               "Skipped d/x/deep.tra: The destination " + Native("out/d") + " is not a folder"}));
    EXPECT_TRUE(fs::exists(root.Path() / "out/top.tra"));
}

#if !defined(_WIN32)
TEST_F(BatchSubFoldersTest, ASubFolderThatCannotBeListedFailsTheRunUnlessItKeepsGoing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    root.Write("mod/locked/l.tra", "@0 = ~Hello there~\n");
    fs::permissions(root.Path() / "mod/locked", fs::perms::none);
    const std::string fault =
        "Cannot list the folder " + root / "mod/locked" + ", cause: Permission denied";

    const ProgressSnapshot end = Run(true);
    const bool recoveredAny = fs::exists(root.Path() / "out/top.tra");
    RecoveryOptions keepGoing;
    keepGoing.keepGoing = true;
    const ProgressSnapshot skipped = Run(true, keepGoing);
    fs::permissions(root.Path() / "mod/locked", fs::perms::owner_all);

    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText, fault);
    EXPECT_FALSE(recoveredAny);
    EXPECT_EQ(skipped.skippedFiles, Names{"Skipped " + root / "mod/locked" + ": " + fault});
    EXPECT_EQ(skipped.filesDone, 3);
}
#endif

}  // namespace
