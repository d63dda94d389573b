#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/file_size_limit.h"
#include "tra_test_helpers.h"

using namespace wordgleaner;

namespace {

// Loads `input`, saves it, and returns the saved bytes.
std::string Resaved(std::string_view input) {
    TraFile file;
    EXPECT_EQ(LoadBytes(file, input), TraOk) << input;
    return SavedBytes(file);
}

TEST(TraFileSave, WritesTheNormalisedLayoutWithCrLf) {
    EXPECT_EQ(Resaved("@5=~Hello~"), "@5     = ~Hello~\r\n");
    EXPECT_EQ(Resaved("@123456 = ~Hello~"), "@123456= ~Hello~\r\n");
    EXPECT_EQ(Resaved("@-1234567 =\t~x~\t[S]  ~y~ [T]"), "@-1234567= ~x~ [S] ~y~ [T]\r\n");
    EXPECT_EQ(Resaved("@5 = ~~ []"), "@5     = ~~\r\n");
    EXPECT_EQ(Resaved("   // a\n\t\n/* b */\n"), "// a\r\n\r\n// b \r\n\r\n");
    EXPECT_EQ(Resaved("@5 = ~Hello~ // note\n[SND]"), "@5     = ~Hello~ // note\r\n [SND]\r\n");
    EXPECT_EQ(Resaved("@5 = ~a\nb~"), "@5     = ~a\r\nb~\r\n");
}

// A text this long goes to the file straight from the loaded bytes, between
// the parts buffered before and after it; the bytes must not change.
TEST(TraFileSave, WritesLongTextsInPlaceBetweenTheirNeighbours) {
    std::string longText;
    for (int line = 0; longText.size() < 200'000; ++line) {
        longText += "line " + std::to_string(line) + " of a long text\n";
    }
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "// head\n@1 = ~short~\n@2 = ~" + longText + "~ [SND] // note\n" +
                                  "   ~" + std::string(70'000, 'f') + "~\n@3 = ~end~\n"),
              TraOk);
    std::string longTextCrLf;
    for (char byte : longText) {
        longTextCrLf += byte == '\n' ? std::string("\r\n") : std::string(1, byte);
    }
    const std::string expected = "// head\r\n@1     = ~short~\r\n@2     = ~" + longTextCrLf +
                                 "~ [SND] // note\r\n ~" + std::string(70'000, 'f') +
                                 "~\r\n@3     = ~end~\r\n";
    const std::string saved = SavedBytes(file);
    // Compared without printing: a failure would show half a megabyte.
    EXPECT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved == expected) << "first difference at byte "
                                   << std::ranges::mismatch(saved, expected).in1 - saved.begin();
}

TEST(TraFileSave, ChoosesTheFirstDelimiterThatTheTextDoesNotHold) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~~\n@2 = ~~\n@3 = ~~\n"), TraOk);
    file.SetTexts(1, "a ~tilde~");
    file.SetTexts(2, "a ~tilde~ and \"quotes\"");
    file.SetTexts(3, "~, \" and %", "plain");
    EXPECT_EQ(SavedBytes(file),
              "@1     = \"a ~tilde~\"\r\n"
              "@2     = %a ~tilde~ and \"quotes\"%\r\n"
              "@3     = ~~~~~~, \" and %~~~~~ ~plain~\r\n");
}

TEST(TraFileSave, AddedCommentsStandBeforeTheirEntryOnLinesOfTheirOwn) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@5 = ~a~\n@6 = ~b~\n"), TraOk);
    file.AddComment(5, "one\ntwo");
    file.AddComment(6, "three\n");
    EXPECT_EQ(SavedBytes(file), "// one\r\n// two\r\n@5     = ~a~\r\n// three\r\n@6     = ~b~\r\n");
}

// A female sound without a female text must not turn into the male sound, or
// make the file unreadable next to a male sound.
TEST(TraFileSave, EmptyFemaleTextIsWrittenWhenAFemaleSoundFollows) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@5 = ~m~ [S1] ~f~ [S2]\n@6 = ~m~ ~f~ [S2]\n"), TraOk);
    file.SetTexts(5, "x", "");
    file.SetTexts(6, "y", "");
    EXPECT_EQ(SavedBytes(file), "@5     = ~x~ [S1] ~~ [S2]\r\n@6     = ~y~ ~~ [S2]\r\n");
}

// Empty parts that carry a comment of their own keep their place, and a comment
// over several lines inside an entry stays a block comment, so that every such
// entry reads back the same.
TEST(TraFileSave, CommentsInsideAnEntryReadBackIntoTheSameParts) {
    EXPECT_EQ(Resaved("@5 = ~m~ [] // s\n"), "@5     = ~m~ [] // s\r\n");
    EXPECT_EQ(Resaved("@5 = ~m~ ~~ // f\n"), "@5     = ~m~ ~~ // f\r\n");
    EXPECT_EQ(Resaved("@5 = ~m~ /* a\nb */ [S] ~f~"), "@5     = ~m~ /* a\r\nb */\r\n [S] ~f~\r\n");
    EXPECT_EQ(Resaved("@5 = ~m~ /* a\nb */ // c\n"), "@5     = ~m~ /* a\r\nb */// c\r\n");
    EXPECT_EQ(Resaved("@5 = ~m~ /* left\nopen\n"), "@5     = ~m~ /* left\r\nopen*/\r\n");
    EXPECT_EQ(Resaved("@5 = ~m~ /* a **/ /* b\nc */ [S]"),
              "@5     = ~m~ /* a **//* b\r\nc */\r\n [S]\r\n");
}

TEST(TraFileSave, AByteOrderMarkOfTheLoadedFileIsWrittenBackInFrontAndOnlyThen) {
    EXPECT_EQ(Resaved("\xEF\xBB\xBF@1 = ~a~\n"), "\xEF\xBB\xBF@1     = ~a~\r\n");
    EXPECT_EQ(Resaved("\xEF\xBB\xBF// c\n"), "\xEF\xBB\xBF// c\r\n");
    EXPECT_EQ(Resaved("\xEF\xBB\xBF"), "\xEF\xBB\xBF");

    TraFile file;
    ASSERT_EQ(LoadBytes(file, "\xEF\xBB\xBF@1 = ~a~\n"), TraOk);
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n"), TraOk);
    EXPECT_EQ(SavedBytes(file), "@1     = ~a~\r\n") << "the mark of an earlier load is gone";
}

TEST(TraFileSave, FailureToCreateReturnsOpenFailedAndTouchesNothing) {
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n"), TraOk);
    EXPECT_EQ(file.Save(dir / "missing/out.tra"), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().code, TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::no_such_file_or_directory);
    EXPECT_EQ(file.Save(dir.Path().string()), TraOpenFailed);
    EXPECT_EQ(file.GetLastFailure().systemError, std::errc::is_a_directory);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    EXPECT_EQ(file.Save(dir / "out.tra"), TraOk);
    EXPECT_EQ(file.GetLastFailure().code, TraOk) << "a good save leaves no failure behind";
    EXPECT_EQ(file.GetLastFailure().systemReason, "");
}

#ifdef __linux__
TEST(TraFileSave, ANameOfTheLongestLengthLinuxAllowsIsSavedLikeAnyOther) {
    test_support::TempDir dir;
    const std::string path = dir / (std::string(251, 'n') + ".tra");
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n"), TraOk);
    EXPECT_EQ(file.Save(path), TraOk) << TraFailureText(file.GetLastFailure());
    EXPECT_EQ(test_support::TempDir::Read(path), "@1     = ~a~\r\n");
}
#endif

#ifndef _WIN32
TEST(TraFileSave, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    test_support::TempDir dir;
    const std::string old = dir.Write("out.tra", "old contents\r\n");
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~" + std::string(100'000, 'x') + "~\n"), TraOk);
    {
        test_support::FileSizeLimit limit(1000);
        EXPECT_EQ(file.Save(old), TraWriteFailed);
    }
    EXPECT_EQ(TraFailureText(file.GetLastFailure()), "File write failure (File too large)");
    EXPECT_EQ(test_support::TempDir::Read(old), "old contents\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(TraFileSave, WriteFailureOnAFullDeviceIsReported) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~a~\n"), TraOk);
    EXPECT_EQ(file.Save("/dev/full"), TraWriteFailed);
    EXPECT_EQ(TraFailureText(file.GetLastFailure()),
              "File write failure (No space left on device)");
}
#endif

}  // namespace
