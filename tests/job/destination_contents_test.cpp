// What a window learns of the destination before it asks the user: whether
// it is there, and which files of an earlier run a new run would replace.

#include "job/destination_contents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;
using Strings = std::vector<std::string>;

namespace {

// A mod folder of two tra files (and a file the run ignores), and a
// destination that holds what an earlier run with every output wrote, and
// files of the user's own.
class DestinationContentsTest : public ::testing::Test {
protected:
    DestinationContentsTest() {
        root.Write("mod/a.tra", "@1 = ~A~\n");
        root.Write("mod/B.TRA", "@1 = ~B~\n");
        root.Write("mod/readme.txt", "not a tra file");
        for (const char* name :
             {"a.tra", "B.TRA", "readme.txt", "other.tra", "Wordgleaner_report.txt", "tp2patch.tp2",
              "Wordgleaner_review.html"}) {
            root.Write(std::string("out/") + name, "earlier");
        }
        inputs.references = {{root / "ref.tra", root / "ref_fr.tra"}};
        inputs.modDirectory = root / "mod";
        inputs.destinationDirectory = root / "out";
    }

    std::string Out(const std::string& name) const { return (root.Path() / "out" / name).string(); }

    TempDir root;
    JobInputs inputs;
};

// An earlier run's patch and review are cleared by every run, whatever its
// own options, so they count as replaced too.
TEST_F(DestinationContentsTest, OnlyTheFilesThisRunWritesOrClearsCountInTheOrderItWritesThem) {
    EXPECT_EQ(OutputsARunWouldReplace(inputs),
              (Strings{Out("a.tra"), Out("B.TRA"), Out("Wordgleaner_report.txt"),
                       Out("tp2patch.tp2"), Out("Wordgleaner_review.html")}));
}

TEST_F(DestinationContentsTest, WithSubFoldersTheRecoveredFilesOfTheWholeTreeCount) {
    root.Write("mod/d/c.tra", "@1 = ~C~\n");
    root.Write("out/d/c.tra", "earlier");
    EXPECT_EQ(OutputsARunWouldReplace(inputs).size(), 5u) << "without the setting d/ is not read";

    inputs.options.includeSubFolders = true;
    EXPECT_EQ(OutputsARunWouldReplace(inputs)[2], (root.Path() / "out" / "d" / "c.tra").string());
}

TEST_F(DestinationContentsTest, AnEmptyDestinationOrAnUnlistableModFolderCountLittle) {
    fs::create_directory(root.Path() / "empty");
    inputs.destinationDirectory = root / "empty";
    EXPECT_EQ(OutputsARunWouldReplace(inputs), Strings{});

    inputs.destinationDirectory = root / "out";
    inputs.modDirectory = root / "no mod";
    EXPECT_EQ(OutputsARunWouldReplace(inputs),
              (Strings{Out("Wordgleaner_report.txt"), Out("tp2patch.tp2"),
                       Out("Wordgleaner_review.html")}));
}

TEST_F(DestinationContentsTest, OnlyANameThatIsNothingYetIsAbsent) {
    EXPECT_TRUE(DestinationAbsent(root / "new"));
    EXPECT_FALSE(DestinationAbsent(root / "out"));
    EXPECT_FALSE(DestinationAbsent(root / "mod/a.tra"));  // a file: no folder, but not missing
    EXPECT_FALSE(DestinationAbsent(""));
#if !defined(_WIN32)
    fs::create_symlink(root / "nowhere", root.Path() / "dangling");
    EXPECT_FALSE(DestinationAbsent(root / "dangling"));
#endif
}

TEST_F(DestinationContentsTest, CreatingMakesTheFoldersAboveTooOrTellsWhyNot) {
    EXPECT_EQ(CreateDestination(root / "new/deeper/out"), "");
    EXPECT_TRUE(fs::is_directory(root.Path() / "new/deeper/out"));
    EXPECT_EQ(CreateDestination(root / "out"), "");  // already there: nothing to do

    const std::string underFile = (root.Path() / "mod/a.tra/out").string();
    const std::string problem = CreateDestination(underFile);
    EXPECT_EQ(
        problem.rfind("Could not create the destination folder " + underFile + ", cause: ", 0), 0u)
        << problem;
}

}  // namespace
