#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/whole_text_file.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

using namespace std::string_literals;

namespace {

struct TextModeCase {
    std::string input;
    std::string lines;  // what the read gives
    bool byteOrderMark = false;
};

TEST(WholeTextFile, ReadsInTextModeAndEndsEveryLineWithLf) {
    const std::string longLine(200'000, 'x');
    const std::string manyCarriageReturns(70'000, '\r');
    const std::vector<TextModeCase> cases = {
        {"", ""},
        {"a", "a\n"},
        {"a\r\nb\rc\n\r\r\nnul \0 byte\r"s, "a\nb\rc\n\r\nnul \0 byte\r\n"s},
        {"a\nb\x1A c\nd\n", "a\nb\n"},
        {"a\r\n\x1A\r\nb", "a\n"},
        {"a\r\x1A\n", "a\r\n"},
        {"\x1A", ""},
        {"\r", "\r\n"},
        {"\r\n", "\n"},
        {"\xEF\xBB\xBF", "", true},
        {"\xEF\xBB\xBF@1 = ~a~\r\n", "@1 = ~a~\n", true},
        {"\xEF\xBB", "\xEF\xBB\n"},
        {"x\xEF\xBB\xBF\r\n\r\n\n", "x\xEF\xBB\xBF\n\n\n"},
        {longLine + "\r\n" + manyCarriageReturns + "end",
         longLine + "\n" + manyCarriageReturns + "end\n"},
    };
    test_support::TempDir dir;
    for (const TextModeCase& test : cases) {
        const std::string path = dir.Write("input", test.input);
        std::string bytes = "left from before";
        const WholeTextFileRead read = ReadWholeTextFile(path, bytes);
        EXPECT_EQ(read.failure.code, TraOk);
        EXPECT_EQ(bytes, test.lines) << "input of " << test.input.size() << " bytes";
        EXPECT_EQ(read.byteOrderMark, test.byteOrderMark);
    }
}

TEST(WholeTextFile, MissingFileAndDirectoryFailToOpenWithTheReason) {
    test_support::TempDir dir;
    std::string bytes;
    const WholeTextFileRead missing = ReadWholeTextFile(dir / "missing", bytes);
    EXPECT_EQ(missing.failure.code, TraOpenFailed);
    EXPECT_EQ(missing.failure.systemError, std::errc::no_such_file_or_directory);
    const WholeTextFileRead folder = ReadWholeTextFile(dir.Path().string(), bytes);
    EXPECT_EQ(folder.failure.code, TraOpenFailed);
    EXPECT_EQ(TraFailureText(folder.failure), "Failed to open file (a folder, not a file)");
}

}  // namespace
