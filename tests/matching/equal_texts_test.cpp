// Which of the reference entries of equal texts an exact match takes, and
// which other translations they carry, through both searches: the linear and
// the indexed one must hand over the same equal texts.

#include "matching/equal_texts.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "loaded_tra.h"
#include "matching/indexed_reference_search.h"

using namespace wordgleaner;

namespace {

// A reference file as the test writes it: the name the run gives it, its
// name as listed under its folder ("" for the same), and its two texts; no
// translated text: no translated file.
struct PairText {
    std::string name;
    std::string_view original;
    std::string_view translated;
    std::string listedName = {};
};

class EqualTextsTest : public ::testing::Test {
protected:
    void UseFiles(const std::vector<PairText>& pairs) {
        std::vector<ReferenceFile> set;
        for (const PairText& pair : pairs) {
            const std::string number = std::to_string(files.size());
            TraFile& original = files.emplace_back();
            matching_test::LoadTra(dir, "o" + number + ".tra", pair.original, original);
            TraFile* translated = nullptr;
            if (!pair.translated.empty()) {
                translated = &files.emplace_back();
                matching_test::LoadTra(dir, "t" + number + ".tra", pair.translated, *translated);
            }
            set.push_back({&original, translated, pair.name, pair.listedName});
        }
        references = ReferenceSet(std::move(set));
        BuildReferenceIndex(references, index);
    }

    // The exact pass of both searches, and the choice among its equal texts.
    EqualTextChoice Choose(std::string_view modText, std::string_view modSound = "",
                           ModEntryPlace place = {"mod.tra", 0}, bool preferOwnPlace = false) {
        const LinearReferenceSearch linear(references, index, settings);
        const IndexedReferenceSearch indexed(references, index, settings);
        const SearchResult result = indexed.Search(modText, modSound);
        EXPECT_EQ(result, linear.Search(modText, modSound));
        if (result.count == 0 || result.Best().score < CaseInsensitiveScore) {
            ADD_FAILURE() << "no exact match for " << modText;
            return {};
        }
        const EqualTextKind kind = EqualTextKindOf(result.Best().score);
        const std::vector<std::uint32_t> records = indexed.EqualTexts(kind, modText, modSound);
        EXPECT_EQ(records, linear.EqualTexts(kind, modText, modSound));
        EqualTextChoice choice =
            ChooseAmongEqualTexts(references, records, result.Best().score, place, preferOwnPlace);
        if (!preferOwnPlace) {
            EXPECT_EQ(choice.chosen, result.Best()) << "the first equal text is the match";
        }
        return choice;
    }

    MatchCandidate ChosenFor(std::string_view modFile, std::int32_t modId) {
        return Choose("Spell Deflection", "", {modFile, modId}, true).chosen;
    }

    test_support::TempDir dir;
    std::deque<TraFile> files;
    ReferenceSet references;
    ReferenceIndex index;
    SearchSettings settings;
};

TEST_F(EqualTextsTest, ExactMatchListsEachOtherTranslationOnceWithItsFirstEntry) {
    UseFiles({{"spells.tra",
               "@1 = ~Spell Deflection~\n@2 = ~Spell Deflection~\n@3 = ~Spell Deflection~\n"
               "@4 = ~Spell Deflection~\n",
               "@1 = ~Renvoi des sorts~\n@2 = ~Deviation~\n@3 = ~Renvoi des sorts~\n"
               "@4 = ~Deviation~\n"}});
    const EqualTextChoice choice = Choose("Spell Deflection");
    EXPECT_EQ(choice.chosen, (MatchCandidate{1, ExactScore, 0}));
    EXPECT_EQ(choice.alternatives, (std::vector<MatchCandidate>{{2, ExactScore, 0}}));
    EXPECT_TRUE(choice.Ambiguous());
}

TEST_F(EqualTextsTest, EqualTextsOfTheSameTranslationAreNoChoice) {
    UseFiles({{"a.tra", "@1 = ~Yes~\n@2 = ~Yes~\n", "@1 = ~Oui~\n@2 = ~Oui~\n"},
              {"b.tra", "@1 = ~Yes~\n", "@1 = ~Oui~\n"}});
    EXPECT_FALSE(Choose("Yes").Ambiguous());
}

TEST_F(EqualTextsTest, AFemaleTextAloneMakesAnotherTranslation) {
    UseFiles({{"a.tra", "@1 = ~Welcome~\n@2 = ~Welcome~\n@3 = ~Welcome~\n",
               "@1 = ~Bienvenu~ ~Bienvenue~\n@2 = ~Bienvenu~\n@3 = ~Bienvenu~ ~Bienvenue~\n"}});
    EXPECT_EQ(Choose("Welcome").alternatives, (std::vector<MatchCandidate>{{2, ExactScore, 0}}));
}

TEST_F(EqualTextsTest, AnEntryWithoutTranslationIsNeverAnAlternative) {
    UseFiles({{"a.tra", "@1 = ~Run~\n@2 = ~Run~\n@3 = ~Run~\n", "@1 = ~Cours~\n@3 = ~Cours~\n"},
              {"untranslated.tra", "@1 = ~Run~\n", ""}});
    EXPECT_FALSE(Choose("Run").Ambiguous());
}

TEST_F(EqualTextsTest, AMatchWithoutTranslationHasEveryTranslationFoundAsAlternative) {
    UseFiles({{"untranslated.tra", "@1 = ~Run~\n", ""},
              {"a.tra", "@1 = ~Run~\n@2 = ~Run~\n@3 = ~Run~\n",
               "@1 = ~Cours~\n@2 = ~Fuis~\n@3 = ~Cours~\n"}});
    const EqualTextChoice choice = Choose("Run");
    EXPECT_EQ(choice.chosen, (MatchCandidate{1, ExactScore, 0}));
    EXPECT_EQ(choice.alternatives,
              (std::vector<MatchCandidate>{{1, ExactScore, 1}, {2, ExactScore, 1}}));
}

TEST_F(EqualTextsTest, UpToCaseMatchChoosesAmongTextsEqualUpToCaseOnly) {
    UseFiles({{"a.tra", "@1 = ~HELLO there~\n@2 = ~hello THERE~\n@3 = ~Hello there!~\n",
               "@1 = ~Salut~\n@2 = ~Bonjour~\n@3 = ~Coucou~\n"}});
    const EqualTextChoice choice = Choose("Hello There");
    EXPECT_EQ(choice.chosen, (MatchCandidate{1, CaseInsensitiveScore, 0}));
    EXPECT_EQ(choice.alternatives, (std::vector<MatchCandidate>{{2, CaseInsensitiveScore, 0}}));
}

TEST_F(EqualTextsTest, AByteExactMatchIgnoresTextsEqualOnlyUpToCase) {
    UseFiles({{"a.tra", "@1 = ~Hello~\n@2 = ~HELLO~\n", "@1 = ~Salut~\n@2 = ~SALUT~\n"}});
    EXPECT_FALSE(Choose("Hello").Ambiguous());
}

TEST_F(EqualTextsTest, TextsOutsideTheIdWindowOrOfAnotherSoundAreNotCounted) {
    UseFiles({{"a.tra", "@1 = ~Go~ [A]\n@2 = ~Go~ [B]\n@50 = ~Go~ [A]\n@3 = ~Go~ [a]\n",
               "@1 = ~Va~\n@2 = ~Pars~\n@50 = ~File~\n@3 = ~Allez~\n"}});
    settings.maxReferenceId = 10;
    EXPECT_FALSE(Choose("Go", "A").Ambiguous());
    EXPECT_EQ(Choose("Go", "a").chosen, (MatchCandidate{3, ExactScore, 0}));
    settings.compareSound = false;
    EXPECT_EQ(Choose("Go", "A").alternatives,
              (std::vector<MatchCandidate>{{2, ExactScore, 0}, {3, ExactScore, 0}}));
}

// Ids collide across the files, as each file of a mod numbers from 0.
TEST_F(EqualTextsTest, PreferenceTakesOwnFileAndIdThenOwnIdThenOwnFileThenTheFirst) {
    UseFiles({{"first.tra", "@3 = ~Spell Deflection~\n", "@3 = ~F3~\n"},
              {"same.tra", "@9 = ~Spell Deflection~\n@4 = ~Spell Deflection~\n",
               "@9 = ~S9~\n@4 = ~S4~\n"},
              {"other.tra", "@4 = ~Spell Deflection~\n", "@4 = ~O4~\n"}});
    EXPECT_EQ(ChosenFor("Same.TRA", 4), (MatchCandidate{4, ExactScore, 1}));
    EXPECT_EQ(ChosenFor("other.tra", 4), (MatchCandidate{4, ExactScore, 2}));
    EXPECT_EQ(ChosenFor("same.tra", 3), (MatchCandidate{3, ExactScore, 0}));
    EXPECT_EQ(ChosenFor("same.tra", 1), (MatchCandidate{9, ExactScore, 1}));
    EXPECT_EQ(ChosenFor("mine.tra", 1), (MatchCandidate{3, ExactScore, 0}));
    EXPECT_EQ(Choose("Spell Deflection", "", {"same.tra", 4}, false).chosen,
              (MatchCandidate{3, ExactScore, 0}));
}

TEST_F(EqualTextsTest, AlternativesAreThoseOtherThanThePreferredEntry) {
    UseFiles({{"first.tra", "@3 = ~Spell Deflection~\n", "@3 = ~F3~\n"},
              {"same.tra", "@9 = ~Spell Deflection~\n@4 = ~Spell Deflection~\n",
               "@9 = ~S9~\n@4 = ~F3~\n"}});
    const EqualTextChoice choice = Choose("Spell Deflection", "", {"same.tra", 4}, true);
    EXPECT_EQ(choice.chosen, (MatchCandidate{4, ExactScore, 1}));
    EXPECT_EQ(choice.alternatives, (std::vector<MatchCandidate>{{9, ExactScore, 1}}));
}

TEST_F(EqualTextsTest, AFileIsComparedByItsPathUnderItsFolderWhateverItsName) {
    UseFiles({{"v1/english/d/x.tra", "@1 = ~Spell Deflection~\n", "@1 = ~A~\n", "d/x.tra"},
              {"v2/english/d/x.tra", "@2 = ~Spell Deflection~\n", "@2 = ~B~\n", "d/x.tra"},
              {"d/y.tra", "@3 = ~Spell Deflection~\n", "@3 = ~C~\n"}});
    EXPECT_EQ(ChosenFor("D/X.tra", 2), (MatchCandidate{2, ExactScore, 1}));
    EXPECT_EQ(ChosenFor("d/y.tra", 1), (MatchCandidate{1, ExactScore, 0}));
    EXPECT_EQ(ChosenFor("d/y.tra", 7), (MatchCandidate{3, ExactScore, 2}));
}

TEST_F(EqualTextsTest, ASingleFileReferenceIsNamedAsItsFile) {
    TraFile original;
    TraFile translated;
    matching_test::LoadTra(dir, "dialog.tra", "@1 = ~Halt!~\n@2 = ~Halt!~\n", original);
    matching_test::LoadTra(dir, "dialogfr.tra", "@1 = ~Halte !~\n@2 = ~Stop !~\n", translated);
    references = ReferenceSet::Single(original, &translated);
    BuildReferenceIndex(references, index);
    const EqualTextChoice choice = Choose("Halt!", "", {"DIALOG.TRA", 2}, true);
    EXPECT_EQ(choice.chosen, (MatchCandidate{2, ExactScore, 0}));
    EXPECT_EQ(choice.alternatives, (std::vector<MatchCandidate>{{1, ExactScore, 0}}));
}

}  // namespace
