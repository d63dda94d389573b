#include "review/word_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace wordgleaner;

namespace {

// The text with its marked spans bracketed: {+inserted+}, [-deleted-] and
// (~changed~), so that an expectation reads as the text it stands for.
std::string Marked(std::string_view text, const std::vector<DiffSpan>& spans) {
    std::string marked;
    for (const DiffSpan& span : spans) {
        const std::string_view piece = text.substr(span.begin, span.end - span.begin);
        switch (span.kind) {
            case DiffKind::Equal:
                marked += piece;
                break;
            case DiffKind::Inserted:
                marked += "{+" + std::string(piece) + "+}";
                break;
            case DiffKind::Deleted:
                marked += "[-" + std::string(piece) + "-]";
                break;
            case DiffKind::Changed:
                marked += "(~" + std::string(piece) + "~)";
                break;
        }
    }
    return marked;
}

struct MarkedPair {
    std::string before;
    std::string after;
};

MarkedPair Diff(std::string_view before, std::string_view after) {
    const WordDiff diff = DiffWords(before, after);
    return {Marked(before, diff.before), Marked(after, diff.after)};
}

// The spans of a side follow each other without gap or overlap from the
// first byte to the last, none empty.
void ExpectCovers(const std::vector<DiffSpan>& spans, std::size_t size) {
    std::size_t position = 0;
    for (const DiffSpan& span : spans) {
        EXPECT_EQ(span.begin, position);
        EXPECT_LT(span.begin, span.end);
        position = span.end;
    }
    EXPECT_EQ(position, size);
}

TEST(WordDiff, EqualTextsAreOneEqualSpanEach) {
    const WordDiff diff = DiffWords("Hello, friend.", "Hello, friend.");
    EXPECT_EQ(diff.before, (std::vector<DiffSpan>{{DiffKind::Equal, 0, 14}}));
    EXPECT_EQ(diff.after, (std::vector<DiffSpan>{{DiffKind::Equal, 0, 14}}));
}

TEST(WordDiff, MarksAnAddedWordOnlyInTheLaterText) {
    const MarkedPair marked = Diff("Take the sword.", "Take the long sword.");
    EXPECT_EQ(marked.before, "Take the sword.");
    EXPECT_EQ(marked.after, "Take the {+long+} sword.");
}

TEST(WordDiff, MarksARemovedWordOnlyInTheEarlierText) {
    const MarkedPair marked = Diff("Take the long sword.", "Take the sword.");
    EXPECT_EQ(marked.before, "Take the [-long-] sword.");
    EXPECT_EQ(marked.after, "Take the sword.");
}

TEST(WordDiff, ShowsADeletedRunFollowedByAnInsertedOneAsChangedOnBothSides) {
    EXPECT_EQ(Diff("Open the door", "Close the door").after, "(~Close~) the door");
    const MarkedPair marked = Diff("Run to the old mill now", "Run to the big red barn now");
    EXPECT_EQ(marked.before, "Run to the (~old mill~) now");
    EXPECT_EQ(marked.after, "Run to the (~big red barn~) now");
}

TEST(WordDiff, MarksPunctuationAndSpacingThatDifferBetweenSharedWords) {
    const MarkedPair marked = Diff("Well... yes, my friend!", "Well -- no, my  friend?");
    EXPECT_EQ(marked.before, "Well(~...~) (~yes~), my friend(~!~)");
    EXPECT_EQ(marked.after, "Well(~ --~) (~no~), my {+ +}friend(~?~)");
    const MarkedPair comma = Diff("Mind your own business, wench!", "Mind your own business!");
    EXPECT_EQ(comma.before, "Mind your own business, [-wench-]!");
    EXPECT_EQ(comma.after, "Mind your own business!");
    EXPECT_EQ(Diff("Hello, friend", "Hello friend").before, "Hello[-,-] friend");
    EXPECT_EQ(Diff("Go away", "Go away!").after, "Go away{+!+}");
    const WordDiff onlyMarks = DiffWords("?!", "...");
    EXPECT_EQ(onlyMarks.before, (std::vector<DiffSpan>{{DiffKind::Changed, 0, 2}}));
    EXPECT_EQ(onlyMarks.after, (std::vector<DiffSpan>{{DiffKind::Changed, 0, 3}}));
}

// The bytes around words that only one text has belong to those words: they
// are not compared with the single gap the other text has there.
TEST(WordDiff, LeavesTheGapsAroundAnAddedWordToTheWord) {
    const MarkedPair marked = Diff("Take the sword.", "Take the long, sharp sword.");
    EXPECT_EQ(marked.before, "Take the sword.");
    EXPECT_EQ(marked.after, "Take the {+long, sharp+} sword.");
}

// Guillemets of code page 1252 are delimiters like the ASCII marks.
TEST(WordDiff, MarksPunctuationOfACodePage) {
    const MarkedPair marked = Diff("\xABOui\xBB", "\xABOui\xAB");
    EXPECT_EQ(marked.before, "\xABOui(~\xBB~)");
    EXPECT_EQ(marked.after, "\xABOui(~\xAB~)");
}

TEST(WordDiff, ComparesWordsByTheirExactBytesSoACaseChangeIsMarked) {
    const MarkedPair marked = Diff("Hello World", "hello World");
    EXPECT_EQ(marked.before, "(~Hello~) World");
    EXPECT_EQ(marked.after, "(~hello~) World");
}

TEST(WordDiff, MatchesRepeatedWordsByTheLongestCommonSequence) {
    EXPECT_EQ(Diff("no no no", "no no").before, "no no [-no-]");
    EXPECT_EQ(Diff("no, no", "no no, no!").after, "no no, {+no+}!");
    const MarkedPair marked = Diff("the cat saw the dog", "the dog saw the cat");
    EXPECT_EQ(marked.before, "the (~cat~) saw the (~dog~)");
    EXPECT_EQ(marked.after, "the (~dog~) saw the (~cat~)");
}

TEST(WordDiff, ShowsAMovedWordAsRemovedInOnePlaceAndAddedInAnother) {
    const MarkedPair marked = Diff("Now run away from here", "Run away from here now");
    EXPECT_EQ(marked.before, "(~Now run~) away from here");
    EXPECT_EQ(marked.after, "(~Run~) away from here {+now+}");
    const MarkedPair moved = Diff("gold and silver coins", "silver coins and gold");
    EXPECT_EQ(moved.before, "[-gold and-] silver coins");
    EXPECT_EQ(moved.after, "silver coins {+and gold+}");
}

TEST(WordDiff, MarksEveryWordAgainstAnEmptyText) {
    EXPECT_EQ(Diff("", "  Hello there!").after, "  {+Hello there+}!");
    EXPECT_EQ(Diff("...Hello there", "").before, "...[-Hello there-]");
    const WordDiff bothEmpty = DiffWords("", "");
    EXPECT_TRUE(bothEmpty.before.empty());
    EXPECT_TRUE(bothEmpty.after.empty());
}

TEST(WordDiff, SpansCoverBothTextsWhole) {
    const std::pair<std::string, std::string> pairs[] = {
        {"  a b c  ", "c b a"},
        {"x", "  y z  "},
        {"one two three four", "zero one three five four six"},
        {"line\r\nnext line", "line\nnext"},
    };
    for (const auto& [before, after] : pairs) {
        SCOPED_TRACE(before + " / " + after);
        const WordDiff diff = DiffWords(before, after);
        ExpectCovers(diff.before, before.size());
        ExpectCovers(diff.after, after.size());
    }
}

// Texts whose differing middles are too large to compare word by word keep
// their equal ends and show the middle as one change.
TEST(WordDiff, ShowsAnOversizedMiddleAsOneChangeBetweenItsEqualEnds) {
    std::string before = "Start:";
    std::string after = "Start:";
    for (int word = 0; word < 1100; ++word) {
        before += " a" + std::to_string(word);
        after += " b" + std::to_string(word);
    }
    before += " end.";
    after += " end.";
    const WordDiff diff = DiffWords(before, after);
    ASSERT_EQ(diff.before.size(), 3u);
    ASSERT_EQ(diff.after.size(), 3u);
    EXPECT_EQ(diff.before[1], (DiffSpan{DiffKind::Changed, 7, before.size() - 5}));
    EXPECT_EQ(diff.after[1], (DiffSpan{DiffKind::Changed, 7, after.size() - 5}));
}

TEST(WordDiff, ComparesMiddlesJustInsideTheLimitWordByWord) {
    std::string before;
    std::string after;
    for (int word = 0; word < 1000; ++word) {
        before += "w" + std::to_string(word) + " ";
        after += (word % 2 == 0 ? "w" : "v") + std::to_string(word) + " ";
    }
    const WordDiff diff = DiffWords(before, after);
    // Every other word changed: one marked span per changed word.
    const auto changed = std::count_if(diff.after.begin(), diff.after.end(), [](const DiffSpan& s) {
        return s.kind == DiffKind::Changed;
    });
    EXPECT_EQ(changed, 500);
}

}  // namespace
