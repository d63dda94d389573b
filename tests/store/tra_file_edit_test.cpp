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
    EXPECT_EQ(file.Find(5)->MaleText(), "first");
    EXPECT_EQ(file.IndexOf(7), TraNoId);
    EXPECT_EQ(file.Find(7), nullptr);
    EXPECT_EQ(file.GetAt(3)->MaleText(), "second");
    EXPECT_EQ(file.GetAt(4), nullptr);
    EXPECT_EQ(file.GetAt(-1), nullptr);
}

TEST_F(TraFileEdit, SetTextsChangesOnlyWhatIsGiven) {
    EXPECT_EQ(file.SetTexts(5, "new"), TraOk);
    TraEntryValue expected{
        .id = 5, .maleText = "new", .femaleText = "female", .maleSound = "M5", .femaleSound = "F5"};
    EXPECT_EQ(ValueOf(*file.Find(5)), expected);

    EXPECT_EQ(file.SetTexts(5, "", "", "", "12345678"), TraOk);
    expected = {.id = 5, .femaleSound = "12345678"};
    EXPECT_EQ(ValueOf(*file.Find(5)), expected);
    EXPECT_EQ(file.GetAt(3)->MaleText(), "second");
}

TEST_F(TraFileEdit, SetTextsRefusesALongSoundButStillSetsTheTexts) {
    EXPECT_EQ(file.SetTexts(5, "m", "f", "123456789", "F"), TraBadSound);
    TraEntryValue expected{
        .id = 5, .maleText = "m", .femaleText = "f", .maleSound = "M5", .femaleSound = "F"};
    EXPECT_EQ(ValueOf(*file.Find(5)), expected);
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
    EXPECT_EQ(file.Find(5)->Comment(), "// a\n// b// c\n");
}

TEST_F(TraFileEdit, EditsByPositionReachTheSecondEntryOfAnId) {
    EXPECT_EQ(file.SetTextsAt(3, "changed"), TraOk);
    EXPECT_EQ(file.AddCommentAt(3, "note"), TraOk);
    EXPECT_EQ(file.Find(5)->MaleText(), "first");
    EXPECT_EQ(file.GetAt(3)->MaleText(), "changed");
    EXPECT_EQ(file.GetAt(3)->Comment(), "// note");
}

}  // namespace
