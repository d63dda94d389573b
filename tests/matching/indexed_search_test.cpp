// The indexed search against the linear one: on generated reference/mod pairs
// and on hand-made cases, for the settings a user can choose, the candidate
// arrays must be identical, scores bit for bit.

#include "matching/indexed_reference_search.h"

#include "matching/equal_texts.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "loaded_tra.h"
#include "store/tra_file.h"
#include "support/random_tra.h"

using namespace wordgleaner;

namespace {

using test_support::RandomEntry;
using test_support::RandomTra;
using test_support::RandomTraShape;

std::string Describe(const SearchResult& result) {
    std::string text = std::to_string(result.count) + " found:";
    for (const MatchCandidate& candidate : result.Found()) {
        text += " {" + std::to_string(candidate.referenceId) + ", " +
                std::to_string(candidate.score) + "}";
    }
    return text;
}

// Equal slot by slot, unfilled slots included, scores compared as bits.
bool SameBits(const SearchResult& left, const SearchResult& right) {
    if (left.count != right.count) {
        return false;
    }
    for (std::size_t i = 0; i < left.slots.size(); ++i) {
        if (left.slots[i].referenceId != right.slots[i].referenceId ||
            left.slots[i].referenceFile != right.slots[i].referenceFile ||
            std::bit_cast<std::uint64_t>(left.slots[i].score) !=
                std::bit_cast<std::uint64_t>(right.slots[i].score)) {
            return false;
        }
    }
    return true;
}

// A reference set loaded from generated or written texts, one file each,
// with its index.
class LoadedReference {
public:
    explicit LoadedReference(std::string_view text) : LoadedReference(std::vector{text}) {}
    explicit LoadedReference(const std::vector<std::string_view>& texts) {
        std::vector<ReferenceFile> set;
        for (std::string_view text : texts) {
            TraFile& file = files.emplace_back();
            const std::string name = "reference" + std::to_string(files.size()) + ".tra";
            matching_test::LoadTra(dir, name, text, file);
            set.push_back({&file, nullptr, name});
        }
        references = ReferenceSet(std::move(set));
        BuildReferenceIndex(references, index);
    }

    // Runs both searches on every mod text and counts the disagreements.
    int CountDifferences(const SearchSettings& settings, const std::vector<RandomEntry>& mod,
                         const std::string& context) const {
        IndexedReferenceSearch indexed(references, index, settings);
        int differences = 0;
        for (const RandomEntry& entry : mod) {
            if (entry.text.empty()) {
                continue;  // never searched: an empty text is its own outcome
            }
            SearchResult expected =
                SearchReference(settings, entry.text, entry.sound, references, index);
            SearchResult actual = indexed.Search(entry.text, entry.sound);
            if (!SameBits(expected, actual)) {
                ADD_FAILURE() << context << " mod text \"" << entry.text << "\" sound \""
                              << entry.sound << "\"\n  linear:  " << Describe(expected)
                              << "\n  indexed: " << Describe(actual);
                ++differences;
            }
            differences += CountEqualTextDifferences(settings, indexed, entry, expected, context);
        }
        return differences;
    }

    // Both searches give the same equal texts of either kind, in set order,
    // the first of them being the exact pass's match; and so the same choice
    // among them for a mod entry whose id and file collide with theirs.
    int CountEqualTextDifferences(const SearchSettings& settings,
                                  const IndexedReferenceSearch& indexed, const RandomEntry& entry,
                                  const SearchResult& expected, const std::string& context) const {
        const LinearReferenceSearch linear(references, index, settings);
        int differences = 0;
        for (EqualTextKind kind : {EqualTextKind::ByteExact, EqualTextKind::UpToCase}) {
            const std::vector<std::uint32_t> walked =
                linear.EqualTexts(kind, entry.text, entry.sound);
            const std::vector<std::uint32_t> hashed =
                indexed.EqualTexts(kind, entry.text, entry.sound);
            const bool passOfKind = expected.count > 0 &&
                                    expected.Best().score >= CaseInsensitiveScore &&
                                    EqualTextKindOf(expected.Best().score) == kind;
            const ModEntryPlace place{references.File(0).name, entry.id};
            const bool sameChoice =
                walked.empty() ||
                ChooseAmongEqualTexts(references, walked, ExactScore, place, true).chosen ==
                    ChooseAmongEqualTexts(references, hashed, ExactScore, place, true).chosen;
            const bool firstIsTheMatch =
                !passOfKind ||
                (!walked.empty() &&
                 ChooseAmongEqualTexts(references, walked, expected.Best().score, place, false)
                         .chosen == expected.Best());
            if (walked != hashed || !sameChoice || !firstIsTheMatch) {
                ADD_FAILURE() << context << " mod text \"" << entry.text << "\": equal texts "
                              << walked.size() << " linear, " << hashed.size() << " indexed";
                ++differences;
            }
        }
        return differences;
    }

    test_support::TempDir dir;
    std::deque<TraFile> files;
    ReferenceSet references;
    ReferenceIndex index;
};

std::vector<SearchSettings> SettingsToCompare(RandomTra& random, int idRange) {
    std::vector<SearchSettings> all;
    for (double minimum : {0.0, 50.0, 99.9, 100.0, 12.5}) {
        for (bool compareSound : {true, false}) {
            all.push_back({0, HighestReferenceId, minimum, compareSound});
        }
    }
    // A narrow window, and one that takes in the negative ids.
    const std::int32_t low = random.Below(idRange) - idRange / 4;
    all.push_back({low, low + random.Below(idRange / 2 + 1), 50.0, true});
    all.push_back({-idRange, idRange / 3, 0.0, false});
    return all;
}

std::string ContextOf(std::uint64_t seed, const SearchSettings& settings) {
    return "seed " + std::to_string(seed) + ", window [" + std::to_string(settings.minReferenceId) +
           ", " + std::to_string(settings.maxReferenceId) + "], minimum " +
           std::to_string(settings.minLikeliness) + ", sound " +
           (settings.compareSound ? "compared" : "ignored");
}

void CompareOnGeneratedPairs(std::uint64_t firstSeed, int pairs, const RandomTraShape& shape) {
    for (std::uint64_t seed = firstSeed; seed < firstSeed + static_cast<std::uint64_t>(pairs);
         ++seed) {
        RandomTra random(seed, shape);
        std::vector<RandomEntry> referenceEntries = random.Reference();
        LoadedReference loaded(random.TraText(referenceEntries));
        std::vector<RandomEntry> mod = random.Mod(referenceEntries);
        for (const SearchSettings& settings : SettingsToCompare(random, shape.idRange)) {
            ASSERT_EQ(loaded.CountDifferences(settings, mod, ContextOf(seed, settings)), 0);
        }
    }
}

// The reference cut into `files` files at random points, empty files
// included; generated ids repeat, so the files' ids collide.
std::vector<std::string> SplitIntoFiles(RandomTra& random, const std::vector<RandomEntry>& entries,
                                        int files) {
    std::vector<std::string> texts;
    std::size_t start = 0;
    for (int file = 0; file < files; ++file) {
        const std::size_t left = entries.size() - start;
        const std::size_t size =
            file + 1 == files ? left
                              : static_cast<std::size_t>(random.Below(static_cast<int>(left) + 1));
        std::vector<RandomEntry> part(entries.begin() + static_cast<std::ptrdiff_t>(start),
                                      entries.begin() + static_cast<std::ptrdiff_t>(start + size));
        texts.push_back(random.TraText(part));
        start += size;
    }
    return texts;
}

SearchResult WithoutFiles(SearchResult result) {
    for (MatchCandidate& candidate : result.slots) {
        candidate.referenceFile = 0;
    }
    return result;
}

// A set searches as the one file of all its entries in set order, except
// that each candidate names its file; the indexed search agrees with the
// linear one on which file, too.
TEST(IndexedReferenceSearch, GivesTheLinearResultsOnGeneratedSetsWithCollidingIds) {
    for (std::uint64_t seed = 3000; seed < 3040; ++seed) {
        RandomTra random(seed);
        std::vector<RandomEntry> referenceEntries = random.Reference();
        const std::vector<std::string> texts =
            SplitIntoFiles(random, referenceEntries, 1 + random.Below(5));
        LoadedReference set(std::vector<std::string_view>(texts.begin(), texts.end()));
        LoadedReference whole(random.TraText(referenceEntries));
        std::vector<RandomEntry> mod = random.Mod(referenceEntries);
        for (const SearchSettings& settings : SettingsToCompare(random, RandomTraShape{}.idRange)) {
            ASSERT_EQ(set.CountDifferences(settings, mod, ContextOf(seed, settings)), 0);
            for (const RandomEntry& entry : mod) {
                if (entry.text.empty()) {
                    continue;
                }
                ASSERT_EQ(WithoutFiles(SearchReference(settings, entry.text, entry.sound,
                                                       set.references, set.index)),
                          SearchReference(settings, entry.text, entry.sound, whole.references,
                                          whole.index))
                    << ContextOf(seed, settings) << " mod text \"" << entry.text << "\"";
            }
        }
    }
}

TEST(IndexedReferenceSearch, GivesTheLinearResultsOnSmallGeneratedPairs) {
    CompareOnGeneratedPairs(1, 150, RandomTraShape{});
}

TEST(IndexedReferenceSearch, GivesTheLinearResultsOnTightVocabulariesWithManyTies) {
    CompareOnGeneratedPairs(1000, 60, {.referenceEntries = 80, .vocabularySize = 6, .maxWords = 6});
}

TEST(IndexedReferenceSearch, GivesTheLinearResultsOnLargerSkewedReferences) {
    // Long posting lists for the common words, so the prefix is a real cut
    // and the five best are settled before most texts are scored.
    CompareOnGeneratedPairs(2000, 4,
                            {.referenceEntries = 2500,
                             .modEntries = 120,
                             .vocabularySize = 400,
                             .maxWords = 25,
                             .idRange = 3000});
}

TEST(IndexedReferenceSearch, GivesTheLinearResultsWhenTheIndexIsShorterThanTheReference) {
    RandomTra random(7);
    std::vector<RandomEntry> referenceEntries = random.Reference();
    LoadedReference loaded(random.TraText(referenceEntries));
    loaded.index.Shorten(loaded.index.size() / 2);
    std::vector<RandomEntry> mod = random.Mod(referenceEntries);
    for (double minimum : {0.0, 50.0}) {
        SearchSettings settings{0, HighestReferenceId, minimum, false};
        EXPECT_EQ(loaded.CountDifferences(settings, mod, ContextOf(7, settings)), 0);
    }
}

TEST(IndexedReferenceSearch, GivesTheLinearResultsForMinimumsOutsideTheUsualRange) {
    RandomTra random(8);
    std::vector<RandomEntry> referenceEntries = random.Reference();
    LoadedReference loaded(random.TraText(referenceEntries));
    std::vector<RandomEntry> mod = random.Mod(referenceEntries);
    for (double minimum : {-20.0, std::numeric_limits<double>::quiet_NaN(), 100.5, 1e300,
                           std::numeric_limits<double>::infinity()}) {
        SearchSettings settings{-100, HighestReferenceId, minimum, true};
        EXPECT_EQ(loaded.CountDifferences(settings, mod, ContextOf(8, settings)), 0);
    }
}

// Hand-made cases whose results are known, each run through both searches.
class IndexedSearchCaseTest : public ::testing::Test {
protected:
    SearchResult Search(std::string_view reference, std::string_view modText,
                        std::string_view modSound = "") {
        return Search(std::vector{reference}, modText, modSound);
    }
    SearchResult Search(const std::vector<std::string_view>& files, std::string_view modText,
                        std::string_view modSound = "") {
        LoadedReference loaded(files);
        SearchResult linear =
            SearchReference(settings, modText, modSound, loaded.references, loaded.index);
        SearchResult indexed = IndexedReferenceSearch(loaded.references, loaded.index, settings)
                                   .Search(modText, modSound);
        EXPECT_TRUE(SameBits(linear, indexed))
            << "linear " << Describe(linear) << ", indexed " << Describe(indexed);
        return indexed;
    }

    SearchSettings settings;
};

TEST_F(IndexedSearchCaseTest, ExactPassTakesTheFirstByteExactEntryOverAnEarlierCaseOnlyOne) {
    const char* reference =
        "@1 = ~HELLO there~\n@2 = ~hello there~\n@3 = ~Hello there~\n"
        "@4 = ~Hello there~\n";
    EXPECT_EQ(Search(reference, "Hello there").Best(), (MatchCandidate{3, ExactScore}));
    EXPECT_EQ(Search(reference, "hello THERE").Best(), (MatchCandidate{1, CaseInsensitiveScore}));
}

TEST_F(IndexedSearchCaseTest, ExactPassComparesSoundsOnlyWhenAsked) {
    const char* reference = "@1 = ~Hello~ [SND01]\n@2 = ~Hello~ [snd01]\n@3 = ~Hello~\n";
    EXPECT_EQ(Search(reference, "Hello", "snd01").Best(), (MatchCandidate{2, ExactScore}));
    EXPECT_EQ(Search(reference, "Hello", "Snd01").Best(),
              (MatchCandidate{1, CaseInsensitiveScore}));
    EXPECT_EQ(Search(reference, "Hello").Best(), (MatchCandidate{3, ExactScore}));
    EXPECT_EQ(Search(reference, "Hello", "OTHER").Best(), (MatchCandidate{1, -1.0}));
    settings.compareSound = false;
    EXPECT_EQ(Search(reference, "Hello", "OTHER").Best(), (MatchCandidate{1, ExactScore}));
}

TEST_F(IndexedSearchCaseTest, ExactPassIgnoresEntriesOutsideTheWindow) {
    const char* reference = "@-1 = ~Hello~\n@5 = ~HELLO~\n@9 = ~Hello~\n";
    EXPECT_EQ(Search(reference, "Hello").Best(), (MatchCandidate{9, ExactScore}));
    settings.maxReferenceId = 8;
    EXPECT_EQ(Search(reference, "Hello").Best(), (MatchCandidate{5, CaseInsensitiveScore}));
}

TEST_F(IndexedSearchCaseTest, ScoreExactlyAtTheMinimumMakesNoCandidate) {
    const char* reference = "@1 = ~aa bb dd cc~\n";  // exactly 50.0 against "aa bb cc dd"
    EXPECT_EQ(Search(reference, "aa bb cc dd").count, 0);
    settings.minLikeliness = 49.99;
    EXPECT_EQ(Search(reference, "aa bb cc dd").Best(), (MatchCandidate{1, 0.5}));
}

TEST_F(IndexedSearchCaseTest, WordBagScoreIsFoundForReorderedWordsOfEqualLength) {
    EXPECT_EQ(Search("@1 = ~Run and take the sword~\n", "Take the sword and run").Best().score,
              0.9);
    // 10 % longer: the gate stays shut and the positional score is negative.
    EXPECT_EQ(Search("@1 = ~Run and take the sword~\n", "Take the sword and run now").count, 0);
}

TEST_F(IndexedSearchCaseTest, MinimumOfZeroKeepsTheFiveBestOfManyWeakCandidates) {
    settings.minLikeliness = 0.0;
    std::string reference;
    for (int id = 1; id <= 40; ++id) {
        reference += "@" + std::to_string(id) + " = ~the " + std::string(id % 7 + 1, 'x') +
                     " door " + std::to_string(id) + "~\n";
    }
    reference += "@41 = ~the wooden door opens~\n";
    SearchResult result = Search(reference, "the wooden door closes");
    EXPECT_EQ(result.count, MaxCandidates);
    EXPECT_EQ(result.Best().referenceId, 41);
}

TEST_F(IndexedSearchCaseTest, WrongSoundCandidateRanksByMagnitude) {
    const char* reference = "@1 = ~one two three four xxxx~\n@2 = ~one two three four five~ [S]\n";
    SearchResult result = Search(reference, "one two three four five");
    ASSERT_EQ(result.count, 2);
    EXPECT_EQ(result.slots[0], (MatchCandidate{2, -1.0}));
}

TEST_F(IndexedSearchCaseTest, WordsUnknownToTheReferenceStillCountInTheModText) {
    // "zz" is in no reference text; it still makes nA 3, so 2 of 3 match.
    SearchResult result = Search("@1 = ~Open the~\n", "Open the zz");
    ASSERT_EQ(result.count, 1);
    EXPECT_NEAR(result.Best().score * 100, 100.0 * 2 / 3 - 10.0 * 3 / 11, 1e-9);
}

TEST_F(IndexedSearchCaseTest, TextWithoutWordsMatchesOnlyExactly) {
    const char* reference = "@1 = ~...~\n@2 = ~. . .~\n";
    EXPECT_EQ(Search(reference, "...").Best(), (MatchCandidate{1, ExactScore}));
    settings.minLikeliness = 0.0;
    EXPECT_EQ(Search(reference, "!!!").count, 0);
}

TEST_F(IndexedSearchCaseTest, ExactPassTakesTheFirstFileOfTheSetAndItsOwnId) {
    const std::vector<std::string_view> files = {"@7 = ~HELLO~\n", "", "@7 = ~Hello~\n",
                                                 "@3 = ~Hello~\n"};
    EXPECT_EQ(Search(files, "Hello").Best(), (MatchCandidate{7, ExactScore, 2}));
    EXPECT_EQ(Search(files, "hello").Best(), (MatchCandidate{7, CaseInsensitiveScore, 0}));
    settings.maxReferenceId = 5;
    EXPECT_EQ(Search(files, "Hello").Best(), (MatchCandidate{3, ExactScore, 3}));
}

TEST_F(IndexedSearchCaseTest, LikelinessTiesAcrossFilesKeepTheSetOrder) {
    const std::vector<std::string_view> files = {"@1 = ~open the red door~\n",
                                                 "@1 = ~open the red door~\n@2 = ~x~\n",
                                                 "@1 = ~open the big door now~\n"};
    const SearchResult result = Search(files, "open the red gate");
    ASSERT_EQ(result.count, 2);
    EXPECT_EQ(result.slots[0].referenceFile, 0u);
    EXPECT_EQ(result.slots[1].referenceFile, 1u);
    EXPECT_EQ(result.slots[0].score, result.slots[1].score);
}

// A count by text holds at most 65,535: a mod text of more words takes
// another way, with the same results. Here every word of the mod text is in
// the reference text but none at its place, so only the word-bag count,
// which reaches the mod text's word count, can make it a candidate.
TEST_F(IndexedSearchCaseTest, ModTextsOfMoreWordsThanACountHoldsGiveTheSameResults) {
    auto pairs = [](std::string_view pair, std::size_t words) {
        std::string text;
        for (std::size_t i = 0; i < words / 2; ++i) {
            text += pair;
        }
        return text;
    };
    for (std::size_t words : {std::size_t{65'534}, std::size_t{65'536}, std::size_t{140'000}}) {
        const std::string reference = "@1 = ~" + pairs("b a ", words) + "~\n@2 = ~a b~\n";
        SearchResult result = Search(reference, pairs("a b ", words));
        ASSERT_EQ(result.count, 1) << words << " words";
        EXPECT_EQ(result.Best().referenceId, 1) << words << " words";
    }
}

TEST_F(IndexedSearchCaseTest, EmptyReferenceGivesNoCandidate) {
    EXPECT_EQ(Search("", "Hello there").count, 0);
    EXPECT_EQ(Search("// only a comment\n", "Hello there").count, 0);
}

}  // namespace
