// What a window refuses of a reference pair before a run, or before a pair
// joins the further pairs.

#include "frontend/reference_pair_problems.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::TempDir;

namespace {

struct Pairs {
    Pairs()
        : english(dir.Write("en/a.tra", "@1 = ~a~\n")),
          french(dir.Write("fr/a.tra", "@1 = ~b~\n")) {}

    TempDir dir;
    std::string english;
    std::string french;
};

TEST(ReferencePairProblems, AFurtherPairIsTwoFilesOrTwoFoldersThatExist) {
    Pairs pairs;
    const TempDir& dir = pairs.dir;
    EXPECT_EQ(FurtherReferencePairProblem({pairs.english, pairs.french}), "");
    EXPECT_EQ(FurtherReferencePairProblem({dir / "en", dir / "fr"}), "");
    EXPECT_EQ(FurtherReferencePairProblem({pairs.english, dir / "missing.tra"}),
              "There is no file or folder " + dir / "missing.tra");
    EXPECT_EQ(FurtherReferencePairProblem({pairs.english, ""}),
              "A reference pair needs both an original and a translated reference");
    EXPECT_EQ(FurtherReferencePairProblem({dir / "en", pairs.french}),
              MixedReferencePairText({dir / "en", pairs.french}));
}

// A missing file of the fields' pair is told by the run when it loads it.
TEST(ReferencePairProblems, TheFieldsPairIsOfOneKindAndFoldersWhenFoldersWereChosen) {
    Pairs pairs;
    const TempDir& dir = pairs.dir;
    EXPECT_EQ(MainReferencePairProblem({pairs.english, dir / "missing.tra"}, false), "");
    EXPECT_EQ(MainReferencePairProblem({dir / "en", dir / "fr"}, true), "");
    EXPECT_EQ(MainReferencePairProblem({pairs.english, dir / "fr"}, false),
              MixedReferencePairText({pairs.english, dir / "fr"}));
    EXPECT_EQ(MainReferencePairProblem({pairs.english, pairs.french}, true),
              "The reference fields must name two folders of tra files (as chosen in "
              "Preferences): " +
                  pairs.english + " and " + pairs.french);
}

}  // namespace
