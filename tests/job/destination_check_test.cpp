// The destination as a run finds it before loading anything: a folder it
// can write into, apart from the files it reads.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "job/destination_check.h"
#include "job/worker/mod_directory.h"
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

// --- Inputs and outputs compared as files -----------------------------------

class SharedFileTest : public DestinationCheckTest {
protected:
    SharedFileTest() {
        modFile = root.Write("mod/GAME.TRA", "@1 = ~Hello~\n");
        reference = inputs.references[0].original;
    }

    // The fault's message, or "none".
    std::string SharedFault() {
        const DestinationCheck check = Check(root / "out");
        if (check.fault == DestinationFault::None) {
            return "none";
        }
        EXPECT_EQ(check.fault, DestinationFault::SharesInputFile) << check.message;
        EXPECT_TRUE(check.NeedsConsent());
        return check.message;
    }

    std::string JoinedOut(const std::string& name) { return JoinPath(root / "out", name); }
    std::string ModPath(const std::string& name) { return JoinPath(inputs.modDirectory, name); }

    std::string Message(const std::string& output, const std::string& role,
                        const std::string& input) {
        return "The destination file " + output + " is " + role + " " + input +
               " under another name (a link, or a second name of the same file): a run never "
               "writes where it reads.";
    }

    std::string modFile;
    std::string reference;
};

TEST_F(SharedFileTest, FilesOfOtherNamesOrOtherFilesOfTheSameNamesPass) {
    root.Write("out/GAME.TRA", "@1 = ~an earlier run~\n");
    root.Write("out/Wordgleaner_report.txt", "an earlier report\n");
    root.Write("out/dialog.tra", "not written: no mod file of that name\n");

    EXPECT_EQ(SharedFault(), "none");
}

TEST_F(SharedFileTest, ASecondNameOfAModFileInTheDestinationNeedsConsent) {
    std::error_code noHardLinks;
    fs::create_hard_link(modFile, root.Path() / "out/GAME.TRA", noHardLinks);
    if (noHardLinks) {
        GTEST_SKIP() << "no hard links here: " << noHardLinks.message();
    }
    EXPECT_EQ(SharedFault(), Message(JoinedOut("GAME.TRA"), "the mod file", ModPath("GAME.TRA")));
}

#if !defined(_WIN32)  // links need privileges there
TEST_F(SharedFileTest, ALinkInTheDestinationToAnInputNeedsConsent) {
    fs::create_symlink(modFile, root.Path() / "out/GAME.TRA");
    EXPECT_EQ(SharedFault(), Message(JoinedOut("GAME.TRA"), "the mod file", ModPath("GAME.TRA")));

    fs::remove(root.Path() / "out/GAME.TRA");
    fs::create_symlink(reference, root.Path() / "out/Wordgleaner_report.txt");
    EXPECT_EQ(SharedFault(),
              Message(JoinedOut("Wordgleaner_report.txt"), "the reference file", reference));
}

TEST_F(SharedFileTest, AnInputThatIsALinkIntoTheDestinationNeedsConsent) {
    const std::string earlier = root.Write("out/GAME.TRA", "@1 = ~an earlier run~\n");
    fs::remove(modFile);
    fs::create_symlink(earlier, modFile);
    EXPECT_EQ(SharedFault(), Message(JoinedOut("GAME.TRA"), "the mod file", ModPath("GAME.TRA")));

    fs::remove(modFile);
    root.Write("mod/GAME.TRA", "@1 = ~Hello~\n");
    const std::string linked = root / "linked.tra";
    fs::create_symlink(root.Write("out/tp2patch.tp2", "an earlier patch\n"), linked);
    inputs.references.push_back({linked, inputs.references[0].translated});
    EXPECT_EQ(SharedFault(), Message(JoinedOut("tp2patch.tp2"), "the reference file", linked));
}

// Replaced by the run, the link goes and what it pointed to stays: no
// input is at stake.
TEST_F(SharedFileTest, ALinkInTheDestinationToAFileOutsideTheRunPasses) {
    fs::create_symlink(root.Write("victim.txt", "unrelated\n"), root.Path() / "out/tp2patch.tp2");
    EXPECT_EQ(SharedFault(), "none");
}
#endif

}  // namespace
