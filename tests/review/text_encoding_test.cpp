#include "review/text_encoding.h"

#include <gtest/gtest.h>

using namespace wordgleaner;

namespace {

TEST(IsValidUtf8, AcceptsEveryLengthOfSequence) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(
        IsValidUtf8("Gr\xC3\xBC\xC3\x9F"
                    "e"));                                 // Grüße
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC"));              // €
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));          // U+1F600
    EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF\xEE\x80\x80"));  // around the surrogates
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));          // U+10FFFF
}

TEST(IsValidUtf8, RejectsCodePageTextAndMalformedSequences) {
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));               // é in code page 1252
    EXPECT_FALSE(IsValidUtf8("\x93quoted\x94"));        // curly quotes in code page 1252
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));              // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));          // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));          // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));      // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));              // cut short at the end
    EXPECT_FALSE(IsValidUtf8("\xE2\x82 x"));            // cut short before ASCII
    EXPECT_FALSE(IsValidUtf8("\x80"));                  // a lone continuation byte
    EXPECT_FALSE(IsValidUtf8("\xF8\x88\x80\x80\x80"));  // five bytes
}

TEST(ToUtf8, ReturnsValidUtf8AsItIsWhateverTheCodePage) {
    const std::string text = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, caf\xC3\xA9";
    EXPECT_EQ(ToUtf8(text, 1252), text);
    EXPECT_EQ(ToUtf8(text, 1251), text);
    EXPECT_EQ(ToUtf8("", 1250), "");
}

TEST(ToUtf8, DecodesWesternEuropeanCodePage1252) {
    EXPECT_EQ(ToUtf8("caf\xE9", 1252), "caf\xC3\xA9");                                    // café
    EXPECT_EQ(ToUtf8("\x80 5", 1252), "\xE2\x82\xAC 5");                                  // € 5
    EXPECT_EQ(ToUtf8("\x93hi\x94\x85", 1252), "\xE2\x80\x9Chi\xE2\x80\x9D\xE2\x80\xA6");  // “hi”…
}

TEST(ToUtf8, DecodesCentralEuropeanCodePage1250) {
    // "Šťastný čas" and "ą": bytes where 1250 and 1252 differ.
    EXPECT_EQ(ToUtf8("\x8A\x9D"
                     "astn\xFD \xE8"
                     "as \xB9",
                     1250),
              "\xC5\xA0\xC5\xA5"
              "astn\xC3\xBD \xC4\x8D"
              "as \xC4\x85");
}

TEST(ToUtf8, DecodesCyrillicCodePage1251) {
    EXPECT_EQ(ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2!", 1251),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82!");  // Привет!
}

TEST(ToUtf8, DecodesTheSameBytesDifferentlyByCodePage) {
    EXPECT_EQ(ToUtf8("\xE8", 1250), "\xC4\x8D");  // č
    EXPECT_EQ(ToUtf8("\xE8", 1251), "\xD0\xB8");  // и
    EXPECT_EQ(ToUtf8("\xE8", 1252), "\xC3\xA8");  // è
}

TEST(CodePageDecoder, DecodesPiecesThatLookLikeUtf8FromTheCodePage) {
    CodePageDecoder decoder(1252);
    // "Ã©" in code page 1252 is also the UTF-8 form of "é".
    EXPECT_EQ(decoder.ToUtf8("\xC3\xA9"), "\xC3\xA9");
    EXPECT_EQ(decoder.Decode("\xC3\xA9"), "\xC3\x83\xC2\xA9");
}

TEST(CodePageDecoder, DecodesDoubleByteCodePagesAndReplacesACutCharacter) {
    CodePageDecoder decoder(932);
    ASSERT_TRUE(decoder.IsSupported());
    EXPECT_EQ(decoder.Decode("\x82\xA0!"), "\xE3\x81\x82!");  // あ!
    EXPECT_EQ(decoder.Decode("ok \x82"), "ok \xEF\xBF\xBD");
    // The cut character of one text does not spill into the next.
    EXPECT_EQ(decoder.Decode("\x82\xA0"), "\xE3\x81\x82");
}

#ifndef _WIN32
// The platform converter of Windows gives these bytes C1 control characters
// rather than refusing them.
TEST(CodePageDecoder, ReplacesBytesTheCodePageLeavesUndefinedAndGoesOn) {
    CodePageDecoder decoder(1252);
    EXPECT_EQ(decoder.Decode("a\x81"
                             "b\x8D"
                             "c"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c");
    EXPECT_EQ(decoder.Decode("caf\xE9"), "caf\xC3\xA9");
}
#endif

TEST(IsSupportedCodePage, KnowsTheWindowsCodePagesAndRefusesOtherNumbers) {
    for (int codePage : {1250, 1251, 1252, 1253, 1254, 1257, 932, 936, 65001}) {
        EXPECT_TRUE(IsSupportedCodePage(codePage)) << codePage;
    }
    for (int codePage : {0, -1252, 12, 99999}) {
        EXPECT_FALSE(IsSupportedCodePage(codePage)) << codePage;
    }
}

TEST(ToUtf8, KeepsAsciiAndReplacesOtherBytesForAnUnsupportedCodePage) {
    EXPECT_EQ(ToUtf8("caf\xE9!", 99999), "caf\xEF\xBF\xBD!");
}

}  // namespace
