#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "store/text_file.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

using namespace std::string_literals;

namespace {

TEST(TextFileWriter, WritesCrLfAndReplacesTheTargetOnlyOnCommit) {
    test_support::TempDir dir;
    const std::string target = dir.Write("out.txt", "old");
    TextFileWriter writer;
    ASSERT_EQ(writer.Open(target), TraOk);
    writer.Write("a\nb");
    writer.Write("\n\n");
    EXPECT_EQ(test_support::TempDir::Read(target), "old");
    EXPECT_EQ(writer.Commit(), TraOk);
    EXPECT_EQ(test_support::TempDir::Read(target), "a\r\nb\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(TextFileWriter, AbandonedWriteLeavesTheOldFileAndNoTemporaryFile) {
    test_support::TempDir dir;
    const std::string target = dir.Write("out.txt", "old");
    {
        TextFileWriter writer;
        ASSERT_EQ(writer.Open(target), TraOk);
        writer.Write(std::string(200'000, 'x'));
    }
    EXPECT_EQ(test_support::TempDir::Read(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// The permission bits are what counts, so the administrator, whom the
// system lets write anywhere, is refused too.
TEST(TextFileWriter, AFileWithoutWritePermissionIsRefusedAndKept) {
    test_support::TempDir dir;
    const std::string target = dir.Write("protected.txt", "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    TextFileWriter writer;
    EXPECT_EQ(writer.Open(target), TraOpenFailed);
    EXPECT_EQ(writer.LastFailure().systemError, std::errc::permission_denied);
    EXPECT_FALSE(writer.IsOpen());
    std::filesystem::permissions(target, std::filesystem::perms::owner_all);
    EXPECT_EQ(test_support::TempDir::Read(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

#ifdef __linux__
// 255 bytes is the longest name Linux file systems take; the temporary file
// beside it must not need a longer one.
TEST(TextFileWriter, ATargetNameOfTheLongestLengthIsWrittenAndReplaced) {
    test_support::TempDir dir;
    const std::string name = std::string(251, 'n') + ".tra";
    ASSERT_EQ(name.size(), 255u);
    const std::string target = dir.Write(name, "old");
    TextFileWriter writer;
    ASSERT_EQ(writer.Open(target), TraOk);
    writer.Write("new\n");
    ASSERT_EQ(writer.Commit(), TraOk);
    EXPECT_EQ(test_support::TempDir::Read(target), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
#endif

#ifndef _WIN32
// The folder disappears while the file is written: the rename at commit fails.
TEST(TextFileWriter, FailedRenameIsAWriteFailure) {
    test_support::TempDir dir;
    TextFileWriter writer;
    ASSERT_EQ(writer.Open(dir.Write("sub/out.txt", "old")), TraOk);
    writer.Write("new");
    std::filesystem::remove_all(dir.Path() / "sub");
    EXPECT_EQ(writer.Commit(), TraWriteFailed);
    EXPECT_EQ(writer.LastFailure().code, TraWriteFailed);
    EXPECT_EQ(writer.LastFailure().systemError, std::errc::no_such_file_or_directory);
}

// The first failure is the cause: the failed flush and close that follow a
// full disk must not replace its reason.
TEST(TextFileWriter, RemembersTheSystemsReasonOfTheFirstFailure) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    TextFileWriter writer;
    ASSERT_EQ(writer.Open("/dev/full"), TraOk);
    EXPECT_EQ(writer.LastFailure().code, TraOk);
    writer.Write(std::string(200'000, 'x'));
    EXPECT_EQ(writer.Commit(), TraWriteFailed);
    EXPECT_EQ(writer.LastFailure().code, TraWriteFailed);
    EXPECT_EQ(writer.LastFailure().systemError, std::errc::no_space_on_device);
    EXPECT_EQ(writer.LastFailure().systemReason, "No space left on device");

    ASSERT_EQ(writer.Open("/dev/null"), TraOk);
    EXPECT_EQ(writer.LastFailure().code, TraOk) << "a new file starts without failure";
}

// A link in the destination may point at anything, a file the run reads
// among them: the link goes, and what it pointed to stays as it was.
TEST(TextFileWriter, ALinkAtTheTargetIsReplacedNeverWrittenThrough) {
    test_support::TempDir dir;
    const std::string real = dir.Write("real.txt", "old");
    std::filesystem::create_symlink(real, dir.Path() / "link.txt");
    std::filesystem::create_symlink("/dev/null", dir.Path() / "device.txt");
    std::filesystem::create_directory_symlink(dir.Path(), dir.Path() / "folder.txt");
    for (const char* name : {"link.txt", "device.txt", "folder.txt"}) {
        TextFileWriter writer;
        ASSERT_EQ(writer.Open(dir / name), TraOk) << name;
        writer.Write("new\n");
        ASSERT_EQ(writer.Commit(), TraOk) << name;
        EXPECT_TRUE(
            std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.Path() / name)))
            << name;
        EXPECT_EQ(test_support::TempDir::Read(dir / name), "new\r\n") << name;
    }
    EXPECT_EQ(test_support::TempDir::Read(real), "old");
}
#endif

}  // namespace
