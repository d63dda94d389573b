// The built wordgleaner-cli run as a separate process, its output going to
// files as in a script's pipe.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/held_destination.h"
#include "support/temp_dir.h"
#include "wordgleaner/version.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

const std::string Program = WORDGLEANER_CLI_PROGRAM;
const fs::path Examples = WORDGLEANER_EXAMPLES;

std::string Quoted(const std::string& word) {
#if defined(_WIN32)
    return "\"" + word + "\"";
#else
    std::string quoted = "'";
    for (char byte : word) {
        quoted += byte == '\'' ? std::string("'\\''") : std::string(1, byte);
    }
    return quoted + "'";
#endif
}

// The program's lines as text: on Windows its standard streams end them with
// CR LF.
std::string WithoutCarriageReturns(std::string text) {
#if defined(_WIN32)
    std::erase(text, '\r');
#endif
    return text;
}

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Outcome RunProgram(const std::vector<std::string>& arguments, const TempDir& scratch) {
    std::string command = Quoted(Program);
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    const std::string outFile = scratch / "stdout.txt";
    const std::string errFile = scratch / "stderr.txt";
    // Standard input from a file of its own: Windows refuses to open one file
    // as both input and output.
    command +=
        " <" + Quoted(scratch / "stdin.txt") + " >" + Quoted(outFile) + " 2>" + Quoted(errFile);
    scratch.Write("stdin.txt", "");
#if defined(_WIN32)
    // cmd.exe takes off the first and the last quote of a command line.
    command = "\"" + command + "\"";
#endif
    const int raw = std::system(command.c_str());
    Outcome outcome;
#if defined(_WIN32)
    outcome.exitCode = raw;
#else
    outcome.exitCode = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    outcome.out = WithoutCarriageReturns(TempDir::Read(outFile));
    outcome.err = WithoutCarriageReturns(TempDir::Read(errFile));
    return outcome;
}

std::vector<std::string> ExampleArguments(const std::string& destination) {
    return {(Examples / "reference/english.tra").string(),
            (Examples / "reference/french.tra").string(), (Examples / "mod").string(), destination};
}

TEST(CliProgram, RecoversTheExamplesAndPrintsPlainLinesIntoAPipe) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    std::vector<std::string> arguments{"--patch"};
    for (const std::string& argument : ExampleArguments(scratch / "out")) {
        arguments.push_back(argument);
    }

    Outcome outcome = RunProgram(arguments, scratch);

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out.find('\x1b'), std::string::npos) << "no cursor movement in a pipe";
    const std::string ending =
        "Completed (3 / 3) with threshold for very likely match 95.00 %, threshold for likely "
        "50.00 %\nEntries: 16, Exact match: 8, Very likely match: 2, Likely match: 2\n";
    ASSERT_GE(outcome.out.size(), ending.size()) << outcome.out;
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - ending.size()), ending);
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(scratch.Path() / "out")) {
        written.push_back(entry.path().filename().string());
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"Wordgleaner_report.txt", "dialog.tra",
                                                 "items.tra", "setup.TRA", "tp2patch.tp2"}));
}

TEST(CliProgram, ExitsWithTheJobStatusWhenTheRunFails) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    std::vector<std::string> arguments = ExampleArguments(scratch / "out");
    arguments[2] = scratch / "no mod here";

    Outcome outcome = RunProgram(arguments, scratch);

    EXPECT_EQ(outcome.exitCode, 4);
    EXPECT_EQ(outcome.out, "No file to process. Check specified mod directory: " + arguments[2] +
                               " does not exist.\n");
    EXPECT_EQ(outcome.err, "wordgleaner-cli: failed with status 4 (Failed to open file)\n");
}

// This test process holds the lock as another run would; the program, a
// process of its own, finds it held.
TEST(CliProgram, ADestinationAnotherRunWritesIntoEndsTheProgramAtOnceWith75) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    test_support::HeldDestination other(scratch.Path() / "out");
    ASSERT_TRUE(other.Held());

    Outcome outcome = RunProgram(ExampleArguments(scratch / "out"), scratch);

    EXPECT_EQ(outcome.exitCode, 75);
    EXPECT_EQ(outcome.out, "Another run is writing into " + scratch / "out" + "\n");
    EXPECT_EQ(outcome.err,
              "wordgleaner-cli: failed with status 75 (Destination in use by another run)\n");
    EXPECT_EQ(fs::directory_iterator(scratch.Path() / "out")->path().filename(), "Wordgleaner.lock")
        << "nothing but the other run's lock file";
}

TEST(CliProgram, ADamagedStringTableExitsWith17AndNamesItsEntry) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    const std::string table = scratch.Write("en_US/dialog.tlk", "TLK V1  \x01\x00");
    std::vector<std::string> arguments = ExampleArguments(scratch / "out");
    arguments[0] = table;

    Outcome outcome = RunProgram(arguments, scratch);

    EXPECT_EQ(outcome.exitCode, 17);
    EXPECT_NE(
        outcome.out.find("Failed to load " + table + ", cause: Damaged string table at entry 0\n"),
        std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.err, "wordgleaner-cli: failed with status 17 (Damaged string table)\n");
}

TEST(CliProgram, BadOptionsExitWith64AndAUsageMessageOnTheErrorStream) {
    TempDir scratch;
    std::vector<std::string> arguments{"--threshold", "80"};
    for (const std::string& argument : ExampleArguments(scratch / "out")) {
        arguments.push_back(argument);
    }

    Outcome outcome = RunProgram(arguments, scratch);

    EXPECT_EQ(outcome.exitCode, 64);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Likeliness threshold must be between 90 and 100"),
              std::string::npos);
    EXPECT_NE(outcome.err.find("Usage: wordgleaner-cli"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch.Path() / "out"));
}

// The reference's folder as destination would have the recovered
// dialog.tra replace the reference it was recovered from.
TEST(CliProgram, RefusesADestinationThatHoldsAReferenceFileUnlessInPlace) {
    TempDir scratch;
    const std::string reference = scratch.Write("game/dialog.tra", "@1 = ~Hello~\n");
    scratch.Write("fr/dialog.tra", "@1 = ~Bonjour~\n");
    scratch.Write("mod/dialog.tra", "@7 = ~Hello~\n");

    Outcome outcome = RunProgram(
        {scratch / "game/dialog.tra", scratch / "fr/dialog.tra", scratch / "mod", scratch / "game"},
        scratch);

    EXPECT_EQ(outcome.exitCode, 64);
    EXPECT_NE(outcome.err.find("--in-place"), std::string::npos) << outcome.err;
    EXPECT_EQ(TempDir::Read(reference), "@1 = ~Hello~\n");
}

TEST(CliProgram, RecoversFromReferenceFoldersAndAlsoReferencePairs) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    const fs::path versions = Examples / "new-version";
    Outcome outcome =
        RunProgram({(versions / "v1" / "english").string(), (versions / "v1" / "french").string(),
                    "--also-reference", (Examples / "reference" / "english.tra").string(),
                    (Examples / "reference" / "french.tra").string(), (versions / "v2").string(),
                    scratch / "out"},
                   scratch);

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    const std::string report = TempDir::Read(scratch / "out/Wordgleaner_report.txt");
    EXPECT_NE(report.find("Texts taken from quests.tra: 4\r\nTexts taken from english.tra: 1"),
              std::string::npos)
        << report;
}

TEST(CliProgram, APairOfAFileAndAFolderExitsWith64BeforeAnyRun) {
    TempDir scratch;
    fs::create_directory(scratch.Path() / "out");
    std::vector<std::string> arguments = ExampleArguments(scratch / "out");
    arguments.insert(arguments.begin(),
                     {"--also-reference", (Examples / "reference" / "english.tra").string(),
                      (Examples / "mod").string()});

    Outcome outcome = RunProgram(arguments, scratch);

    EXPECT_EQ(outcome.exitCode, 64);
    EXPECT_NE(outcome.err.find("A reference pair must be two files or two folders"),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(fs::is_empty(scratch.Path() / "out"));
}

TEST(CliProgram, PrintsItsVersion) {
    TempDir scratch;
    Outcome outcome = RunProgram({"--version"}, scratch);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, std::string("wordgleaner-cli ") + WORDGLEANER_VERSION + "\n");
}

#if !defined(_WIN32)
TEST(CliProgram, HelpAndVersionIntoAFullDiskEndWithAFailure) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    for (const char* flag : {"--help", "--version"}) {
        const std::string command = Quoted(Program) + " " + flag + " >/dev/full 2>/dev/null";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << flag;
        EXPECT_NE(WEXITSTATUS(raw), 0) << flag;
    }
}
#endif

}  // namespace
