#include "job/worker/recover_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "job/recovery_options.h"
#include "job/worker/abort_check.h"
#include "job/worker/patch_file.h"
#include "job/worker/recovery_tally.h"
#include "job/worker/search_choice.h"
#include "job/worker/shared_progress.h"
#include "matching/reference_index.h"
#include "matching/reference_set.h"
#include "store/tra_file.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

// What a batch gives file recovery, with one reference pair loaded and
// indexed, and a mod file to recover. The settings are read at each
// recovery, so a test may change them in between.
class RecoverFileTest : public ::testing::Test {
protected:
    void UseReferences(std::string_view original, std::string_view translated) {
        ASSERT_EQ(referenceOriginal.Load(dir.Write("original/reference.tra", original)), TraOk);
        ASSERT_EQ(referenceTranslated.Load(dir.Write("translated/reference.tra", translated)),
                  TraOk);
        BuildReferenceIndex(referenceOriginal, index);
    }

    void Recover(std::string_view modText, std::string_view name = "setup.tra") {
        ASSERT_EQ(mod.Load(dir.Write("mod/" + std::string(name), modText)), TraOk);
        const ReferenceSet references =
            ReferenceSet::Single(referenceOriginal, &referenceTranslated);
        const std::unique_ptr<ReferenceSearch> search =
            MakeReferenceSearch(references, index, options);
        RecoverFile(
            mod, {options, references, *search, tally, patch, reviewRecords, shared, abortCheck});
    }

    void OpenPatch() { ASSERT_EQ(patch.Open(PatchPath()), TraOk); }

    std::string ClosePatch() {
        EXPECT_EQ(patch.Close(), TraOk);
        return test_support::TempDir::Read(PatchPath());
    }

    RecoveryOptions& Options() { return options; }
    const BatchCounters& Counters() { return tally.counters; }
    ProgressSnapshot Progress() const { return shared.Snapshot(); }

    std::string PatchPath() const { return dir / "tp2patch.tp2"; }

    std::string Saved() {
        EXPECT_EQ(mod.Save(dir / "recovered.tra"), TraOk);
        return test_support::TempDir::Read(dir / "recovered.tra");
    }

    TraEntry At(int position) const { return mod.GetAt(position); }

    test_support::TempDir dir;
    TraFile referenceOriginal;
    TraFile referenceTranslated;
    TraFile mod;
    ReferenceIndex index;
    RecoveryOptions options;
    RecoveryTally tally;
    PatchFile patch;
    std::vector<ReviewRecord> reviewRecords;
    SharedProgress shared;
    CheckPointHook atCheckPoint;
    AbortCheck abortCheck{shared,
                          [this](CheckPoint point) { return atCheckPoint && atCheckPoint(point); }};
};

const char* const SampleOriginal =
    "@1234 = ~Welcome to the inn.~\n"
    "@2001 = ~Run, away!~\n"
    "@77 = ~one two three four nine~\n";

const char* const SampleTranslated =
    "@77 = ~un deux trois quatre neuf~\n"
    "@2001 = ~Fuyez !~ ~Fuyez, madame !~\n"
    "@1234 = ~Bienvenue \xE0 l'auberge.~\n";

// One exact, one very likely, one likely with the wrong sound, one not found
// and one empty entry.
const char* const SampleMod =
    "@1 = ~Welcome to the inn.~\n"
    "@2 = ~Run away~\n"
    "@3 = ~one two three four five~ [MODSND]\n"
    "@4 = ~Gone fishing~\n"
    "@5 = ~~ ~female only~\n";

TEST_F(RecoverFileTest, WritesTheSamplePatchBlockByteForByte) {
    UseReferences(SampleOriginal, SampleTranslated);
    OpenPatch();
    Recover(SampleMod);
    EXPECT_EQ(ClosePatch(),
              "// Recovered for setup.tra, from reference.tra\r\n"
              "\tSTRING_SET ~1~ @1234\t// Exact match\r\n"
              "\tSTRING_SET ~2~ @2001\t// Very likely 97.5 %\r\n"
              "//\tSTRING_SET ~3~ @77\t// Likeliness 80.0 % but wrong sound\r\n"
              "//\tText 4 Not found\r\n"
              "//\tSTRING_SET ~5~ @5\t// Empty text\r\n"
              "// Processed entries 5 / 5: Exact 1 / Very likely 1 / Likely 1 / Empty 1\r\n"
              "// End of recovery for setup.tra, from reference.tra\r\n");
}

TEST_F(RecoverFileTest, RecoveredSampleCarriesTranslationsAndComments) {
    UseReferences(SampleOriginal, SampleTranslated);
    Recover(SampleMod);
    EXPECT_EQ(
        Saved(),
        "// Wordgleaner: case sensitive exact match found in file reference.tra at Id 1234\r\n"
        "@1     = ~Bienvenue \xE0 l'auberge.~\r\n"
        "// Wordgleaner: Very likely string found in file reference.tra at Id 2001, "
        "likeliness 97.5 %\r\n"
        "@2     = ~Fuyez !~ ~Fuyez, madame !~\r\n"
        "// Wordgleaner: Likely string found in file reference.tra at Id 77, likeliness "
        "80.0 % but wrong sound\r\n"
        "@3     = ~one two three four five~ [MODSND]\r\n"
        "@4     = ~Gone fishing~\r\n"
        "// Wordgleaner: empty string at Id 5\r\n"
        "@5     = ~~ ~female only~\r\n");
    EXPECT_EQ(Counters().entriesProcessed, 5);
    EXPECT_EQ(Counters().exactCount, 1);
    EXPECT_EQ(Counters().veryLikelyCount, 1);
    EXPECT_EQ(Counters().likelyCount, 1);
    EXPECT_EQ(Counters().emptyCount, 1);
    EXPECT_EQ(Progress().entryText, "Processed entry 5 / 5 (1 / 1 / 1)");
    EXPECT_EQ(Progress().entryPercent, 100);
}

TEST_F(RecoverFileTest, EachEntryOfADuplicatedIdGetsItsOwnTranslation) {
    UseReferences("@1 = ~Hello there~\n@2 = ~Good bye~\n", "@1 = ~Bonjour~\n@2 = ~Au revoir~\n");
    OpenPatch();
    Recover("@7 = ~Hello there~\n@7 = ~Good bye~\n");
    EXPECT_EQ(At(0).MaleText(), "Bonjour");
    EXPECT_EQ(At(0).Comment(),
              "// Wordgleaner: case sensitive exact match found in file reference.tra at Id 1\n");
    EXPECT_EQ(At(1).MaleText(), "Au revoir");
    EXPECT_EQ(At(1).Comment(),
              "// Wordgleaner: case sensitive exact match found in file reference.tra at Id 2\n");
    std::string patch = ClosePatch();
    EXPECT_NE(patch.find("\tSTRING_SET ~7~ @1\t// Exact match\r\n"
                         "\tSTRING_SET ~7~ @2\t// Exact match\r\n"),
              std::string::npos);
}

TEST_F(RecoverFileTest, TakesBothTextsButKeepsTheModSounds) {
    UseReferences("@10 = ~Hello there~ [REF]\n", "@10 = ~Salut~\n");
    Options().search.compareSound = false;
    Recover("@1 = ~Hello there~ [MSND] ~Hello lady~ [FSND]\n");
    EXPECT_EQ(At(0).MaleText(), "Salut");
    EXPECT_EQ(At(0).FemaleText(), "") << "an empty female text of the translation is taken too";
    EXPECT_EQ(At(0).MaleSound(), "MSND");
    EXPECT_EQ(At(0).FemaleSound(), "FSND");
}

TEST_F(RecoverFileTest, MissingTranslationWarnsAndStillWritesALiveLine) {
    UseReferences("@10 = ~Hello there~\n@11 = ~Good bye now~\n", "@99 = ~other~\n");
    Options().commentMode = CommentNone;
    OpenPatch();
    Recover("@1 = ~hello there~\n@2 = ~Good bye now!~\n");
    EXPECT_EQ(At(0).MaleText(), "hello there");
    EXPECT_EQ(At(0).Comment(),
              "// Wordgleaner: Warning! Exact match found in file reference.tra at Id 10, but "
              "missing in the reference translated file\n");
    EXPECT_EQ(At(1).MaleText(), "Good bye now!");
    EXPECT_EQ(At(1).Comment(),
              "// Wordgleaner: Warning! Very likely match found in file reference.tra at Id 11, "
              "but missing in the reference translated file\n");
    EXPECT_EQ(Counters().exactCount, 1);
    EXPECT_EQ(Counters().veryLikelyCount, 1);
    std::string patch = ClosePatch();
    EXPECT_NE(patch.find("\tSTRING_SET ~1~ @10\t// Almost exact match\r\n"), std::string::npos);
    EXPECT_NE(patch.find("\tSTRING_SET ~2~ @11\t// Very likely 99.2 %\r\n"), std::string::npos);
}

TEST_F(RecoverFileTest, LineInfoOnlyChangesNoTextAndAlwaysComments) {
    UseReferences("@10 = ~Hello there~\n", "@99 = ~not consulted~\n");
    Options().lineInfoOnly = true;
    Options().commentMode = CommentMissingMatch;
    OpenPatch();
    Recover("@1 = ~Hello there~\n@2 = ~Nothing alike~\n");
    EXPECT_EQ(At(0).MaleText(), "Hello there");
    EXPECT_EQ(At(0).Comment(),
              "// Wordgleaner: case sensitive exact match found in file reference.tra at Id 10\n");
    EXPECT_EQ(At(1).Comment(), "") << "no not-found note with lineInfoOnly";
    EXPECT_NE(ClosePatch().find("\tSTRING_SET ~1~ @10\t// Exact match\r\n"), std::string::npos);
}

struct CommentCase {
    std::int32_t commentMode;
    const char* exactComment;
    const char* notFoundComment;
};

class RecoverFileCommentModeTest : public RecoverFileTest,
                                   public ::testing::WithParamInterface<CommentCase> {};

TEST_P(RecoverFileCommentModeTest, AddsTheNotesOfTheCommentMode) {
    UseReferences("@10 = ~Hello there~\n@11 = ~one two three four~\n",
                  "@10 = ~Bonjour~\n@11 = ~un deux trois quatre~\n");
    Options().commentMode = GetParam().commentMode;
    Recover(
        "// kept\n@1 = ~Hello there~\n@2 = ~Nothing alike~\n@3 = ~one two three five~\n@4 = ~~\n");
    EXPECT_EQ(At(0).Comment(), "// kept\n");
    EXPECT_EQ(At(1).MaleText(), "Bonjour");
    EXPECT_EQ(At(1).Comment(), GetParam().exactComment);
    EXPECT_EQ(At(2).Comment(), GetParam().notFoundComment);
    EXPECT_EQ(At(3).Comment(),
              "// Wordgleaner: Likely string found in file reference.tra at Id 11, likeliness "
              "75.0 %\n");
    EXPECT_EQ(At(4).Comment(), "// Wordgleaner: empty string at Id 4\n");
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, RecoverFileCommentModeTest,
    ::testing::Values(
        CommentCase{CommentNone, "", ""},
        CommentCase{CommentPerfectMatch,
                    "// Wordgleaner: case sensitive exact match found in file reference.tra at Id "
                    "10\n",
                    ""},
        CommentCase{CommentMissingMatch, "", "// Wordgleaner: Exact match not found"}));

TEST_F(RecoverFileTest, NotFoundNoteBecomesAWholeCommentLineWhenSaved) {
    UseReferences("@10 = ~Hello there~\n", "@10 = ~Bonjour~\n");
    Options().commentMode = CommentMissingMatch;
    Recover("@4 = ~Gone fishing~\n");
    EXPECT_EQ(Saved(), "// Wordgleaner: Exact match not found\r\n@4     = ~Gone fishing~\r\n");
}

TEST_F(RecoverFileTest, StopsBeforeTheNextEntryOnAbortAndMarksThePatchBlock) {
    UseReferences(SampleOriginal, SampleTranslated);
    OpenPatch();
    int checks = 0;
    atCheckPoint = [&](CheckPoint point) {
        return point == CheckPoint::BeforeEntry && ++checks == 3;
    };
    Recover(SampleMod);
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(At(1).MaleText(), "Fuyez !");
    EXPECT_EQ(At(2).Comment(), "") << "the entry after the abort stays as it was";
    EXPECT_EQ(Counters().entriesProcessed, 2);
    EXPECT_EQ(Progress().entryText, "Processed entry 2 / 5 (1 / 1 / 0)");
    EXPECT_EQ(Progress().entryPercent, 40);
    EXPECT_EQ(ClosePatch(),
              "// Recovered for setup.tra, from reference.tra\r\n"
              "\tSTRING_SET ~1~ @1234\t// Exact match\r\n"
              "\tSTRING_SET ~2~ @2001\t// Very likely 97.5 %\r\n"
              "// Processed entries 2 / 5: Exact 1 / Very likely 1 / Likely 0 / Empty 0\r\n"
              "// End of recovery for setup.tra, from reference.tra (interrupted)\r\n");
}

TEST_F(RecoverFileTest, ShowsProgressBeforeEachEntryWithTheBatchCounters) {
    UseReferences(SampleOriginal, SampleTranslated);
    tally.counters.exactCount = 10;  // from an earlier file of the batch
    std::vector<std::string> texts;
    std::vector<int> percents;
    atCheckPoint = [&](CheckPoint) {
        texts.push_back(Progress().entryText);
        percents.push_back(Progress().entryPercent);
        return false;
    };
    Recover("@1 = ~Welcome to the inn.~\n\n// note\n@2 = ~Gone fishing~\n@3 = ~Run away~\n");
    EXPECT_EQ(texts, (std::vector<std::string>{"", "Processing entry 0 / 3 (10 / 0 / 0)",
                                               "Processing entry 1 / 3 (11 / 0 / 0)"}));
    EXPECT_EQ(percents, (std::vector<int>{0, 0, 33}));
    EXPECT_EQ(Progress().entryText, "Processed entry 3 / 3 (11 / 1 / 0)");
}

TEST_F(RecoverFileTest, FileWithoutEntriesEndsAtFullPercent) {
    UseReferences(SampleOriginal, SampleTranslated);
    OpenPatch();
    Recover("// only comments\n\n", "empty.tra");
    EXPECT_EQ(Progress().entryText, "Processed entry 0 / 0 (0 / 0 / 0)");
    EXPECT_EQ(Progress().entryPercent, 100);
    EXPECT_EQ(Counters().entriesProcessed, 0);
    EXPECT_EQ(ClosePatch(),
              "// Recovered for empty.tra, from reference.tra\r\n"
              "// Processed entries 0 / 0: Exact 0 / Very likely 0 / Likely 0 / Empty 0\r\n"
              "// End of recovery for empty.tra, from reference.tra\r\n");
}

TEST_F(RecoverFileTest, LaterFilesOfABatchSumTheCountersInTheirTrailer) {
    UseReferences(SampleOriginal, SampleTranslated);
    OpenPatch();
    Recover(SampleMod, "first.tra");
    Recover("@9 = ~Welcome to the inn.~\n", "100%s.tra");
    std::string patch = ClosePatch();
    EXPECT_NE(
        patch.find("// Recovered for 100%s.tra, from reference.tra\r\n"
                   "\tSTRING_SET ~9~ @1234\t// Exact match\r\n"
                   "// Processed entries 1 / 1: Exact 2 / Very likely 1 / Likely 1 / Empty 1\r\n"
                   "// End of recovery for 100%s.tra, from reference.tra\r\n"),
        std::string::npos);
    EXPECT_EQ(Counters().entriesProcessed, 6);
}

TEST_F(RecoverFileTest, KeepsAReviewRecordPerEntryWithAnIdOnlyWhenAskedFor) {
    UseReferences(SampleOriginal, SampleTranslated);
    Recover(SampleMod);
    EXPECT_TRUE(reviewRecords.empty());

    Options().writeReview = true;
    Recover("// note\n@1 = ~Welcome to the inn.~\n@4 = ~Gone fishing~\n", "second.tra");
    ASSERT_EQ(reviewRecords.size(), 2u);
    EXPECT_EQ(reviewRecords[0].modFile, "second.tra");
    EXPECT_EQ(reviewRecords[0].modText, "Welcome to the inn.") << "the text before recovery";
    EXPECT_EQ(reviewRecords[0].referenceId, 1234);
    EXPECT_EQ(reviewRecords[1].outcome, MatchOutcome::NotFound);
}

// The reference holds the text twice, translated two ways: a spell name of
// two files of the previous version, whose ids collide.
const char* const TwiceOriginal = "@1 = ~Spell Deflection~\n@7 = ~Spell Deflection~\n";
const char* const TwiceTranslated = "@1 = ~Renvoi des sorts~\n@7 = ~Deviation des sorts~\n";

TEST_F(RecoverFileTest, EqualTextsGiveTheFirstUnlessTheModEntrysOwnIdIsPreferred) {
    UseReferences(TwiceOriginal, TwiceTranslated);
    Options().generatePatch = true;
    OpenPatch();
    Recover("@7 = ~Spell Deflection~\n");
    EXPECT_EQ(At(0).MaleText(), "Renvoi des sorts");
    EXPECT_EQ(tally.ambiguousCount, 0) << "neither the preference nor the review asked";

    Options().preferSameId = true;
    Recover("@7 = ~Spell Deflection~\n");
    EXPECT_EQ(Saved(),
              "// Wordgleaner: case sensitive exact match found in file reference.tra at Id 7\r\n"
              "@7     = ~Deviation des sorts~\r\n");
    EXPECT_EQ(tally.ambiguousCount, 1);
    EXPECT_EQ(Counters().exactCount, 2);
    const std::string patch = ClosePatch();
    EXPECT_NE(patch.find("\tSTRING_SET ~7~ @1\t// Exact match\r\n"), std::string::npos);
    EXPECT_NE(patch.find("\tSTRING_SET ~7~ @7\t// Exact match\r\n"), std::string::npos);
}

TEST_F(RecoverFileTest, TheReviewRecordOfAnExactMatchListsTheOtherTranslations) {
    UseReferences(TwiceOriginal, TwiceTranslated);
    Options().writeReview = true;
    Recover("@7 = ~Spell Deflection~\n@8 = ~spell deflection~\n");
    ASSERT_EQ(reviewRecords.size(), 2u);
    EXPECT_EQ(At(1).MaleText(), "Renvoi des sorts") << "the review changes no choice";
    for (const ReviewRecord& record : reviewRecords) {
        EXPECT_EQ(record.referenceId, 1);
        ASSERT_EQ(record.alternatives.size(), 1u);
        EXPECT_EQ(record.alternatives[0].translatedText, "Deviation des sorts");
        EXPECT_EQ(record.alternatives[0].referenceFile, "reference.tra");
        EXPECT_EQ(record.alternatives[0].referenceId, 7);
    }
    EXPECT_EQ(ReviewOutcomeOf(reviewRecords[1]), ReviewOutcome::ExactUpToCaseOtherTranslations);
    EXPECT_EQ(tally.ambiguousCount, 2);
}

TEST_F(RecoverFileTest, RecoversTheSameWithoutAnOpenPatchFile) {
    UseReferences(SampleOriginal, SampleTranslated);
    Recover(SampleMod);  // a run without a patch, or whose patch could not be created
    EXPECT_EQ(At(0).MaleText(), "Bienvenue \xE0 l'auberge.");
    EXPECT_EQ(Counters().exactCount, 1);
    EXPECT_FALSE(std::filesystem::exists(PatchPath()));
}

}  // namespace
