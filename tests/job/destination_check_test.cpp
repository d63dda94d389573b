// The destination as a run finds it before loading anything: a folder it
// can write into, apart from the files it reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "job/destination_check.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

class DestinationCheckTest : public ::testing::Test {
protected:
    DestinationCheckTest() {
        inputs.references = {{root.Write("game/dialog.tra", "@1 = ~Hello~\n"),
                              root.Write("fr/dialog.tra", "@1 = ~Salut~\n")}};
        inputs.modDirectory = root / "mod";
        inputs.destinationDirectory = root / "out";
        fs::create_directory(root.Path() / "mod");
        fs::create_directory(root.Path() / "out");
    }

    DestinationCheck Check(const std::string& destination) {
        inputs.destinationDirectory = destination;
        return CheckDestination(inputs);
    }

    TempDir root;
    JobInputs inputs;
};

TEST_F(DestinationCheckTest, AnEmptyFolderApartFromTheInputsPassesAndStaysEmpty) {
    const DestinationCheck check = Check(root / "out");

    EXPECT_EQ(check.fault, DestinationFault::None);
    EXPECT_FALSE(check.Refused());
    EXPECT_FALSE(check.NeedsConsent());
    EXPECT_TRUE(fs::is_empty(root.Path() / "out")) << "the trial file is removed";
}

TEST_F(DestinationCheckTest, AMissingDestinationOrAFileIsRefusedWithCodeFour) {
    for (const std::string& destination : {root / "missing", inputs.references[0].original}) {
        const DestinationCheck check = Check(destination);

        EXPECT_EQ(check.fault, DestinationFault::Missing) << destination;
        EXPECT_TRUE(check.Refused());
        EXPECT_EQ(check.Status(), TraOpenFailed);
        EXPECT_NE(check.message.find(destination), std::string::npos) << check.message;
    }
}

TEST_F(DestinationCheckTest, AFolderNoFileCanBeCreatedInIsRefused) {
#if defined(_WIN32)
    GTEST_SKIP() << "a read-only folder still takes new files on Windows";
#else
    // The administrator writes into any folder of a local disk, whatever its
    // permission bits; /proc refuses everyone.
    if (!fs::is_directory("/proc/self")) {
        GTEST_SKIP() << "no /proc";
    }
    const DestinationCheck check = Check("/proc/self");

    EXPECT_EQ(check.fault, DestinationFault::NotWritable);
    EXPECT_TRUE(check.Refused());
    EXPECT_NE(check.message.find("Cannot write into the destination folder /proc/self, cause: "),
              std::string::npos)
        << check.message;
#endif
}

TEST_F(DestinationCheckTest, TheModFolderUnderAnyOfItsNamesNeedsConsent) {
    for (const std::string& destination :
         {inputs.modDirectory, root / "out/../mod", inputs.modDirectory + "/"}) {
        const DestinationCheck check = Check(destination);

        EXPECT_EQ(check.fault, DestinationFault::IsModFolder) << destination;
        EXPECT_TRUE(check.NeedsConsent());
        EXPECT_FALSE(check.Refused());
    }
}

TEST_F(DestinationCheckTest, AFolderHoldingEitherReferenceNeedsConsent) {
    for (const std::string& folder : {root / "game", root / "fr"}) {
        const DestinationCheck check = Check(folder);

        EXPECT_EQ(check.fault, DestinationFault::HoldsReference) << folder;
        EXPECT_TRUE(check.NeedsConsent());
        EXPECT_NE(check.message.find("dialog.tra"), std::string::npos);
    }
}

TEST_F(DestinationCheckTest, AFolderPairGuardsItsOwnFoldersNotTheirParent) {
    fs::create_directories(root.Path() / "sets" / "v1" / "en");
    fs::create_directories(root.Path() / "sets" / "v1" / "fr");
    inputs.references = {{root / "sets/v1/en", root / "sets/v1/fr"}};

    for (const std::string& folder : {root / "sets/v1/en", root / "sets/v1/fr"}) {
        const DestinationCheck check = Check(folder);
        EXPECT_EQ(check.fault, DestinationFault::HoldsReference) << folder;
        EXPECT_NE(check.message.find("is the reference folder " + folder), std::string::npos)
            << check.message;
    }
    EXPECT_EQ(Check(root / "sets/v1").fault, DestinationFault::None);
}

// A run that reads the whole trees would read a destination below them back.
TEST_F(DestinationCheckTest, WithSubFoldersADestinationInsideAReadTreeNeedsConsent) {
    fs::create_directories(root.Path() / "mod/d/out");
    fs::create_directories(root.Path() / "sets/en/d/out");
    fs::create_directories(root.Path() / "sets/fr/out");
    inputs.references.push_back({root / "sets/en", root / "sets/fr"});
    const std::string insideMod = root / "mod/d/out";
    EXPECT_EQ(Check(insideMod).fault, DestinationFault::None) << "only the mod folder itself";

    inputs.options.includeSubFolders = true;
    const DestinationCheck check = Check(insideMod);
    EXPECT_EQ(check.fault, DestinationFault::IsModFolder);
    EXPECT_TRUE(check.NeedsConsent());
    EXPECT_NE(check.message.find("inside the mod folder"), std::string::npos) << check.message;
    for (const std::string& folder : {root / "sets/en/d/out", root / "sets/fr/out"}) {
        const DestinationCheck inside = Check(folder);
        EXPECT_EQ(inside.fault, DestinationFault::HoldsReference) << folder;
        EXPECT_NE(inside.message.find("inside the reference folder"), std::string::npos)
            << inside.message;
    }
    EXPECT_EQ(Check(root / "out").fault, DestinationFault::None);
    EXPECT_EQ(Check(root / "game").fault, DestinationFault::HoldsReference)
        << "a file pair's folder, as before";
#if !defined(_WIN32)  // links need privileges there
    fs::create_directory_symlink(root.Path() / "mod/d", root.Path() / "linked");
    EXPECT_EQ(Check(root / "linked/out").fault, DestinationFault::IsModFolder)
        << "found inside through a link too";
#endif
}

TEST_F(DestinationCheckTest, AReferenceGivenByABareNameIsLookedForInTheCurrentFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(root.Path() / "game");
    inputs.references[0].original = "dialog.tra";

    const DestinationCheck check = Check(root / "game");

    fs::current_path(previous);
    EXPECT_EQ(check.fault, DestinationFault::HoldsReference);
}

}  // namespace
