// The batch over the game's own string tables (talk tables) as references:
// a table gives what the same entries as a tra file give, an Enhanced
// Edition language folder is a reference folder like any other, and a
// damaged table fails the run or is skipped like a tra file.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "job/recovery_job.h"
#include "job/reference_pair.h"
#include "store/tra_error.h"
#include "store/tra_file.h"
#include "support/batch_files.h"
#include "support/talk_table_writer.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::PutLittleEndian;
using test_support::RecordAt;
using test_support::TalkTableBytes;
using test_support::TalkTableEntry;
using test_support::TempDir;

namespace {

const fs::path Examples = WORDGLEANER_EXAMPLES;
constexpr const char* ReportName = "Wordgleaner_report.txt";

using Outputs = std::map<std::string, std::string>;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// One string table in both of its forms: the male and the female table, and
// the tra file exported from them.
struct TableForms {
    std::vector<TalkTableEntry> male;
    std::vector<TalkTableEntry> female;
    std::string tra;
};

void AddTraPart(std::string& tra, std::string_view text, std::string_view sound) {
    tra += " ~" + std::string(text) + "~";
    if (!sound.empty()) {
        tra += " [" + std::string(sound) + "]";
    }
}

// The examples' reference file as the game holds it: the entry of id
// 1000 + k is the table's entry k.
TableForms ExampleTable(const std::string& name) {
    constexpr int FirstId = 1000;
    TraFile file;
    EXPECT_EQ(file.Load((Examples / "reference" / name).string()), TraOk);
    TableForms forms;
    for (int position = 0; position < file.GetSize(); ++position) {
        const TraEntry entry = file.GetAt(position);
        if (entry.IsLayout()) {
            continue;
        }
        const int id = entry.Id() - FirstId;
        forms.tra += "@" + std::to_string(id) + " =";
        AddTraPart(forms.tra, entry.MaleText(), entry.MaleSound());
        const bool gendered = !entry.FemaleText().empty();
        if (gendered) {
            AddTraPart(forms.tra, entry.FemaleText(), entry.FemaleSound());
        }
        forms.tra += "\n";
        EXPECT_EQ(static_cast<std::size_t>(id), forms.male.size()) << "ids follow each other";
        forms.male.push_back({std::string(entry.MaleText()), std::string(entry.MaleSound())});
        forms.female.push_back(gendered ? TalkTableEntry{std::string(entry.FemaleText()),
                                                         std::string(entry.FemaleSound())}
                                        : forms.male.back());
    }
    return forms;
}

class BatchTalkTableTest : public ::testing::Test {
protected:
    BatchTalkTableTest() {
        fs::create_directories(root.Path() / "mod");
        fs::create_directories(root.Path() / "out");
    }

    // In the system's own form, as the run joins a folder and a file name.
    std::string Path(const std::string& name) const {
        return (root.Path() / name).make_preferred().string();
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

    // A language folder of the game: its table, with a female table when
    // `female` is given, and tra files beside it.
    void WriteLanguage(const std::string& folder, const std::vector<TalkTableEntry>& male,
                       const std::vector<TalkTableEntry>& female = {}) {
        root.Write(folder + "/dialog.tlk", TalkTableBytes(male));
        if (!female.empty()) {
            root.Write(folder + "/dialogF.tlk", TalkTableBytes(female));
        }
    }

    TempDir root;
    RecoveryJob job;
};

// --- A table is a reference file like a tra file ----------------------------

TEST_F(BatchTalkTableTest, ATableAndTheSameEntriesAsATraFileWriteTheSameFilesPatchAndReport) {
    const TableForms english = ExampleTable("english.tra");
    const TableForms french = ExampleTable("french.tra");
    WriteLanguage("tables/en_US", english.male);
    WriteLanguage("tables/fr_FR", french.male, french.female);
    root.Write("tra/en_US/dialog.tra", english.tra);
    root.Write("tra/fr_FR/dialog.tra", french.tra);
    for (const char* name : {"dialog.tra", "items.tra", "setup.TRA"}) {
        root.Write(std::string("mod/") + name, TempDir::Read((Examples / "mod" / name).string()));
    }
    RecoveryOptions options;
    options.generatePatch = true;

    const ProgressSnapshot fromTra = Run({{Path("tra/en_US"), Path("tra/fr_FR")}}, options);
    ASSERT_EQ(fromTra.status, TraOk) << fromTra.progressText;
    const Outputs expected = Written();
    ASSERT_NE(expected.at("dialog.tra").find("found in file dialog.tra at Id 28"),
              std::string::npos)
        << "the gendered entry is found";
    ASSERT_NE(expected.at("dialog.tra").find("~Madame, vous"), std::string::npos);

    // The language folders, and the tables named as files.
    for (const ReferencePair& tables :
         {ReferencePair{Path("tables/en_US"), Path("tables/fr_FR")},
          ReferencePair{Path("tables/en_US/dialog.tlk"), Path("tables/fr_FR/dialog.tlk")}}) {
        const ProgressSnapshot fromTables = Run({tables}, options);
        ASSERT_EQ(fromTables.status, TraOk) << fromTables.progressText;
        EXPECT_EQ(fromTables.entryText, fromTra.entryText);
        Outputs written = Written();
        for (auto& [name, bytes] : written) {
            bytes = ReplaceAll(bytes, "dialog.tlk", "dialog.tra");
        }
        EXPECT_EQ(written, expected) << tables.original;
    }
}

// An Enhanced Edition keeps tra files beside its table in the language
// folder. The original side's female table is never read: only male texts
// are searched, so even a damaged one changes nothing.
TEST_F(BatchTalkTableTest, ALanguageFolderGivesItsTableWithItsFemaleTextsAndTheTraFilesBeside) {
    WriteLanguage("lang/en_US", {{"Zero"}, {"Hello there"}});
    root.Write("lang/en_US/dialogF.tlk", "TLK V1  damaged");
    root.Write("lang/en_US/setup.tra", "@0 = ~Install the mod~\n");
    WriteLanguage("lang/fr_FR", {{"Zero"}, {"Bonjour"}}, {{"Zero"}, {"Bonjour madame"}});
    root.Write("lang/fr_FR/setup.tra", "@0 = ~Installer le mod~\n");
    root.Write("mod/m.tra", "@1 = ~Hello there~\n@2 = ~Install the mod~\n");

    const ProgressSnapshot end = Run({{Path("lang/en_US"), Path("lang/fr_FR")}});

    ASSERT_EQ(end.status, TraOk) << end.progressText;
    EXPECT_EQ(Out("m.tra"),
              "// Wordgleaner: case sensitive exact match found in file dialog.tlk at Id 1\r\n"
              "@1     = ~Bonjour~ ~Bonjour madame~\r\n"
              "// Wordgleaner: case sensitive exact match found in file setup.tra at Id 0\r\n"
              "@2     = ~Installer le mod~\r\n");
    const std::string report = Out(ReportName);
    EXPECT_NE(report.find("Texts taken from dialog.tlk: 1\r\nTexts taken from setup.tra: 1\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("Ignored"), std::string::npos)
        << "the female table is no file of its own";
}

// --- A damaged table ----------------------------------------------------------

const std::vector<TalkTableEntry> ThreeTexts = {{"Zero"}, {"Hello there"}, {"Two"}};

// Cut inside the record of entry 1.
std::string CutInItsRecords() {
    return TalkTableBytes(ThreeTexts).substr(0, RecordAt(1) + 10);
}

// The text of entry 2 runs past the end of the file.
std::string TextBeyondTheEnd() {
    std::string bytes = TalkTableBytes(ThreeTexts);
    PutLittleEndian(bytes, RecordAt(2) + test_support::TextLengthFieldAt, 1000);
    return bytes;
}

TEST_F(BatchTalkTableTest, ADamagedTableFailsTheRunUnderItsOwnPathWithTheEntry) {
    root.Write("mod/m.tra", "@1 = ~Hello there~\n");
    const struct {
        std::string damaged;  // the file of the pair written with `bytes`
        std::string bytes;
        std::string failure;
    } cases[] = {
        {"en/dialog.tlk", CutInItsRecords(), "Damaged string table at entry 1"},
        {"fr/dialog.tlk", "TLK V1  \x01", "Damaged string table at entry 0"},
        {"fr/DIALOGF.TLK", TextBeyondTheEnd(), "Damaged string table at entry 2"},
    };
    for (const auto& each : cases) {
        WriteLanguage("en", ThreeTexts);
        WriteLanguage("fr", ThreeTexts);
        root.Write("fr/DIALOGF.TLK", TalkTableBytes(ThreeTexts));
        root.Write(each.damaged, each.bytes);

        const ProgressSnapshot end = Run({{Path("en"), Path("fr")}});

        EXPECT_EQ(end.status, TraDamagedTable) << each.damaged;
        EXPECT_EQ(end.progressText,
                  "Failed to load " + Path(each.damaged) + ", cause: " + each.failure);
        EXPECT_FALSE(fs::exists(Path("out/m.tra")));
    }
}

TEST_F(BatchTalkTableTest, WithKeepGoingADamagedTableIsLeftOutAndNamedAndGivesTheStatus) {
    WriteLanguage("en", ThreeTexts);
    root.Write("en/setup.tra", "@0 = ~Hello there~\n");
    WriteLanguage("fr", ThreeTexts, ThreeTexts);
    root.Write("fr/dialogF.tlk", TextBeyondTheEnd());
    root.Write("fr/setup.tra", "@0 = ~Bonjour~\n");
    root.Write("mod/m.tra", "@1 = ~Hello there~\n");
    RecoveryOptions options;
    options.keepGoing = true;
    options.commentMode = CommentNone;

    const ProgressSnapshot end = Run({{Path("en"), Path("fr")}}, options);

    EXPECT_EQ(end.status, TraDamagedTable);
    EXPECT_EQ(Out("m.tra"), "@1     = ~Bonjour~\r\n") << "found in the file after it";
    EXPECT_EQ(end.skippedFiles,
              std::vector<std::string>{"Skipped " + Path("en/dialog.tlk") + ": Failed to load " +
                                       Path("fr/dialogF.tlk") +
                                       ", cause: Damaged string table at entry 2"});
}

}  // namespace
