// The batch over a reference set: folder pairs, several pairs in priority
// order, and what a set changes in the recovered files, patch and report.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "job/reference_pair.h"
#include "store/tra_error.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

const fs::path Examples = WORDGLEANER_EXAMPLES;
constexpr const char* ReportName = "Wordgleaner_report.txt";
constexpr const char* PatchName = "tp2patch.tp2";

using Outputs = std::map<std::string, std::string>;

std::string ExampleText(const std::string& name) {
    return TempDir::Read((Examples / "reference" / name).string());
}

// Every line of `text` from the first line beginning with `from` up to, not
// including, the first beginning with `to` ("" for the end).
std::string LinesBetween(const std::string& text, const std::string& from, const std::string& to) {
    std::istringstream lines(text);
    std::string line;
    std::string taken;
    bool started = false;
    while (std::getline(lines, line)) {
        started = started || line.starts_with(from);
        if (started && !to.empty() && line.starts_with(to)) {
            break;
        }
        if (started) {
            taken += line + "\n";
        }
    }
    return taken;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// What the writer and the patch put on disk: every line ends with CR LF.
std::string OnDisk(const std::string& text) {
    return ReplaceAll(text, "\n", "\r\n");
}

class BatchReferenceSetTest : public ::testing::Test {
protected:
    BatchReferenceSetTest() {
        fs::create_directories(root.Path() / "mod");
        fs::create_directories(root.Path() / "out");
    }

    // In the system's own form, as the run joins a folder and a file name.
    std::string Path(const std::string& name) const {
        return (root.Path() / name).make_preferred().string();
    }

    // Writes each file, by its path under the root, with its text.
    void WriteFiles(const std::map<std::string, std::string>& files) {
        for (const auto& [name, text] : files) {
            root.Write(name, text);
        }
    }

    void AddModFile(const std::string& name, const std::string& content) {
        root.Write("mod/" + name, content);
    }

    ProgressSnapshot Run(const ReferencePairs& pairs, const RecoveryOptions& options = {}) {
        for (const auto& entry : fs::directory_iterator(root.Path() / "out")) {
            fs::remove(entry.path());
        }
        return test_support::RunBatch(job, pairs, Path("mod"), Path("out"), options);
    }

    Outputs Written() const {
        Outputs files;
        for (const auto& entry : fs::directory_iterator(root.Path() / "out")) {
            files[entry.path().filename().string()] = TempDir::Read(entry.path().string());
        }
        return files;
    }

    std::string Out(const std::string& name) const { return TempDir::Read(Path("out/" + name)); }

    static RecoveryOptions WithPatch() {
        RecoveryOptions options;
        options.generatePatch = true;
        return options;
    }

    TempDir root;
    CheckPointHook atCheckPoint;  // set by a test before its run
    RecoveryJob job{
        {.atCheckPoint = [this](CheckPoint point) { return atCheckPoint && atCheckPoint(point); }}};
};

// --- A set finds what one file finds --------------------------------------

TEST_F(BatchReferenceSetTest, AFolderHoldingOnlyTheSinglePairWritesTheSingleFileRunsBytes) {
    root.Write("orig/game.tra", ExampleText("english.tra"));
    root.Write("trans/game.tra", ExampleText("french.tra"));
    for (const char* name : {"dialog.tra", "items.tra", "setup.TRA"}) {
        AddModFile(name, TempDir::Read((Examples / "mod" / name).string()));
    }
    ASSERT_EQ(Run({{Path("orig/game.tra"), Path("trans/game.tra")}}, WithPatch()).status, TraOk);
    const Outputs single = Written();
    ASSERT_EQ(Run({{Path("orig"), Path("trans")}}, WithPatch()).status, TraOk);
    EXPECT_EQ(Written(), single);
}

// The examples' reference cut into three files in a row: the same outcomes,
// scores and translations, only the file named in comments differs.
TEST_F(BatchReferenceSetTest, AReferenceSplitIntoSeveralFilesFindsTheSameTexts) {
    const std::string english = ExampleText("english.tra");
    root.Write("whole/english.tra", english);
    root.Write("part1/english.tra", LinesBetween(english, "", "@1011"));
    root.Write("parts/p2.tra", LinesBetween(english, "@1011", "@1022"));
    root.Write("parts/p3.tra", LinesBetween(english, "@1022", ""));
    for (const char* name : {"english.tra", "p2.tra", "p3.tra"}) {
        root.Write(std::string("translated/") + name, ExampleText("french.tra"));
    }
    for (const char* name : {"dialog.tra", "items.tra", "setup.TRA"}) {
        AddModFile(name, TempDir::Read((Examples / "mod" / name).string()));
    }
    const ProgressSnapshot whole =
        Run({{Path("whole/english.tra"), Path("translated/english.tra")}});
    ASSERT_EQ(whole.status, TraOk);
    const Outputs single = Written();
    const ProgressSnapshot split = Run({{Path("part1/english.tra"), Path("translated/english.tra")},
                                        {Path("parts"), Path("translated")}});
    ASSERT_EQ(split.status, TraOk);
    EXPECT_EQ(split.entryText, whole.entryText);
    for (const char* name : {"dialog.tra", "items.tra", "setup.TRA"}) {
        EXPECT_EQ(
            ReplaceAll(ReplaceAll(Out(name), "p2.tra", "english.tra"), "p3.tra", "english.tra"),
            single.at(name))
            << name;
    }
}

// --- Ids of different files never mix --------------------------------------

TEST_F(BatchReferenceSetTest, CollidingIdsTakeTheTranslationOfTheFileWhereTheTextWasFound) {
    WriteFiles({{"en/a.tra", "@0 = ~Alpha speaks~\n@1 = ~Shared words here~\n"},
                {"en/b.tra", "@0 = ~Beta speaks~\n@1 = ~Only in b~\n"},
                {"fr/A.TRA", "@0 = ~Alpha parle~\n@1 = ~Mots partages~\n"},
                {"fr/b.tra", "@0 = ~Beta parle~\n@1 = ~Seulement dans b~\n"}});
    AddModFile("m.tra", "@5 = ~Beta speaks~\n@6 = ~Alpha speaks~\n@7 = ~Only in b~\n");
    ASSERT_EQ(Run({{Path("en"), Path("fr")}}, WithPatch()).status, TraOk);
    EXPECT_EQ(Out("m.tra"),
              OnDisk("// Wordgleaner: case sensitive exact match found in file b.tra at Id 0\n"
                     "@5     = ~Beta parle~\n"
                     "// Wordgleaner: case sensitive exact match found in file a.tra at Id 0\n"
                     "@6     = ~Alpha parle~\n"
                     "// Wordgleaner: case sensitive exact match found in file b.tra at Id 1\n"
                     "@7     = ~Seulement dans b~\n"));
    EXPECT_EQ(Out(PatchName),
              OnDisk("// Recovered for m.tra, from 2 reference files\n"
                     "\tSTRING_SET ~5~ @0\t// b.tra: Exact match\n"
                     "\tSTRING_SET ~6~ @0\t// a.tra: Exact match\n"
                     "\tSTRING_SET ~7~ @1\t// b.tra: Exact match\n"
                     "// Processed entries 3 / 3: Exact 3 / Very likely 0 / Likely 0 / Empty 0\n"
                     "// End of recovery for m.tra, from 2 reference files\n"));
}

TEST_F(BatchReferenceSetTest, AnOriginalWithoutCounterpartIsSearchedAndWarns) {
    WriteFiles({{"en/a.tra", "@0 = ~Alpha speaks~\n"},
                {"en/b.tra", "@0 = ~Beta speaks~\n"},
                {"fr/a.tra", "@0 = ~Alpha parle~\n"},
                {"fr/c.tra", "@0 = ~Gamma parle~\n"}});
    AddModFile("m.tra", "@5 = ~Beta speaks~\n@6 = ~Alpha speaks~\n");
    ASSERT_EQ(Run({{Path("en"), Path("fr")}}).status, TraOk);
    EXPECT_EQ(
        Out("m.tra"),
        OnDisk("// Wordgleaner: Warning! Exact match found in file b.tra at Id 0, but missing in "
               "the reference translated file\n"
               "@5     = ~Beta speaks~\n"
               "// Wordgleaner: case sensitive exact match found in file a.tra at Id 0\n"
               "@6     = ~Alpha parle~\n"));
    const std::string report = Out(ReportName);
    EXPECT_NE(report.find(OnDisk("\nTexts taken from a.tra: 1\nTexts taken from b.tra: 1\n")),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("Ignored " + Path("fr/c.tra") + ": no file of that name in " +
                          Path("en") + "\r\n"),
              std::string::npos)
        << report;
}

TEST_F(BatchReferenceSetTest, TheEarlierPairWinsATieAndTheLaterOneStillFindsTheRest) {
    WriteFiles({{"one/en/x.tra", "@5 = ~Hello there~\n"},
                {"one/fr/x.tra", "@5 = ~Bonjour (un)~\n"},
                {"two/en.tra", "@9 = ~Hello there~\n@10 = ~Good night~\n"},
                {"two/fr.tra", "@9 = ~Bonjour (deux)~\n@10 = ~Bonne nuit~\n"}});
    AddModFile("m.tra", "@1 = ~Hello there~\n@2 = ~Good night~\n");
    RecoveryOptions options;
    options.commentMode = CommentNone;
    const ReferencePair one{Path("one/en"), Path("one/fr")};
    const ReferencePair two{Path("two/en.tra"), Path("two/fr.tra")};
    ASSERT_EQ(Run({one, two}, options).status, TraOk);
    EXPECT_EQ(Out("m.tra"), OnDisk("@1     = ~Bonjour (un)~\n@2     = ~Bonne nuit~\n"));
    ASSERT_EQ(Run({two, one}, options).status, TraOk);
    EXPECT_EQ(Out("m.tra"), OnDisk("@1     = ~Bonjour (deux)~\n@2     = ~Bonne nuit~\n"));
}

// --- Loading the set --------------------------------------------------------

TEST_F(BatchReferenceSetTest, ProgressNamesEachReferenceFileOfASetAsItLoads) {
    WriteFiles(
        {{"en/a.tra", "@0 = ~A~\n"}, {"en/b.tra", "@0 = ~B~\n"}, {"fr/a.tra", "@0 = ~A~\n"}});
    AddModFile("m.tra", "@1 = ~A~\n");
    std::vector<std::string> seen;
    atCheckPoint = [this, &seen](CheckPoint point) {
        if (point == CheckPoint::AfterOriginalReference ||
            point == CheckPoint::AfterTranslatedReference) {
            seen.push_back(job.Snapshot().progressText);
        }
        return false;
    };
    ASSERT_EQ(Run({{Path("en"), Path("fr")}}).status, TraOk);
    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "Loading reference tra file 1 / 2 in original language: " + Path("en/a.tra"),
                  "Loading reference tra file 1 / 2 in destination language: " + Path("fr/a.tra"),
                  "Loading reference tra file 2 / 2 in original language: " + Path("en/b.tra")}));
}

TEST_F(BatchReferenceSetTest, AFileThatFailsToLoadFailsTheRunWithItsNameAndCause) {
    WriteFiles({{"en/a.tra", "@0 = ~A~\n"},
                {"en/worldmap.tra", "@north = ~North~\n"},
                {"fr/a.tra", "@0 = ~A~\n"}});
    AddModFile("m.tra", "@1 = ~A~\n");
    const ProgressSnapshot end = Run({{Path("en"), Path("fr")}});
    EXPECT_NE(end.status, TraOk);
    EXPECT_EQ(end.progressText, "Failed to load " + Path("en/worldmap.tra") +
                                    ", cause: Missing Id value after @ at line 1");
    EXPECT_FALSE(fs::exists(Path("out/m.tra")));
}

TEST_F(BatchReferenceSetTest, WithKeepGoingAFailingFileIsLeftOutAndNamed) {
    WriteFiles({{"en/a.tra", "@0 = ~A~\n"},
                {"en/worldmap.tra", "@north = ~North~\n"},
                {"fr/a.tra", "@0 = ~Ah~\n"}});
    AddModFile("m.tra", "@1 = ~A~\n");
    RecoveryOptions options;
    options.keepGoing = true;
    options.commentMode = CommentNone;
    const ProgressSnapshot end = Run({{Path("en"), Path("fr")}}, options);
    EXPECT_NE(end.status, TraOk);
    EXPECT_EQ(Out("m.tra"), OnDisk("@1     = ~Ah~\n"));
    ASSERT_EQ(end.skippedFiles.size(), 1u);
    EXPECT_TRUE(
        end.skippedFiles[0].starts_with("Skipped " + Path("en/worldmap.tra") + ": Failed to load "))
        << end.skippedFiles[0];
}

#if !defined(_WIN32)
// Opening a named pipe that nobody writes into would hold the run for good.
TEST_F(BatchReferenceSetTest, ANamedPipeOfATraNameInAFolderFailsTheRunWithItsKind) {
    WriteFiles({{"en/a.tra", "@0 = ~A~\n"}, {"fr/a.tra", "@0 = ~Ah~\n"}});
    ASSERT_EQ(::mkfifo(Path("en/b.tra").c_str(), 0600), 0);
    AddModFile("m.tra", "@1 = ~A~\n");
    const ProgressSnapshot end = Run({{Path("en"), Path("fr")}});
    EXPECT_EQ(end.status, TraOpenFailed);
    EXPECT_EQ(end.progressText, "Failed to load " + Path("en/b.tra") +
                                    ", cause: Failed to open file (a named pipe, not a regular "
                                    "file)");
    EXPECT_FALSE(fs::exists(Path("out/m.tra")));
}
#endif

TEST_F(BatchReferenceSetTest, PairsThatGiveNoFileFailTheRunBeforeAnyLoad) {
    fs::create_directories(root.Path() / "empty");
    root.Write("file.tra", "@0 = ~A~\n");
    AddModFile("m.tra", "@1 = ~A~\n");
    const struct {
        ReferencePair pair;
        std::string text;
    } cases[] = {
        {{Path("empty"), Path("empty")}, "No tra file in the reference folder " + Path("empty")},
        {{Path("file.tra"), Path("empty")},
         MixedReferencePairText({Path("file.tra"), Path("empty")})},
    };
    for (const auto& each : cases) {
        const ProgressSnapshot end = Run({each.pair});
        EXPECT_EQ(end.status, TraOpenFailed);
        EXPECT_EQ(end.progressText, each.text);
        EXPECT_FALSE(fs::exists(Path("out/m.tra")));
    }
}

}  // namespace

// --- Equal texts of several translations -----------------------------------

// Version 1 held the text in two files under colliding ids; the mod entry's
// own file and id are the better guess, and only the preference says so.
TEST_F(BatchReferenceSetTest, ThePreferenceTakesTheModEntrysOwnFileAndIdAndCountsTheChoices) {
    WriteFiles({{"en/a.tra", "@0 = ~Spell Deflection~\n"},
                {"en/m.tra", "@3 = ~Spell Deflection~\n@4 = ~Yes~\n"},
                {"en/d/x.tra", "@0 = ~Yes~\n"},
                {"fr/a.tra", "@0 = ~Renvoi des sorts~\n"},
                {"fr/m.tra", "@3 = ~Deviation des sorts~\n@4 = ~Oui~\n"}});
    AddModFile("m.tra", "@3 = ~Spell Deflection~\n@4 = ~Yes~\n");
    RecoveryOptions options;
    options.writeReview = true;
    ASSERT_EQ(Run({{Path("en"), Path("fr")}}, options).status, TraOk);
    const std::string firstInSetOrder = Out("m.tra");
    EXPECT_NE(firstInSetOrder.find("~Renvoi des sorts~"), std::string::npos);
    const std::string plainReport = Out(ReportName);
    EXPECT_EQ(plainReport.find("several translations"), std::string::npos);

    options.preferSameId = true;
    ASSERT_EQ(Run({{Path("en"), Path("fr")}}, options).status, TraOk);
    EXPECT_EQ(Out("m.tra"),
              OnDisk("// Wordgleaner: case sensitive exact match found in file m.tra at Id 3\n"
                     "@3     = ~Deviation des sorts~\n"
                     "// Wordgleaner: case sensitive exact match found in file m.tra at Id 4\n"
                     "@4     = ~Oui~\n"));
    const std::string report = Out(ReportName);
    const std::size_t subFolders = report.find("Sub-folders not searched: d");
    const std::size_t several =
        report.find("\r\nTexts with several translations in the reference: 1 (see the review)\r\n");
    ASSERT_NE(subFolders, std::string::npos) << report;
    ASSERT_NE(several, std::string::npos) << report;
    EXPECT_LT(subFolders, several);
    EXPECT_LT(several, report.find("Texts taken from a.tra: 0"));
}
