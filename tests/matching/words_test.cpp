#include "matching/words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace wordgleaner;

namespace {

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    for (std::string_view word : SplitWords(text)) {
        words.emplace_back(word);
    }
    return words;
}

using List = std::vector<std::string>;

TEST(WordDelimiters, AreExactlyTheThirtyFourListedBytes) {
    const std::string listed =
        " \t\n,;:.!?\x85'\"()[]-|/\\*~&\xB0{}\x91\x92\x96\x97\x93\x94\xAB\xBB";
    ASSERT_EQ(listed.size(), WordDelimiters.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(static_cast<unsigned char>(listed[i]), WordDelimiters[i]) << "at " << i;
    }
    for (int value = 0; value < 256; ++value) {
        char byte = static_cast<char>(value);
        bool listedByte = listed.find(byte) != std::string::npos;
        EXPECT_EQ(listedByte, IsWordDelimiter(byte)) << "byte " << value;
    }
}

TEST(SplitWords, DropsDelimitersAtTheEndsAndInRuns) {
    EXPECT_EQ(Words("  Hello,   world!  "), (List{"Hello", "world"}));
    EXPECT_EQ(Words("...\x85!?"), List{});
    EXPECT_EQ(Words(""), List{});
    EXPECT_EQ(Words("one\ntwo\tthree"), (List{"one", "two", "three"}));
    EXPECT_EQ(Words("\x93quoted\x94 \xABguillemets\xBB"), (List{"quoted", "guillemets"}));
}

TEST(SplitWords, KeepsBytesThatAreNotListedInsideWords) {
    EXPECT_EQ(Words("<CHARNAME> said =+%#$^`_"), (List{"<CHARNAME>", "said", "=+%#$^`_"}));
    EXPECT_EQ(Words("line\r\nnext"), (List{"line\r", "next"}));
    EXPECT_EQ(Words("100 gp"), (List{"100", "gp"}));
    EXPECT_EQ(Words("Caf\xE9"), List{"Caf\xE9"});
}

TEST(SplitWords, SplitsAtApostrophesAndHyphens) {
    EXPECT_EQ(Words("don't"), (List{"don", "t"}));
    EXPECT_EQ(Words("well-known"), (List{"well", "known"}));
    EXPECT_EQ(Words("a\x96"
                    "b\x97"
                    "c"),
              (List{"a", "b", "c"}));
}

TEST(EqualsIgnoringAsciiCase, FoldsOnlyTheAsciiCapitals) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Hello World", "hELLO wORLD"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("abc", "abcd"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));  // 0x5B and 0x7B differ by 0x20 too
    EXPECT_FALSE(EqualsIgnoringAsciiCase("@", "`"));
}

}  // namespace
