// File names with bytes above 0x7F, as a mod folder on a Windows machine has
// them in its 8-bit code page: they are listed, read and written under their
// own names, folders with such names included. On Windows the names below
// are those of code page 1252; the files are checked by their real (wide)
// names too, so a name that went through another conversion is caught.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "job/recovery_job.h"
#include "job/worker/mod_directory.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::TempDir;

namespace {

// "é" and "€" in code page 1252; 0x80 is where that code page and Latin-1
// part ways.
const std::string ModFolder = "mod \xE9\x80";
const std::string OutFolder = "out \xE9\x80";
const std::string ModName = "caf\xE9 \x80.tra";
const std::string ReferenceName =
    "r\xE9"
    "f\xE9rence.tra";

#if defined(_WIN32)
constexpr unsigned WesternCodePage = 1252;
const std::wstring WideModName = L"caf\u00E9 \u20AC.tra";
const std::wstring WideOutFolder = L"out \u00E9\u20AC";
#endif

// Through the 8-bit file API on every platform, as the program itself goes.
bool MakeFolder(const std::string& path) {
#if defined(_WIN32)
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
#else
    return mkdir(path.c_str(), 0755) == 0;
#endif
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

class CodePageNames : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(_WIN32)
        if (GetACP() != WesternCodePage) {
            GTEST_SKIP() << "the names are those of code page 1252, the system has " << GetACP();
        }
#endif
        root = folder.Path().string();
    }

    TempDir folder;
    std::string root;
};

TEST_F(CodePageNames, JoiningKeepsTheBytesOfFolderAndName) {
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(JoinPath(ModFolder, ModName), ModFolder + separator + ModName);
}

TEST_F(CodePageNames, AModFileIsListedReadAndWrittenUnderItsOwnName) {
    const std::string mod = JoinPath(root, ModFolder);
    const std::string out = JoinPath(root, OutFolder);
    ASSERT_TRUE(MakeFolder(mod));
    ASSERT_TRUE(MakeFolder(out));
    ASSERT_TRUE(WriteBytes(JoinPath(root, ReferenceName), "@1 = ~Hello~\n@2 = ~Open the door~\n"));
    ASSERT_TRUE(
        WriteBytes(JoinPath(root, "trans.tra"), "@1 = ~Bonjour~\n@2 = ~Ouvrez la porte~\n"));
    ASSERT_TRUE(WriteBytes(JoinPath(mod, ModName), "@10 = ~Open the door~\n"));

    ModFileList listed = ListModFiles(mod);
    ASSERT_EQ(listed.status, TraOk);
    EXPECT_EQ(listed.names, Names{ModName});

    RecoveryOptions options;
    options.generatePatch = true;
    RecoveryJob job;
    const ProgressSnapshot end = test_support::RunBatch(
        job, {JoinPath(root, ReferenceName), JoinPath(root, "trans.tra"), mod, out}, options);

    EXPECT_EQ(end.status, TraOk) << end.progressText;
    EXPECT_EQ(ListModFiles(out).names, Names{ModName});
    const std::string recovered = TempDir::Read(JoinPath(out, ModName));
    EXPECT_NE(recovered.find("~Ouvrez la porte~"), std::string::npos) << recovered;
    EXPECT_NE(recovered.find("found in file " + ReferenceName), std::string::npos) << recovered;
    EXPECT_NE(TempDir::Read(JoinPath(out, "Wordgleaner_report.txt")).find("Completed (1 / 1)"),
              std::string::npos);
#if defined(_WIN32)
    // The same files by their names in Unicode: the bytes meant "é" and "€".
    const fs::path wideOut = folder.Path() / WideOutFolder;
    EXPECT_TRUE(fs::is_regular_file(wideOut / WideModName));
    EXPECT_TRUE(fs::is_regular_file(wideOut / L"tp2patch.tp2"));
#endif
}

}  // namespace
