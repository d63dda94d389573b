#include <gtest/gtest.h>

#include "tra_test_helpers.h"

using namespace wordgleaner;

namespace {

class TraFileEdit : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadBytes(file,
                            "// header\n"
                            "@5 = ~first~ [M5] ~female~ [F5]\n"
                            "@6 = ~other~\n"
                            "@5 = ~second~\n"),
                  TraOk);
    }
    TraFile file;
};

TEST_F(TraFileEdit, LookupsFindTheFirstEntryAndStopAtTheEnd) {
    EXPECT_EQ(file.GetSize(), 4);
    EXPECT_EQ(file.GetEntryCount(), 3);
    EXPECT_EQ(file.IndexOf(5), 1);
    EXPECT_EQ(file.Find(5).MaleText(), "first");
    EXPECT_EQ(file.IndexOf(7), TraNoId);
    EXPECT_FALSE(file.Find(7));
    EXPECT_EQ(file.GetAt(3).MaleText(), "second");
    EXPECT_FALSE(file.GetAt(4));
    EXPECT_FALSE(file.GetAt(-1));
}

TEST_F(TraFileEdit, SetTextsChangesOnlyWhatIsGiven) {
    EXPECT_EQ(file.SetTexts(5, "new"), TraOk);
    TraEntryValue expected{
        .id = 5, .maleText = "new", .femaleText = "female", .maleSound = "M5", .femaleSound = "F5"};
    EXPECT_EQ(ValueOf(file.Find(5)), expected);

    EXPECT_EQ(file.SetTexts(5, "", "", "", "12345678"), TraOk);
    expected = {.id = 5, .femaleSound = "12345678"};
    EXPECT_EQ(ValueOf(file.Find(5)), expected);
    EXPECT_EQ(file.GetAt(3).MaleText(), "second");
}

TEST_F(TraFileEdit, SetTextsRefusesALongSoundButStillSetsTheTexts) {
    EXPECT_EQ(file.SetTexts(5, "m", "f", "123456789", "F"), TraBadSound);
    TraEntryValue expected{
        .id = 5, .maleText = "m", .femaleText = "f", .maleSound = "M5", .femaleSound = "F"};
    EXPECT_EQ(ValueOf(file.Find(5)), expected);
}

TEST_F(TraFileEdit, UnknownIdAndMissingTextChangeNothing) {
    auto before = EntriesOf(file);
    EXPECT_EQ(file.SetTexts(7, "x"), TraUnknownId);
    EXPECT_EQ(file.SetTexts(7, std::nullopt), TraUnknownId);
    EXPECT_EQ(file.SetTexts(5, std::nullopt, "f"), TraBadString);
    EXPECT_EQ(file.AddComment(7, "x"), TraUnknownId);
    EXPECT_EQ(file.AddComment(5, std::nullopt), TraBadString);
    EXPECT_EQ(file.SetTextsAt(0, "layout"), TraUnknownId);
    EXPECT_EQ(file.AddCommentAt(4, "beyond"), TraUnknownId);
    EXPECT_EQ(EntriesOf(file), before);
}

TEST_F(TraFileEdit, AddCommentPrefixesEveryLineAndAppends) {
    EXPECT_EQ(file.AddComment(5, "a\nb"), TraOk);
    EXPECT_EQ(file.AddComment(5, ""), TraOk);
    EXPECT_EQ(file.AddComment(5, "c\n"), TraOk);
    EXPECT_EQ(file.Find(5).Comment(), "// a\n// b// c\n");
}

TEST_F(TraFileEdit, EditsByPositionReachTheSecondEntryOfAnId) {
    EXPECT_EQ(file.SetTextsAt(3, "changed"), TraOk);
    EXPECT_EQ(file.AddCommentAt(3, "note"), TraOk);
    EXPECT_EQ(file.Find(5).MaleText(), "first");
    EXPECT_EQ(file.GetAt(3).MaleText(), "changed");
    EXPECT_EQ(file.GetAt(3).Comment(), "// note");
}

}  // namespace

namespace {

// Texts are views into the file: an edit must neither move what earlier views
// show nor read a text of its own entry after replacing it.
TEST_F(TraFileEdit, EditsLeaveEarlierViewsValidAndMayTakeTheFilesOwnTexts) {
    const std::string_view before = file.Find(5).MaleText();
    const std::string_view femaleBefore = file.Find(5).FemaleText();
    for (int round = 0; round < 100; ++round) {
        ASSERT_EQ(file.SetTexts(5, file.Find(5).FemaleText(), file.Find(5).MaleText(),
                                file.Find(5).FemaleSound(), file.Find(5).MaleSound()),
                  TraOk);
        ASSERT_EQ(file.AddComment(5, file.Find(6).MaleText()), TraOk);
    }
    EXPECT_EQ(before, "first");
    EXPECT_EQ(femaleBefore, "female");
    const TraEntryValue swappedEvenTimes = ValueOf(file.Find(5));
    EXPECT_EQ(swappedEvenTimes.maleText, "first");
    EXPECT_EQ(swappedEvenTimes.femaleSound, "F5");
    EXPECT_EQ(swappedEvenTimes.comment.size(), 100 * std::string_view("// other").size());
    EXPECT_EQ(file.GetAt(3).MaleText(), "second");
}

// A view shows the entry, not a copy of it: the edits made after it was taken
// are what it reads.
TEST_F(TraFileEdit, AViewTakenBeforeAnEditReadsTheNewTexts) {
    const TraEntry first = file.Find(5);
    const TraEntry second = file.GetAt(3);
    ASSERT_EQ(file.SetTexts(5, "new", std::nullopt, "S"), TraOk);
    ASSERT_EQ(file.AddComment(5, "note"), TraOk);
    ASSERT_EQ(file.SetTextsAt(3, "second new"), TraOk);
    EXPECT_EQ(ValueOf(first), (TraEntryValue{.id = 5,
                                             .maleText = "new",
                                             .femaleText = "female",
                                             .maleSound = "S",
                                             .femaleSound = "F5",
                                             .comment = "// note"}));
    EXPECT_EQ(second.MaleText(), "second new");
    EXPECT_EQ(first, file.GetAt(1));
    EXPECT_NE(first, second);
}

// No entry reads as an empty layout entry, so that code which forgets to
// check it gets nothing rather than a crash.
TEST_F(TraFileEdit, NoEntryIsFalseAndReadsAsAnEmptyLayoutEntry) {
    for (const TraEntry none : {file.Find(7), file.GetAt(4), file.GetAt(TraNoId), TraEntry()}) {
        EXPECT_FALSE(none);
        EXPECT_EQ(none, TraEntry());
        EXPECT_EQ(ValueOf(none), TraEntryValue());
    }
    EXPECT_TRUE(file.GetAt(0)) << "a layout entry is an entry";
}

// An entry that gains its first extra field, or loses its last, keeps the rest.
TEST_F(TraFileEdit, FieldsComeAndGoIndependently) {
    ASSERT_EQ(file.SetTexts(6, "m", std::nullopt, "S6"), TraOk);
    EXPECT_EQ(ValueOf(file.Find(6)), (TraEntryValue{.id = 6, .maleText = "m", .maleSound = "S6"}));
    ASSERT_EQ(file.SetTexts(5, "", "", "", ""), TraOk);
    EXPECT_EQ(ValueOf(file.Find(5)), (TraEntryValue{.id = 5}));
    EXPECT_EQ(SavedBytes(file),
              "// header\r\n@5     = ~~\r\n@6     = ~m~ [S6]\r\n@5     = ~second~\r\n");
}

}  // namespace
