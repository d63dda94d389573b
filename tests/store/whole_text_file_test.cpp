#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/text_file.h"
#include "store/whole_text_file.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

using namespace std::string_literals;

namespace {

// The line reader is the rule; the whole-file read must give the same lines.
std::string LinesOfTheLineReader(const std::string& path, bool& byteOrderMark) {
    TextFileReader reader;
    EXPECT_EQ(reader.Open(path), TraOk);
    std::string all;
    std::string line;
    while (reader.ReadLine(line) == TraOk) {
        all += line;
    }
    byteOrderMark = reader.StartedWithByteOrderMark();
    return all;
}

TEST(WholeTextFile, GivesTheSameLinesAsTheLineReader) {
    const std::vector<std::string> inputs = {
        "",
        "a",
        "a\r\nb\rc\n\r\r\nnul \0 byte\r"s,
        "a\nb\x1A c\nd\n",
        "a\r\n\x1A\r\nb",
        "a\r\x1A\n",
        "\x1A",
        "\r",
        "\r\n",
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF@1 = ~a~\r\n",
        "\xEF\xBB",
        "x\xEF\xBB\xBF\r\n\r\n\n",
        std::string(200'000, 'x') + "\r\n" + std::string(70'000, '\r') + "end",
    };
    test_support::TempDir dir;
    for (const std::string& input : inputs) {
        const std::string path = dir.Write("input", input);
        bool expectedMark = false;
        const std::string expected = LinesOfTheLineReader(path, expectedMark);
        std::string bytes = "left from before";
        const WholeTextFileRead read = ReadWholeTextFile(path, bytes);
        EXPECT_EQ(read.code, TraOk);
        EXPECT_EQ(bytes, expected) << "input of " << input.size() << " bytes";
        EXPECT_EQ(read.byteOrderMark, expectedMark);
    }
}

TEST(WholeTextFile, MissingFileAndDirectoryFailToOpenWithTheReason) {
    test_support::TempDir dir;
    std::string bytes;
    const WholeTextFileRead missing = ReadWholeTextFile(dir / "missing", bytes);
    EXPECT_EQ(missing.code, TraOpenFailed);
    EXPECT_EQ(missing.systemError, std::errc::no_such_file_or_directory);
    const WholeTextFileRead folder = ReadWholeTextFile(dir.Path().string(), bytes);
    EXPECT_EQ(folder.code, TraOpenFailed);
    EXPECT_EQ(folder.systemError, std::errc::is_a_directory);
}

}  // namespace
