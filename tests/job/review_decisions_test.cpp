#include "job/worker/review_decisions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "job/recovery_options.h"
#include "job/worker/abort_check.h"
#include "job/worker/patch_file.h"
#include "job/worker/recover_file.h"
#include "job/worker/recovery_tally.h"
#include "job/worker/search_choice.h"
#include "job/worker/shared_progress.h"
#include "matching/reference_index.h"
#include "matching/reference_set.h"
#include "store/tra_file.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

const char* const ReferenceOriginal =
    "@1234 = ~Welcome to the inn.~\n"
    "@2001 = ~Run, away!~\n"
    "@77 = ~one two three four nine~\n"
    "@90 = ~Only in the original.~\n";

const char* const ReferenceTranslated =
    "@77 = ~un deux trois quatre neuf~\n"
    "@2001 = ~Fuyez !~ ~Fuyez, madame !~\n"
    "@1234 = ~Bienvenue \xE0 l'auberge.~\n";

// An exact match, a very likely one and a likely one with a wrong sound;
// the last mod text is in code page 1252, as most tra files are.
const char* const ModFile =
    "@1 = ~Welcome to the inn.~\n"
    "@2 = ~Run away~\n"
    "@3 = ~one two three four five~ [MODSND]\n"
    "@4 = ~Caf\xE9~\n";

const std::string Header =
    "\xEF\xBB\xBFmod file,id,mod text,decision,reference file,reference id,translation,"
    "female translation\r\n";

// One of each kind, as a reviewer saves them: the exact match rejected, the
// very likely one edited, the likely one accepted.
const std::string EachKind = Header +
                             "d/setup.tra,1,Welcome to the inn.,reject,reference.tra,1234,,\r\n"
                             "d/setup.tra,2,Run away,edit,,,Fuis !,\"Fuis, madame !\"\r\n"
                             "d/setup.tra,3,one two three four five,accept,reference.tra,77,,\r\n";

// A mod file recovered against one reference pair with the decisions of a
// file, as the batch does it.
class ReviewDecisionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(original.Load(dir.Write("original/reference.tra", ReferenceOriginal)), TraOk);
        ASSERT_EQ(translated.Load(dir.Write("translated/reference.tra", ReferenceTranslated)),
                  TraOk);
        BuildReferenceIndex(original, index);
    }

    void Recover(const std::string& decisionsText, const char* modText = ModFile) {
        const DecisionsFileRead read = ParseDecisions(decisionsText);
        ASSERT_TRUE(read.Ok()) << read.fault;
        decisions = std::make_unique<ReviewDecisions>(read.decisions, options.codePage);
        ASSERT_EQ(mod.Load(dir.Write("mod/setup.tra", modText)), TraOk);
        const ReferenceSet references = ReferenceSet::Single(original, &translated);
        const std::unique_ptr<ReferenceSearch> search =
            MakeReferenceSearch(references, index, options);
        ASSERT_EQ(patch.Open(dir / "tp2patch.tp2"), TraOk);
        RecoverFile(mod, "d/setup.tra",
                    {options, references, *search, tally, patch, reviewRecords, shared, abortCheck,
                     decisions.get()});
        ASSERT_EQ(patch.Close(), TraOk);
    }

    std::string Saved() {
        EXPECT_EQ(mod.Save(dir / "recovered.tra"), TraOk);
        return test_support::TempDir::Read(dir / "recovered.tra");
    }

    std::string Patch() const { return test_support::TempDir::Read(dir / "tp2patch.tp2"); }

    test_support::TempDir dir;
    TraFile original;
    TraFile translated;
    TraFile mod;
    ReferenceIndex index;
    RecoveryOptions options;
    RecoveryTally tally;
    PatchFile patch;
    std::vector<ReviewRecord> reviewRecords;
    SharedProgress shared;
    AbortCheck abortCheck{shared, nullptr};
    std::unique_ptr<ReviewDecisions> decisions;
};

// Every decision kind in every comment mode, with and without
// --line-info-only: the texts change unless only the line information is
// asked for, and the comment is written unless comments are off (line
// information is always written, as the run's own is).
class EachCommentMode : public ReviewDecisionsTest,
                        public ::testing::WithParamInterface<std::tuple<std::int32_t, bool>> {};

TEST_P(EachCommentMode, EachKindPutsItsTextsAndItsComment) {
    const auto [mode, lineInfoOnly] = GetParam();
    options.commentMode = mode;
    options.lineInfoOnly = lineInfoOnly;
    Recover(EachKind);
    const bool comments = lineInfoOnly || mode != CommentNone;
    const auto comment = [comments](const std::string& text) {
        return comments ? "// Wordgleaner: " + text + "\r\n" : std::string();
    };
    EXPECT_EQ(
        Saved(),
        comment("Rejected in review: string found in file reference.tra at Id 1234") +
            "@1     = ~Welcome to the inn.~\r\n" + comment("Translation edited in review") +
            (lineInfoOnly ? "@2     = ~Run away~\r\n" : "@2     = ~Fuis !~ ~Fuis, madame !~\r\n") +
            comment("Accepted in review: string found in file reference.tra at Id 77") +
            (lineInfoOnly ? "@3     = ~one two three four five~ [MODSND]\r\n"
                          : "@3     = ~un deux trois quatre neuf~ [MODSND]\r\n") +
            (mode == CommentMissingMatch && !lineInfoOnly
                 ? "// Wordgleaner: Exact match not found\r\n"
                 : "") +
            "@4     = ~Caf\xE9~\r\n");
}

INSTANTIATE_TEST_SUITE_P(ReviewDecisions, EachCommentMode,
                         ::testing::Combine(::testing::Values(CommentNone, CommentPerfectMatch,
                                                              CommentMissingMatch),
                                            ::testing::Bool()));

TEST_F(ReviewDecisionsTest, PatchLinesTellTheDecisionsAndTheSummaryStaysTheSearchs) {
    Recover(EachKind);
    EXPECT_EQ(Patch(),
              "// Recovered for d/setup.tra, from reference.tra\r\n"
              "//\tSTRING_SET ~1~ @1234\t// Rejected in review\r\n"
              "//\tText 2 edited in review\r\n"
              "\tSTRING_SET ~3~ @77\t// Accepted in review\r\n"
              "//\tText 4 Not found\r\n"
              "// Processed entries 4 / 4: Exact 1 / Very likely 1 / Likely 1 / Empty 0\r\n"
              "// End of recovery for d/setup.tra, from reference.tra\r\n");
    EXPECT_EQ(tally.counters.exactCount, 1);
    EXPECT_EQ(tally.counters.veryLikelyCount, 1);
    EXPECT_EQ(tally.counters.likelyCount, 1);
    EXPECT_EQ(decisions->ReportLines(),
              std::vector<std::string>{"Review decisions: 1 accepted, 1 rejected, 1 "
                                       "edited, 0 not applied"});
}

TEST_F(ReviewDecisionsTest, TheModTextComparesAsTheReviewDecodedItAndEditsAreWrittenInItsCodePage) {
    Recover(Header + "d/setup.tra,4,Caf\xC3\xA9,edit,,,Caf\xC3\xA9 cr\xC3\xA8me,\r\n");
    EXPECT_NE(Saved().find("@4     = ~Caf\xE9 cr\xE8me~\r\n"), std::string::npos) << Saved();
}

TEST_F(ReviewDecisionsTest, UnderCodePage65001AnEditIsWrittenInUtf8) {
    options.codePage = 65001;
    Recover(Header + "d/setup.tra,2,Run away,edit,,,Caf\xC3\xA9 \xE2\x9C\x93,\r\n");
    EXPECT_NE(Saved().find("@2     = ~Caf\xC3\xA9 \xE2\x9C\x93~\r\n"), std::string::npos)
        << Saved();
}

// Each row that cannot apply leaves the run's own outcome for its entry
// and is listed with why; the first of two rows for one entry applies.
TEST_F(ReviewDecisionsTest, RowsThatCannotApplyAreListedAndLeaveTheRunsOutcome) {
    Recover(Header +
            "d/setup.tra,1,Welcome to the tavern.,reject,reference.tra,1234,,\r\n"
            "d/setup.tra,2,Run away,accept,other.tra,2001,,\r\n"
            "d/setup.tra,3,one two three four five,accept,reference.tra,5,,\r\n"
            "d/setup.tra,3,one two three four five,reject,reference.tra,77,,\r\n"
            "d/setup.tra,4,Caf\xC3\xA9,accept,reference.tra,90,,\r\n"
            "d/setup.tra,4,Caf\xC3\xA9,edit,,,Caf\xC3\xA9,\r\n"
            "setup.tra,2,Run away,edit,,,Fuis !,\r\n"
            "d/setup.tra,9,Gone,edit,,,Parti,\r\n");
    EXPECT_EQ(decisions->ReportLines(),
              (std::vector<std::string>{
                  "Review decisions: 0 accepted, 0 rejected, 0 edited, 8 not applied",
                  "Not applied: line 2, d/setup.tra Id 1: the mod text has changed since the "
                  "review",
                  "Not applied: line 3, d/setup.tra Id 2: the run has no reference file "
                  "other.tra",
                  "Not applied: line 4, d/setup.tra Id 3: the reference file reference.tra has "
                  "no Id 5",
                  "Not applied: line 5, d/setup.tra Id 3: a second decision for the entry, after "
                  "line 4",
                  "Not applied: line 6, d/setup.tra Id 4: the translation of reference.tra has "
                  "no Id 90",
                  "Not applied: line 7, d/setup.tra Id 4: a second decision for the entry, after "
                  "line 6",
                  "Not applied: line 8, setup.tra Id 2: no such entry was recovered",
                  "Not applied: line 9, d/setup.tra Id 9: no such entry was recovered",
              }));
    EXPECT_EQ(Saved(),
              "// Wordgleaner: case sensitive exact match found in file reference.tra at Id "
              "1234\r\n"
              "@1     = ~Bienvenue \xE0 l'auberge.~\r\n"
              "// Wordgleaner: Very likely string found in file reference.tra at Id 2001, "
              "likeliness 97.5 %\r\n"
              "@2     = ~Fuyez !~ ~Fuyez, madame !~\r\n"
              "// Wordgleaner: Likely string found in file reference.tra at Id 77, likeliness "
              "80.0 % but wrong sound\r\n"
              "@3     = ~one two three four five~ [MODSND]\r\n"
              "@4     = ~Caf\xE9~\r\n");
}

TEST_F(ReviewDecisionsTest, AnEditTheCodePageCannotWriteIsListedAndChangesNothing) {
    Recover(Header + "d/setup.tra,4,Caf\xC3\xA9,edit,,,Caf\xC3\xA9 \xE2\x9C\x93,\r\n");
    EXPECT_EQ(decisions->ReportLines().back(),
              "Not applied: line 2, d/setup.tra Id 4: the translation holds a character that "
              "code page 1252 cannot write");
    EXPECT_NE(Saved().find("@4     = ~Caf\xE9~\r\n"), std::string::npos);
}

TEST_F(ReviewDecisionsTest, AnEditNoTraDelimiterCanHoldIsListedAndChangesNothing) {
    Recover(Header + "d/setup.tra,4,Caf\xC3\xA9,edit,,,\"~~~~~ \"\" %\",\r\n");
    EXPECT_EQ(decisions->ReportLines().back(),
              "Not applied: line 2, d/setup.tra Id 4: the translation holds each of ~, \", % and "
              "~~~~~, so no tra file can hold it");
    EXPECT_NE(Saved().find("@4     = ~Caf\xE9~\r\n"), std::string::npos);
}

// A file that holds an id twice: the row applies to the entry whose text
// it names, and to one entry only.
TEST_F(ReviewDecisionsTest, OfTwoEntriesWithOneIdTheOneWithTheReviewedTextTakesTheDecision) {
    Recover(Header + "d/setup.tra,5,Second,edit,,,Seconde,\r\n",
            "@5 = ~First~\n@5 = ~Second~\n@5 = ~Second~\n");
    EXPECT_EQ(Saved(),
              "@5     = ~First~\r\n"
              "// Wordgleaner: Translation edited in review\r\n"
              "@5     = ~Seconde~\r\n"
              "@5     = ~Second~\r\n");
    EXPECT_EQ(decisions->ReportLines().front(),
              "Review decisions: 0 accepted, 0 rejected, 1 edited, 0 not applied");
}

}  // namespace
