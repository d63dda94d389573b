// Which path field keeps a run from starting, and what the user is told.

#include "frontend/path_fields.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::TempDir;

namespace {

struct Layout {
    TempDir dir;
    RunPaths paths;

    Layout() {
        dir.Write("ref_orig.tra", "@1 = ~a~\n");
        dir.Write("ref_trans.tra", "@1 = ~b~\n");
        dir.Write("mod/a.tra", "@1 = ~a~\n");
        dir.Write("out/.keep", "");
        paths.texts = {dir / "ref_orig.tra", dir / "ref_trans.tra", dir / "mod", dir / "out"};
    }
};

TEST(PathFields, FourFittingPathsLetARunStart) {
    Layout layout;
    EXPECT_EQ(CheckRunPaths(layout.paths, false), std::nullopt);
}

TEST(PathFields, AnEmptyFieldIsToldBeforeAnyOtherFault) {
    Layout layout;
    layout.paths.texts[0] = layout.dir / "missing.tra";
    layout.paths.texts[2].clear();
    EXPECT_EQ(CheckRunPaths(layout.paths, false),
              (PathFault{PathField::ModDirectory, PathProblem::Empty, EmptyPathMessage}));
}

TEST(PathFields, APathThatNamesNothingIsToldWithItsField) {
    Layout layout;
    layout.paths.texts[1] = layout.dir / "missing.tra";
    const auto fault = CheckRunPaths(layout.paths, false);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, PathField::ReferenceTranslated);
    EXPECT_EQ(fault->problem, PathProblem::Missing);
    EXPECT_EQ(fault->message,
              "The translated reference does not exist: " + layout.dir / "missing.tra");
}

TEST(PathFields, AFileWhereAFolderIsWantedAndTheReverseAreRefused) {
    Layout layout;
    layout.paths.texts[2] = layout.dir / "ref_orig.tra";
    auto fault = CheckRunPaths(layout.paths, false);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, PathField::ModDirectory);
    EXPECT_EQ(fault->problem, PathProblem::WrongKind);
    EXPECT_EQ(fault->message,
              "The directory of mod tra files must be a directory: " + layout.dir / "ref_orig.tra");

    layout.paths.texts[2] = layout.dir / "mod";
    layout.paths.texts[0] = layout.dir / "mod";
    fault = CheckRunPaths(layout.paths, false);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, PathField::ReferenceOriginal);
    EXPECT_EQ(fault->problem, PathProblem::WrongKind);
}

TEST(PathFields, ReferenceFoldersWantFoldersInBothReferenceFields) {
    Layout layout;
    EXPECT_TRUE(FieldWantsFolder(PathField::ReferenceOriginal, true));
    EXPECT_FALSE(FieldWantsFolder(PathField::ReferenceOriginal, false));
    EXPECT_TRUE(FieldWantsFolder(PathField::DestinationDirectory, false));
    const auto fault = CheckRunPaths(layout.paths, true);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->field, PathField::ReferenceOriginal);
    layout.paths.texts[0] = layout.paths.texts[1] = layout.dir / "mod";
    EXPECT_EQ(CheckRunPaths(layout.paths, true), std::nullopt);
}

}  // namespace
