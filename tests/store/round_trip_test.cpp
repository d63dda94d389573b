#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/talk_table.h"
#include "support/talk_table_check.h"
#include "support/temp_dir.h"
#include "support/tra_round_trip.h"

using namespace wordgleaner;

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (item.is_regular_file() && item.path().filename().string()[0] != '.') {
            files.push_back(item.path());
        }
    }
    return files;
}

// The samples together use every syntax the reader accepts.
TEST(TraFileRoundTrip, EverySampleLoadsSavesAndLoadsToTheSameContent) {
    auto samples = FilesIn(WORDGLEANER_STORE_DATA_DIR);
    ASSERT_GE(samples.size(), 5u);
    for (const auto& sample : samples) {
        test_support::TempDir dir;
        auto result = test_support::CheckRoundTrip(sample.string(), dir.Path().string());
        EXPECT_EQ(result.firstLoad, TraOk) << sample;
        EXPECT_EQ(result.problem, "") << sample;
    }
}

TEST(TraFileRoundTrip, SavedSampleMatchesTheReviewedLayout) {
    const fs::path data = WORDGLEANER_STORE_DATA_DIR;
    test_support::TempDir dir;
    TraFile file;
    ASSERT_EQ(file.Load((data / "sounds_and_comments.tra").string()), TraOk);
    ASSERT_EQ(file.Save(dir / "saved.tra"), TraOk);
    EXPECT_EQ(test_support::TempDir::Read(dir / "saved.tra"),
              test_support::TempDir::Read((data / "expected/sounds_and_comments.tra").string()));
}

// Inputs the fuzzer kept: none may crash, tra files that load must
// round-trip, and tables that load must hold consistent entries.
TEST(TraFileRoundTrip, FuzzCorpusInputsLoadSafelyAndRoundTrip) {
    int tables = 0;
    for (const auto& input : FilesIn(WORDGLEANER_FUZZ_CORPUS_DIR)) {
        test_support::TempDir dir;
        if (IsTalkTable(input.string())) {
            ++tables;
            EXPECT_EQ(test_support::CheckTalkTable(input.string(), dir.Path().string()), "")
                << input;
            continue;
        }
        auto result = test_support::CheckRoundTrip(input.string(), dir.Path().string());
        EXPECT_EQ(result.problem, "") << input;
    }
    EXPECT_GE(tables, 3) << "the corpus keeps a few tables";
}

}  // namespace
