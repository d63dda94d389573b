#include "frontend/decisions_field.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::TempDir;

namespace {

TEST(DecisionsField, TheChooserOffersDecisionsFilesThenEveryFile) {
    const std::vector<ChooserFileType> types = DecisionsFileTypes();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].description, "Review decisions");
    EXPECT_EQ(types[0].patterns, std::vector<std::string>{"*.csv"});
    EXPECT_EQ(types[1].patterns, std::vector<std::string>{"*.*"});
}

// The downloads folder comes first: a browser saves the page's file there.
TEST(DecisionsField, TheSavedFileIsTheFirstFoundInTheFoldersInTurn) {
    TempDir downloads;
    TempDir destination;
    const std::string inDestination = destination.Write("Wordgleaner_decisions.csv", "x");
    EXPECT_EQ(SavedDecisionsFile({downloads.Path().string(), destination.Path().string()}),
              inDestination);
    const std::string inDownloads = downloads.Write("Wordgleaner_decisions.csv", "x");
    EXPECT_EQ(SavedDecisionsFile({"", downloads.Path().string(), destination.Path().string()}),
              inDownloads);
}

TEST(DecisionsField, NoSavedFileOrAFolderOfThatNameGivesNothing) {
    TempDir folder;
    EXPECT_EQ(SavedDecisionsFile({folder.Path().string(), ""}), "");
    std::filesystem::create_directory(folder.Path() / "Wordgleaner_decisions.csv");
    EXPECT_EQ(SavedDecisionsFile({folder.Path().string()}), "");
    EXPECT_EQ(SavedDecisionsFile({}), "");
}

}  // namespace
