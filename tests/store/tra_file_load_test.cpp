#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "tra_test_helpers.h"

using namespace wordgleaner;

using namespace std::string_literals;

namespace {

struct LoadCase {
    const char* name;
    std::string input;
    TraError code;
    std::vector<TraEntryValue> entries;  // after a fault: what was read before it
};

void PrintTo(const LoadCase& loadCase, std::ostream* out) {
    *out << loadCase.name;
}

class TraFileLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(TraFileLoad, GivesTheCodeAndTheEntriesReadUpToIt) {
    const LoadCase& expected = GetParam();
    TraFile file;
    EXPECT_EQ(LoadBytes(file, expected.input), expected.code);
    EXPECT_EQ(EntriesOf(file), expected.entries);
    int withId = 0;
    for (const auto& entry : expected.entries) {
        withId += entry.IsLayout() ? 0 : 1;
    }
    EXPECT_EQ(file.GetEntryCount(), withId);
    EXPECT_EQ(file.GetName().empty(), expected.code != TraOk);
    EXPECT_EQ(file.GetLastFailure().code, expected.code);
}

const TraEntryValue BlankLine{};

TraEntryValue Layout(std::string comment) {
    return {.comment = std::move(comment)};
}

std::string CaseName(const testing::TestParamInfo<LoadCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, TraFileLoad,
    testing::Values(
        LoadCase{"EmptyFile", "", TraOk, {}},
        LoadCase{"LastLineWithoutLineEnd", "@1 = ~Hello~", TraOk, {{.id = 1, .maleText = "Hello"}}},
        LoadCase{"BlanksAroundEqualSignAreOptional",
                 "@1=~a~\n@2 \t =   ~a~\n",
                 TraOk,
                 {{.id = 1, .maleText = "a"}, {.id = 2, .maleText = "a"}}},
        LoadCase{"DigitsAfterIdAreSteppedOver", "@5 5 = ~a~", TraOk, {{.id = 5, .maleText = "a"}}},
        LoadCase{"NegativeAndExtremeIds",
                 "@-3 = ~a~\n@-2147483648 = ~b~\n@2147483646 = ~c~\n@007 = ~d~\n",
                 TraOk,
                 {{.id = -3, .maleText = "a"},
                  {.id = -2147483648, .maleText = "b"},
                  {.id = 2147483646, .maleText = "c"},
                  {.id = 7, .maleText = "d"}}},
        LoadCase{"TextOverTwoLinesKeepsItsLineEndAndBlanks",
                 "@7 = ~one\n  two~",
                 TraOk,
                 {{.id = 7, .maleText = "one\n  two"}}},
        LoadCase{"LongDelimiterAllowsTildesInside",
                 "@7 = ~~~~~say ~hi~ now~~~~~\n@8 = ~~~~~~leading tilde~~~~~",
                 TraOk,
                 {{.id = 7, .maleText = "say ~hi~ now"}, {.id = 8, .maleText = "~leading tilde"}}},
        LoadCase{"PercentTextClosesAtTheFirstPercent",
                 "@7 = %50%% off%",
                 TraOk,
                 {{.id = 7, .maleText = "50", .femaleText = " off"}}},
        LoadCase{
            "AllFourPartsAndAnEmptyText",
            "@7 = ~m~ [S1] \"f\" [S 2]\n@8 = ~~",
            TraOk,
            {{.id = 7, .maleText = "m", .femaleText = "f", .maleSound = "S1", .femaleSound = "S 2"},
             {.id = 8}}},
        LoadCase{"PartsContinueOnFollowingLines",
                 "@7 = ~m~\n  [S1]\n\t~f~\n@8 = ~x~\n",
                 TraOk,
                 {{.id = 7, .maleText = "m", .femaleText = "f", .maleSound = "S1"},
                  {.id = 8, .maleText = "x"}}},
        LoadCase{"CommentsAtEveryPlaceOfAnEntry",
                 "@7 = ~m~ // one\n [S1] /* two */ ~f~ /* three\nfour */ [S2] // five\n",
                 TraOk,
                 {{.id = 7,
                   .maleText = "m",
                   .femaleText = "f",
                   .maleSound = "S1",
                   .femaleSound = "S2",
                   .maleTextComment = "// one\n",
                   .maleSoundComment = "// two ",
                   .femaleTextComment = "// three\n//four ",
                   .femaleSoundComment = "// five\n"}}},
        LoadCase{"CommentLinesFormOneLayoutEntryUntilABlankLine",
                 "// a\n   // b\n\t\n// c\n@1 = ~x~\n",
                 TraOk,
                 {Layout("// a\n// b\n"), BlankLine, Layout("// c\n"), {.id = 1, .maleText = "x"}}},
        LoadCase{"ClosedBlockCommentLeavesABlankLineBehind",
                 "/* a */\n/* b\nc\n*/ @1 = ~x~",
                 TraOk,
                 {Layout("// a "), BlankLine, Layout("// b\n//c\n//"), {.id = 1, .maleText = "x"}}},
        LoadCase{"LineEndsAndEndOfFileMark",
                 "@1 = ~a\rb~\r\n@2 = ~c\r\r\nd~\n@3 = ~e~\x1A@4 = ~never read~\n",
                 TraOk,
                 {{.id = 1, .maleText = "a\rb"},
                  {.id = 2, .maleText = "c\r\nd"},
                  {.id = 3, .maleText = "e"}}},
        LoadCase{"NulIsAnOrdinaryByte",
                 "@1 = ~a\0b~ [\0]"s,
                 TraOk,
                 {{.id = 1, .maleText = "a\0b"s, .maleSound = "\0"s}}},
        LoadCase{"ByteOrderMarkIsNoPartOfTheFirstEntry",
                 "\xEF\xBB\xBF@1 = ~a~\r\n",
                 TraOk,
                 {{.id = 1, .maleText = "a"}}},
        LoadCase{"ByteOrderMarkIsNoPartOfTheFirstComment",
                 "\xEF\xBB\xBF// c\n",
                 TraOk,
                 {Layout("// c\n")}},
        LoadCase{"ByteOrderMarkAlone", "\xEF\xBB\xBF", TraOk, {}},
        LoadCase{"UnclosedTextAndCommentRunToTheEnd",
                 "@1 = ~a\nb\n",
                 TraOk,
                 {{.id = 1, .maleText = "a\nb\n"}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Faults, TraFileLoad,
    testing::Values(
        LoadCase{"BlankAfterAtSign", "@ 1 = ~a~", TraNoIdValue, {}},
        LoadCase{"MinusWithoutDigits", "@- = ~a~", TraNoIdValue, {}},
        LoadCase{"IdEqualToLayoutMarker",
                 "@1 = ~a~\n@2147483647 = ~b~",
                 TraIdOutOfRange,
                 {{.id = 1, .maleText = "a"}}},
        LoadCase{"IdAbove32Bits", "@2147483648 = ~a~", TraIdOutOfRange, {}},
        LoadCase{"IdBelow32Bits", "@-2147483649 = ~a~", TraIdOutOfRange, {}},
        LoadCase{"IdOfTwentyDigits", "@99999999999999999999 = ~a~", TraIdOutOfRange, {}},
        LoadCase{"NonNumericIdAfterComment", "// c\n@x = ~a~", TraNoIdValue, {Layout("// c\n")}},
        LoadCase{"NoEqualSign", "@1 ~a~", TraNoEqualSign, {}},
        LoadCase{"TextOnTheLineAfterEqualSign", "@1 =\n~a~", TraNoSeparator, {}},
        LoadCase{"SecondSoundReference",
                 "@7 = ~m~ [S1] [S2]",
                 TraNoSeparator,
                 {{.id = 7, .maleText = "m", .maleSound = "S1"}}},
        LoadCase{"TwoEntriesOnOneLine",
                 "@1 = ~a~ @2 = ~b~",
                 TraNoSeparator,
                 {{.id = 1, .maleText = "a"}}},
        LoadCase{"ThirdText",
                 "@7 = ~m~ ~f~ ~x~",
                 TraTooManyStrings,
                 {{.id = 7, .maleText = "m", .femaleText = "f"}}},
        LoadCase{"LineWithoutAtSign",
                 "@1 = ~a~\n// c\nx\n@3 = ~c~",
                 TraNoAtSign,
                 {{.id = 1, .maleText = "a"}, Layout("// c\n")}},
        LoadCase{
            "StrayWordAfterAnEntry", "@1 = ~a~\nx\n", TraNoSeparator, {{.id = 1, .maleText = "a"}}},
        LoadCase{"ByteOrderMarkInsideTheFile",
                 "// c\n\xEF\xBB\xBF@2 = ~b~",
                 TraNoAtSign,
                 {Layout("// c\n")}},
        LoadCase{"UnclosedSoundReference",
                 "@7 = ~a~ [SND01\n]",
                 TraNoSoundEnd,
                 {{.id = 7, .maleText = "a"}}}),
    CaseName);

TEST(TraFileLoad, EmptyFileIsNamedAfterThePartBehindTheLastSlashOrBackslash) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.Load(dir.Write("sub/dialog.tra", "")), TraOk);
    EXPECT_EQ(file.GetName(), "dialog.tra");
    EXPECT_EQ(file.GetSize(), 0);
#ifdef _WIN32
    ASSERT_EQ(file.Load((dir.Path() / "sub").string() + "\\dialog.tra"), TraOk);
    EXPECT_EQ(file.GetName(), "dialog.tra");
#endif
}

TEST(TraFileLoad, OpenFailureEmptiesTheEntriesButKeepsTheName) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.Load(dir.Write("first.tra", "@1 = ~a~\n@2 = ~b~\n")), TraOk);
    EXPECT_EQ(file.Load(dir / "missing.tra"), TraOpenFailed);
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.GetEntryCount(), 0);
    EXPECT_EQ(file.GetName(), "first.tra");
    EXPECT_EQ(file.Load(dir.Path().string()), TraOpenFailed);
}

TEST(TraFileLoad, EachLoadStartsFromAnEmptyList) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n@2 = ~b~\n"), TraOk);
    ASSERT_EQ(LoadBytes(file, "@3 = ~c~\n"), TraOk);
    EXPECT_EQ(EntriesOf(file), (std::vector<TraEntryValue>{{.id = 3, .maleText = "c"}}));
    EXPECT_EQ(file.GetEntryCount(), 1);
}

TEST(TraFileLoad, LongLinesAndManyLinesHaveNoLimit) {
    const std::string longText(300'000, 'x');
    std::string input = "@1 = ~" + longText + "~\r\n";
    for (int id = 2; id <= 5000; ++id) {
        input += "@" + std::to_string(id) + " = ~t~\r\n";
    }
    TraFile file;
    ASSERT_EQ(LoadBytes(file, input), TraOk);
    EXPECT_EQ(file.Find(1).MaleText(), longText);
    EXPECT_EQ(file.GetEntryCount(), 5000);
}

// --- What the last failure tells ---------------------------------------------

// The failure of a load as the user reads it.
std::string FailureTextOf(std::string_view bytes) {
    TraFile file;
    LoadBytes(file, bytes);
    return TraFailureText(file.GetLastFailure());
}

TEST(TraFileLoadFailure, ASyntaxFaultNamesTheLineTheReaderStoppedOn) {
    EXPECT_EQ(FailureTextOf("x\n"), "Missing string Id @ character at line 1");
    EXPECT_EQ(FailureTextOf("// a\r\n\r\n/* b\nc */\n@1 = ~one\ntwo~\n@2 ~x~\n"),
              "Missing equal sign after string Id at line 7")
        << "blank lines, comments and texts over several lines all count";
    EXPECT_EQ(FailureTextOf("@1 = ~a\rb~ [S\r\n"),
              "Missing end character ] for sound reference at line 1")
        << "a lone CR ends no line";
    EXPECT_EQ(FailureTextOf("\xEF\xBB\xBF@1 = ~a~ ~b~ ~c~"),
              "Too many strings for a string Id, two are allowed (male, female) at line 1");
    EXPECT_EQ(FailureTextOf("@1 = ~a~\n@99999999999 = ~b~\n"), "Id out of range at line 2");
}

// An unclosed delimiter makes the text run on until the next one, and the
// reader only stumbles later: the line where the text began is where to
// look. The next entry's own faults are its own again.
TEST(TraFileLoadFailure, AFaultAfterATextOverSeveralLinesNamesTheLineTheTextBegan) {
    EXPECT_EQ(FailureTextOf("@1 = ~unclosed\n@2 = ~b~\n"), "Expected separator missing at line 1");
    EXPECT_EQ(FailureTextOf("@1 = ~a~\n@2 = ~b~ ~unclosed\n\n@3 = ~c~\n"),
              "Too many strings for a string Id, two are allowed (male, female) at line 2")
        << "a female text counts from its own first line";
    EXPECT_EQ(FailureTextOf("@1 = ~a\nb~\n@2 ~x~\n"),
              "Missing equal sign after string Id at line 3");
    EXPECT_EQ(FailureTextOf("@1 = ~a~ [S\n"),
              "Missing end character ] for sound reference at line 1");
}

TEST(TraFileLoadFailure, ASuccessfulLoadLeavesNoFailureBehind) {
    TraFile file;
    ASSERT_NE(LoadBytes(file, "@1 = ~a~\nx\n"), TraOk);
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n"), TraOk);
    EXPECT_EQ(file.GetLastFailure().code, TraOk);
    EXPECT_EQ(file.GetLastFailure().line, 0);
    EXPECT_EQ(TraFailureText(file.GetLastFailure()), "No error");
}

TEST(TraFileLoadFailure, AFileThatCannotBeOpenedTellsTheSystemsReason) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.Load(dir / "missing.tra"), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::no_such_file_or_directory);
    EXPECT_EQ(TraFailureText(file.GetLastFailure()),
              "Failed to open file (" + file.GetLastFailure().systemError.message() + ")");
    EXPECT_EQ(file.GetLastFailure().line, 0);

    ASSERT_EQ(file.Load(dir.Path().string()), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::is_a_directory);
}

#ifndef _WIN32
TEST(TraFileLoadFailure, AFileWithoutReadPermissionSaysSo) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    test_support::TempDir dir;
    const std::string path = dir.Write("locked.tra", "@1 = ~a~\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    TraFile file;
    EXPECT_EQ(file.Load(path), TraOpenFailed);
    EXPECT_EQ(TraFailureText(file.GetLastFailure()), "Failed to open file (Permission denied)");
}
#endif

#ifdef __linux__
// Reading this file fails with an I/O error on its first byte.
TEST(TraFileLoadFailure, ReadFailureIsReportedAsSuchWithTheSystemsReason) {
    TraFile file;
    EXPECT_EQ(file.Load("/proc/self/mem"), TraReadFailed);
    EXPECT_EQ(file.GetName(), "");
    EXPECT_EQ(TraFailureText(file.GetLastFailure()), "File read failure (Input/output error)");
}
#endif

}  // namespace
