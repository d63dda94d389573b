#include "store/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "store/tra_file.h"
#include "support/temp_dir.h"

namespace wordgleaner {
namespace {

namespace fs = std::filesystem;

std::string RefusalOf(const std::string& path) {
    TraFile file;
    EXPECT_EQ(file.Load(path), TraOpenFailed) << path;
    return TraFailureText(file.GetLastFailure());
}

TEST(FileToRead, ARegularFileAndALinkToOneOpenWithTheirSize) {
    test_support::TempDir dir;
    const std::string path = dir.Write("a.tra", "@1 = ~a~\n");
    const FileToRead input = OpenToRead(path);
    ASSERT_EQ(input.code, TraOk);
    EXPECT_NE(input.file, nullptr);
    EXPECT_EQ(input.size, 9u);
    std::error_code noLinks;
    fs::create_symlink(path, dir / "link.tra", noLinks);
    if (!noLinks) {
        EXPECT_EQ(OpenToRead(dir / "link.tra").size, 9u);
    }
}

TEST(FileToRead, AFolderIsRefusedForWhatItIs) {
    test_support::TempDir dir;
    fs::create_directory(dir / "d.tra");
    EXPECT_EQ(RefusalOf(dir / "d.tra"), "Failed to open file (a folder, not a file)");
}

#ifndef _WIN32

// Opening a named pipe that no program writes into would wait for a writer
// forever; it is refused at once instead.
TEST(FileToRead, ANamedPipeWithoutWriterIsRefusedWithoutBlocking) {
    test_support::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.tra").c_str(), 0600), 0);
    EXPECT_EQ(RefusalOf(dir / "pipe.tra"),
              "Failed to open file (a named pipe, not a regular file)");
}

// /dev/zero never ends: read whole, it would fill the memory.
TEST(FileToRead, DevicesAreRefusedAlsoThroughALink) {
    test_support::TempDir dir;
    EXPECT_EQ(RefusalOf("/dev/zero"), "Failed to open file (a device, not a regular file)");
    fs::create_symlink("/dev/zero", dir / "zero.tra");
    EXPECT_EQ(RefusalOf(dir / "zero.tra"), "Failed to open file (a device, not a regular file)");
}

// Its texts would not fit the store's 32-bit offsets: refused before a byte
// is read (the file is sparse, so it takes no room on the disk).
TEST(FileToRead, AFileBeyondFourGibibytesIsRefusedBeforeItIsRead) {
    test_support::TempDir dir;
    const std::string path = dir.Write("huge.tra", "");
    std::error_code noSparseFiles;
    fs::resize_file(path, LargestInputFile + 1, noSparseFiles);
    if (noSparseFiles) {
        GTEST_SKIP() << "no room for a sparse file: " << noSparseFiles.message();
    }
    EXPECT_EQ(RefusalOf(path),
              "Failed to open file (larger than 4 GiB, the most a tra file may hold)");
    fs::resize_file(path, LargestInputFile, noSparseFiles);
    EXPECT_EQ(OpenToRead(path).code, TraOk);
}

#endif

}  // namespace
}  // namespace wordgleaner
