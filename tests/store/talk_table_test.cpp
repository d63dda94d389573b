#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "store/talk_table.h"
#include "support/talk_table_writer.h"
#include "tra_test_helpers.h"

using namespace wordgleaner;
using namespace std::string_literals;

using test_support::PutLittleEndian;
using test_support::RecordAt;
using test_support::TalkTableBytes;
using test_support::TalkTableEntry;
using test_support::TalkTableLayout;

namespace {

// Loads a table through real files, named as a game names them.
TraError LoadTable(TraFile& file, const std::string& bytes, const std::string& femaleBytes = {}) {
    test_support::TempDir dir;
    const std::string female = femaleBytes.empty() ? "" : dir.Write("dialogF.tlk", femaleBytes);
    return file.LoadTalkTable(dir.Write("dialog.tlk", bytes), female);
}

std::vector<TraEntryValue> TableEntries(const std::string& bytes,
                                        const std::string& femaleBytes = {}) {
    TraFile file;
    EXPECT_EQ(LoadTable(file, bytes, femaleBytes), TraOk);
    return EntriesOf(file);
}

std::vector<TraEntryValue> TraEntries(std::string_view traBytes) {
    TraFile file;
    EXPECT_EQ(LoadBytes(file, traBytes), TraOk);
    return EntriesOf(file);
}

// The entry a damaged table is failed at, or -1 when it loads.
std::int64_t DamagedEntryOf(const std::string& bytes) {
    TraFile file;
    const TraError code = LoadTable(file, bytes);
    if (code == TraOk) {
        return -1;
    }
    EXPECT_EQ(code, TraDamagedTable);
    EXPECT_EQ(file.GetSize(), 0) << "a damaged table leaves no entry";
    EXPECT_EQ(file.GetName(), "");
    return file.GetLastFailure().entry;
}

const std::vector<TalkTableEntry> ThreeTexts = {{"first"}, {"second"}, {"third"}};

// --- Texts and sounds ----------------------------------------------------------

TEST(TalkTable, EntryIBecomesIdIWithItsText) {
    const std::vector<TalkTableEntry> entries = {
        {"Hello"},
        {""},
        {"", "", test_support::HasTextFlag},
        {"read whatever the flags say", "", 0},
        {"Bye"},
    };
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.LoadTalkTable(dir.Write("lang/dialog.tlk", TalkTableBytes(entries))), TraOk);
    EXPECT_EQ(EntriesOf(file), (std::vector<TraEntryValue>{
                                   {.id = 0, .maleText = "Hello"},
                                   {.id = 1},
                                   {.id = 2},
                                   {.id = 3, .maleText = "read whatever the flags say"},
                                   {.id = 4, .maleText = "Bye"},
                               }));
    EXPECT_EQ(file.GetEntryCount(), 5);
    EXPECT_EQ(file.GetName(), "dialog.tlk");
    EXPECT_EQ(file.Find(4).MaleText(), "Bye");
    EXPECT_EQ(file.IndexOf(5), TraNoId);
    EXPECT_EQ(file.GetLastFailure().code, TraOk);
}

TEST(TalkTable, ASoundNeedsFlagBit1AndANameOfUpTo8BytesBeforeANul) {
    const std::vector<TalkTableEntry> entries = {
        {"flag set", "SND01"},
        {"flag clear", "SND02", test_support::HasTextFlag},
        {"empty name", "", test_support::HasTextFlag | test_support::HasSoundFlag},
        {"eight bytes", "ABCDEFGH"},
        {"name up to its NUL", "AB\0CD"s},
        {"", "ONLYSND"},
    };
    EXPECT_EQ(TableEntries(TalkTableBytes(entries)),
              (std::vector<TraEntryValue>{
                  {.id = 0, .maleText = "flag set", .maleSound = "SND01"},
                  {.id = 1, .maleText = "flag clear"},
                  {.id = 2, .maleText = "empty name"},
                  {.id = 3, .maleText = "eight bytes", .maleSound = "ABCDEFGH"},
                  {.id = 4, .maleText = "name up to its NUL", .maleSound = "AB"},
                  {.id = 5, .maleSound = "ONLYSND"},
              }));
}

// A table and the tra file exported from it must hold equal texts.
TEST(TalkTable, LineEndsReadAsInATraFile) {
    for (const std::string text :
         {"a\r\nb", "a\rb", "a\r\r\nb", "\r\n", "ends with CR\r", "\n\r", "x\r\n\r\ny", "\r\r"}) {
        const std::vector<TraEntryValue> fromTra = TraEntries("@0 = ~" + text + "~");
        ASSERT_EQ(fromTra.size(), 1u);
        EXPECT_EQ(TableEntries(TalkTableBytes({{text}})), fromTra) << testing::PrintToString(text);
    }
}

TEST(TalkTable, EveryOtherByteIsKept) {
    const std::string text = "nul \0, end of file mark \x1A, \xC3\xA9, \xFF"s;
    EXPECT_EQ(
        TableEntries(TalkTableBytes({{text}, {"after"}})),
        (std::vector<TraEntryValue>{{.id = 0, .maleText = text}, {.id = 1, .maleText = "after"}}));
}

// Texts that share bytes would change each other if their line ends were
// changed in place.
TEST(TalkTable, TextsInAnyOrderOrSharingBytesReadAsWritten) {
    const std::vector<TalkTableEntry> entries = {
        {"a\r\r\nb"}, {"plain"}, {"a\r\r\nb"}, {"c\r\nd"}, {"a\r\r\nb"}};
    const std::vector<TraEntryValue> expected = {{.id = 0, .maleText = "a\r\nb"},
                                                 {.id = 1, .maleText = "plain"},
                                                 {.id = 2, .maleText = "a\r\nb"},
                                                 {.id = 3, .maleText = "c\nd"},
                                                 {.id = 4, .maleText = "a\r\nb"}};
    EXPECT_EQ(TableEntries(TalkTableBytes(entries, {.textsInReverseOrder = true})), expected);
    EXPECT_EQ(TableEntries(TalkTableBytes(entries, {.shareEqualTexts = true})), expected);
    EXPECT_EQ(TableEntries(TalkTableBytes(entries, {.gapBeforeTexts = 7})), expected);
}

// --- The female table ---------------------------------------------------------

TEST(TalkTable, FemaleTableGivesWhatATraEntryWithBothTextsGives) {
    const std::string male =
        TalkTableBytes({{"He"}, {"same", "S1"}, {"sound only", "S1"}, {"x"}, {"text only", "S1"}});
    const std::string female =
        TalkTableBytes({{"She"}, {"same", "S1"}, {"sound only", "S2"}, {""}, {"TEXT ONLY", "S1"}});
    EXPECT_EQ(TableEntries(male, female), TraEntries("@0 = ~He~ ~She~\n"
                                                     "@1 = ~same~ [S1]\n"
                                                     "@2 = ~sound only~ [S1] ~sound only~ [S2]\n"
                                                     "@3 = ~x~ ~~\n"
                                                     "@4 = ~text only~ [S1] ~TEXT ONLY~ [S1]\n"));
}

// Read one by one (texts in id order) or whole (any other order), the
// female texts are checked as the male ones.
TEST(TalkTable, FemaleTextsAreCheckedUpToTheLastEntryOfTheFemaleTable) {
    const std::string male = TalkTableBytes({{"he"}});
    const std::vector<TalkTableEntry> longer = {{"she"}, {"two"}, {"three"}};
    const std::string inOrder = TalkTableBytes(longer);
    TraFile file;
    EXPECT_EQ(LoadTable(file, male, inOrder), TraOk);
    EXPECT_EQ(LoadTable(file, male, inOrder.substr(0, inOrder.size() - 1)), TraDamagedTable);
    EXPECT_EQ(file.GetLastFailure().entry, 2u);

    std::string reversed = TalkTableBytes(longer, {.textsInReverseOrder = true});
    const std::uint32_t textDataSize = 11;
    PutLittleEndian(reversed, RecordAt(2) + test_support::TextOffsetFieldAt, textDataSize - 5);
    EXPECT_EQ(LoadTable(file, male, reversed), TraOk) << "up to the last byte";
    PutLittleEndian(reversed, RecordAt(2) + test_support::TextOffsetFieldAt, textDataSize - 4);
    EXPECT_EQ(LoadTable(file, male, reversed), TraDamagedTable);
    EXPECT_EQ(file.GetLastFailure().entry, 2u);
}

TEST(TalkTable, FemaleTableOfOtherLengthCoversTheIdsBothHave) {
    const std::string three = TalkTableBytes({{"he 0"}, {"he 1"}, {"he 2"}});
    const std::string one = TalkTableBytes({{"she 0"}});
    EXPECT_EQ(TableEntries(three, one), TraEntries("@0 = ~he 0~ ~she 0~\n"
                                                   "@1 = ~he 1~\n"
                                                   "@2 = ~he 2~\n"));
    EXPECT_EQ(TableEntries(one, three), TraEntries("@0 = ~she 0~ ~he 0~\n"));
}

TEST(TalkTable, AFemaleTableThatFailsFailsTheLoadUnderItsOwnPath) {
    test_support::TempDir dir;
    const std::string male = dir.Write("dialog.tlk", TalkTableBytes(ThreeTexts));
    const std::string cut = dir.Write("dialogF.tlk", TalkTableBytes(ThreeTexts).substr(0, 50));
    TraFile file;
    ASSERT_EQ(file.LoadTalkTable(male, cut), TraDamagedTable);
    EXPECT_EQ(file.GetLastFailure().entry, 1u);
    EXPECT_EQ(file.GetLastFailure().otherFile, cut);
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.GetName(), "");

    std::string outside = TalkTableBytes(ThreeTexts, {.textsInReverseOrder = true});
    PutLittleEndian(outside, RecordAt(1) + test_support::TextLengthFieldAt, 100);
    ASSERT_EQ(file.LoadTalkTable(male, dir.Write("outsideF.tlk", outside)), TraDamagedTable);
    EXPECT_EQ(file.GetLastFailure().entry, 1u);

    ASSERT_EQ(file.LoadTalkTable(male, dir / "missingF.tlk"), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().otherFile, dir / "missingF.tlk");
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::no_such_file_or_directory);
    EXPECT_EQ(file.GetName(), "") << "the table itself was opened";

    ASSERT_EQ(file.LoadTalkTable(male), TraOk);
    EXPECT_EQ(file.GetLastFailure().otherFile, "");
}

// --- Damaged tables -------------------------------------------------------------

TEST(TalkTableDamage, AShortHeaderNamesEntry0) {
    const std::string whole = TalkTableBytes(ThreeTexts);
    for (std::size_t size = 0; size < test_support::TalkTableHeaderSize; ++size) {
        EXPECT_EQ(DamagedEntryOf(whole.substr(0, size)), 0) << size << " bytes";
    }
    std::string otherVersion = whole;
    otherVersion[5] = '2';
    EXPECT_EQ(DamagedEntryOf(otherVersion), 0);
}

TEST(TalkTableDamage, ATableCutInsideItsRecordsNamesTheFirstRecordMissing) {
    const std::string whole = TalkTableBytes(ThreeTexts);
    for (std::size_t size = RecordAt(0); size < RecordAt(3); ++size) {
        EXPECT_EQ(DamagedEntryOf(whole.substr(0, size)), (size - RecordAt(0)) / 26)
            << size << " bytes";
    }
    EXPECT_EQ(DamagedEntryOf(whole.substr(0, RecordAt(3))), 0)
        << "all records are there: the first text is missing";
    EXPECT_EQ(DamagedEntryOf(TalkTableBytes({{""}, {""}, {""}}).substr(0, RecordAt(3))), -1)
        << "empty texts need no text data";
}

TEST(TalkTableDamage, RecordsAreCheckedBeforeTexts) {
    std::string bytes = TalkTableBytes({{"a"}, {"b"}, {"c"}, {"d"}});
    PutLittleEndian(bytes, RecordAt(0) + test_support::TextOffsetFieldAt, 1000);
    EXPECT_EQ(DamagedEntryOf(bytes), 0);
    EXPECT_EQ(DamagedEntryOf(bytes.substr(0, RecordAt(3) + 4)), 3);
}

TEST(TalkTableDamage, ATextEndingOneBytePastTheFileIsDamagedOneEndingWithItIsNot) {
    const std::string whole = TalkTableBytes(ThreeTexts);
    EXPECT_EQ(DamagedEntryOf(whole), -1);
    EXPECT_EQ(DamagedEntryOf(whole.substr(0, whole.size() - 1)), 2);

    std::string longer = whole;
    PutLittleEndian(longer, RecordAt(2) + test_support::TextLengthFieldAt, 6);
    EXPECT_EQ(DamagedEntryOf(longer), 2);

    std::string later = whole;
    PutLittleEndian(later, RecordAt(1) + test_support::TextOffsetFieldAt, 10);
    EXPECT_EQ(DamagedEntryOf(later), -1) << "up to the last byte";
    PutLittleEndian(later, RecordAt(1) + test_support::TextOffsetFieldAt, 11);
    PutLittleEndian(later, RecordAt(2) + test_support::TextOffsetFieldAt, 0xFFFFFFFF);
    EXPECT_EQ(DamagedEntryOf(later), 1) << "the first in id order, whatever its place";
}

TEST(TalkTableDamage, TextDataBeyondTheEndLeavesOnlyEmptyTextsReadable) {
    std::string bytes = TalkTableBytes({{""}, {""}});
    PutLittleEndian(bytes, test_support::TextDataFieldAt, 0xFFFFFFFF);
    EXPECT_EQ(DamagedEntryOf(bytes), -1);
    PutLittleEndian(bytes, RecordAt(1) + test_support::TextLengthFieldAt, 1);
    EXPECT_EQ(DamagedEntryOf(bytes), 1);
}

// An empty text is read from nowhere, in the table and in its female table,
// whether these are read text by text or whole.
TEST(TalkTableDamage, AnEmptyTextMayPointAnywhere) {
    for (const TalkTableLayout layout : {TalkTableLayout{}, {.shareEqualTexts = true}}) {
        std::string bytes = TalkTableBytes({{""}, {"same"}, {"same"}}, layout);
        PutLittleEndian(bytes, RecordAt(0) + test_support::TextOffsetFieldAt, 0xFFFFFFF0);
        EXPECT_EQ(TableEntries(bytes, bytes), TraEntries("@0 = ~~\n@1 = ~same~\n@2 = ~same~\n"));
    }
}

// Records must lie after the header and before both the text data and the
// end of the file; a count of more cannot be right.
TEST(TalkTableDamage, ACountOfRecordsThatCannotFitNamesTheFirstThatDoesNot) {
    const std::string longText(100, 'x');
    std::string bytes = TalkTableBytes({{longText}, {longText}, {longText}});
    PutLittleEndian(bytes, test_support::CountFieldAt, 0xFFFFFFFF);
    EXPECT_EQ(DamagedEntryOf(bytes), 3) << "where the text data begins";

    PutLittleEndian(bytes, test_support::TextDataFieldAt, 0xFFFFFFFF);
    EXPECT_EQ(DamagedEntryOf(bytes), (RecordAt(3) + 300 - RecordAt(0)) / 26)
        << "where the file ends";

    std::string early = TalkTableBytes(ThreeTexts);
    PutLittleEndian(early, test_support::TextDataFieldAt, RecordAt(2) - 1);
    EXPECT_EQ(DamagedEntryOf(early), 1) << "records running into the text data";
    PutLittleEndian(early, test_support::TextDataFieldAt, 3);
    EXPECT_EQ(DamagedEntryOf(early), 0);

    std::string none = TalkTableBytes({});
    PutLittleEndian(none, test_support::TextDataFieldAt, 0);
    EXPECT_EQ(DamagedEntryOf(none), -1) << "no record, nothing to fit";
}

TEST(TalkTableDamage, TheFailureTextNamesTheEntry) {
    TraFile file;
    ASSERT_EQ(LoadTable(file, TalkTableBytes(ThreeTexts).substr(0, RecordAt(2) + 1)),
              TraDamagedTable);
    EXPECT_EQ(TraFailureText(file.GetLastFailure()), "Damaged string table at entry 2");
}

TEST(TalkTableDamage, AFailedLoadEmptiesTheFileAndAMissingTableKeepsTheName) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.LoadTalkTable(dir.Write("dialog.tlk", TalkTableBytes(ThreeTexts))), TraOk);
    ASSERT_EQ(file.LoadTalkTable(dir / "missing.tlk"), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::no_such_file_or_directory);
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.GetName(), "dialog.tlk") << "as a tra file that cannot be opened";
    EXPECT_EQ(file.LoadTalkTable(dir.Path().string()), TraOpenFailed);
}

// --- Tables among reference files -------------------------------------------------

TEST(TalkTableReference, AFileIsATableByItsFirstEightBytesWhateverItsName) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.LoadReference(dir.Write("strings.tra", TalkTableBytes(ThreeTexts))), TraOk);
    EXPECT_EQ(file.Find(2).MaleText(), "third");
    EXPECT_EQ(file.GetName(), "strings.tra");

    ASSERT_EQ(file.LoadReference(dir.Write("dialog.tlk", "@5 = ~tra text~\n")), TraOk);
    EXPECT_EQ(file.Find(5).MaleText(), "tra text");

    EXPECT_EQ(file.LoadReference(dir.Write("short.tlk", "TLK V1 ")), TraNoAtSign)
        << "seven bytes are no signature";
    EXPECT_EQ(file.LoadReference(dir.Write("cut.tlk", "TLK V1  \x01")), TraDamagedTable)
        << "a damaged table is never read as a tra file";
    EXPECT_EQ(file.LoadReference(dir / "missing.tlk"), TraOpenFailed);
    EXPECT_EQ(file.LoadReference(dir.Path().string()), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::is_a_directory);
}

TEST(TalkTableReference, FemaleTableIsReadOnlyForATable) {
    test_support::TempDir dir;
    const std::string female = dir.Write("dialogF.tlk", TalkTableBytes({{"she"}}));
    TraFile file;
    ASSERT_EQ(file.LoadReference(dir.Write("dialog.tlk", TalkTableBytes({{"he"}})), female), TraOk);
    EXPECT_EQ(file.Find(0).FemaleText(), "she");
    ASSERT_EQ(file.LoadReference(dir.Write("dialog.tra", "@0 = ~he~\n"), female), TraOk);
    EXPECT_EQ(file.Find(0).FemaleText(), "");
}

// --- The same entries as a tra file -------------------------------------------

struct GeneratedEntry {
    std::string male;
    std::string maleSound;
    std::string female;
    std::string femaleSound;
    bool hasFemale = false;
};

std::vector<GeneratedEntry> GeneratedEntries(std::uint64_t seed, int count) {
    std::mt19937_64 random(seed);
    auto pick = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    const std::vector<std::string> pieces = {
        "word", "Hello", " ", "\r\n", "\n", "\r", "\xC3\xA9t\xC3\xA9", "\"quoted\"", "50%", "!"};
    auto text = [&] {
        std::string made;
        for (int n = pick(6); n > 0; --n) {
            made += pieces[static_cast<std::size_t>(pick(static_cast<int>(pieces.size())))];
        }
        return made;
    };
    auto sound = [&] { return pick(3) == 0 ? "SND" + std::to_string(pick(100000)) : ""; };
    std::vector<GeneratedEntry> entries(static_cast<std::size_t>(count));
    for (GeneratedEntry& entry : entries) {
        entry.male = text();
        entry.maleSound = sound();
        entry.hasFemale = pick(4) == 0;
        entry.female = entry.hasFemale ? text() : entry.male;
        entry.femaleSound = entry.hasFemale ? sound() : entry.maleSound;
        entry.hasFemale = entry.female != entry.male || entry.femaleSound != entry.maleSound;
    }
    return entries;
}

// Every text ends with its delimiter on the same line: a following part
// then belongs to it, as it would in the exported file.
std::string TraFileOf(const std::vector<GeneratedEntry>& entries) {
    std::string tra;
    auto part = [&tra](const std::string& text, const std::string& sound) {
        tra += " ~" + text + "~";
        if (!sound.empty()) {
            tra += " [" + sound + "]";
        }
    };
    for (std::size_t id = 0; id < entries.size(); ++id) {
        tra += "@" + std::to_string(id) + " =";
        part(entries[id].male, entries[id].maleSound);
        if (entries[id].hasFemale) {
            part(entries[id].female, entries[id].femaleSound);
        }
        tra += "\r\n";
    }
    return tra;
}

TEST(TalkTableAsTra, TheSameEntriesGiveEqualEntriesAndSaveToTheSameBytes) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const std::vector<GeneratedEntry> entries = GeneratedEntries(seed, 60);
        std::vector<TalkTableEntry> male;
        std::vector<TalkTableEntry> female;
        for (const GeneratedEntry& entry : entries) {
            male.push_back({entry.male, entry.maleSound});
            female.push_back({entry.female, entry.femaleSound});
        }
        const TalkTableLayout layout{.shareEqualTexts = seed % 2 == 0};
        TraFile table;
        const TalkTableLayout femaleLayout{.textsInReverseOrder = seed % 3 == 0,
                                           .gapBeforeTexts = seed % 4 == 1 ? 5u : 0u};
        ASSERT_EQ(
            LoadTable(table, TalkTableBytes(male, layout), TalkTableBytes(female, femaleLayout)),
            TraOk);
        TraFile tra;
        ASSERT_EQ(LoadBytes(tra, TraFileOf(entries)), TraOk);
        EXPECT_EQ(EntriesOf(table), EntriesOf(tra)) << "seed " << seed;
        EXPECT_EQ(SavedBytes(table), SavedBytes(tra)) << "seed " << seed;
    }
}

}  // namespace
