// Exclusive creation of the writer's temporary file, the same on every
// platform (Windows' own C library has no "x" mode for fopen).

#include "store/new_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"

using namespace wordgleaner;

using test_support::TempDir;

namespace {

TEST(CreateNewFile, CreatesAMissingFileAndWritesItsBytesUnchanged) {
    TempDir folder;
    const std::string path = folder / "new.tmp";

    std::FILE* file = CreateNewFile(path);
    ASSERT_NE(file, nullptr);
    const std::string bytes = "a\nb\r\n\x1A";
    EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    EXPECT_EQ(std::fclose(file), 0);

    EXPECT_EQ(TempDir::Read(path), bytes) << "binary: no line end is translated";
}

TEST(CreateNewFile, RefusesAnExistingFileAndLeavesItAsItWas) {
    TempDir folder;
    const std::string path = folder.Write("taken.tmp", "keep me");

    EXPECT_EQ(CreateNewFile(path), nullptr);

    EXPECT_EQ(TempDir::Read(path), "keep me");
}

}  // namespace
