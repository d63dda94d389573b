// Which path field keeps a run from starting, and what a field is marked
// with before that.

#include "frontend/path_fields.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::TempDir;

namespace {

TEST(PathFields, TheFirstEmptyFieldKeepsARunFromStartingAndIsNamed) {
    std::vector<LabelledPath> fields = {
        {"Original", "a.tra"}, {"Translated", "b.tra"}, {"Mod", ""}, {"Destination", ""}};
    EXPECT_EQ(FirstEmptyField(fields), 2u);
    EXPECT_EQ(EmptyFieldText(PlainLabelText("&Mod && co")),
              std::string(EmptyPathMessage) + ": \"Mod & co\" is empty");
    fields[2].path = "mod";
    fields[3].path = "out";
    EXPECT_EQ(FirstEmptyField(fields), std::nullopt);  // whether they exist is not judged here
}

TEST(PathFields, LabelsLoseOnlyTheirMnemonicMarks) {
    EXPECT_EQ(PlainLabelText("Co&de page"), "Code page");
    EXPECT_EQ(PlainLabelText("Salt && &pepper"), "Salt & pepper");
    EXPECT_EQ(PlainLabelText("Ends with &"), "Ends with ");
}

TEST(PathFields, ReferenceFoldersWantFoldersInBothReferenceFields) {
    EXPECT_FALSE(FieldWantsFolder(PathField::ReferenceOriginal, false));
    EXPECT_TRUE(FieldWantsFolder(PathField::ReferenceTranslated, true));
    EXPECT_TRUE(FieldWantsFolder(PathField::ModDirectory, false));
    EXPECT_TRUE(FieldWantsFolder(PathField::DestinationDirectory, false));
}

TEST(PathFields, APathIsMarkedWhenItNamesNothingOrTheWrongKind) {
    TempDir dir;
    const std::string file = dir.Write("a.tra", "@1 = ~a~\n");
    const std::string folder = dir.Path().string();
    EXPECT_EQ(PathProblemText(file, false), "");
    EXPECT_EQ(PathProblemText(folder, true), "");
    EXPECT_EQ(PathProblemText("", true), "");
    EXPECT_EQ(PathProblemText(dir / "b.tra", false), "There is no file " + dir / "b.tra");
    EXPECT_EQ(PathProblemText(dir / "mod", true), "There is no folder " + dir / "mod");
    EXPECT_EQ(PathProblemText(file, true), file + " is a file, not a folder");
    EXPECT_EQ(PathProblemText(folder, false), folder + " is a folder, not a file");
}

TEST(PathFields, ADropIsTakenOnlyAsOnePathOfTheFieldsKind) {
    TempDir dir;
    const std::string file = dir.Write("a.tra", "@1 = ~a~\n");
    EXPECT_EQ(DropProblemText({file}, false), "");
    EXPECT_EQ(DropProblemText({}, false), "Drop one file here");
    EXPECT_EQ(DropProblemText({file, file}, true), "Drop one folder here");
    EXPECT_EQ(DropProblemText({file}, true),
              "Drop one folder here: " + file + " is a file, not a folder");
}

}  // namespace
