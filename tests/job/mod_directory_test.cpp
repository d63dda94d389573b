#include "job/worker/mod_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::TempDir;

// A folder of a tra name is listed too, so that its load fails and says
// what it is; what is inside a sub-folder is not.
TEST(ModDirectory, ListsEveryEntryOfATraNameInAnyLetterCaseAndNothingElse) {
    TempDir mod;
    for (const char* name : {"a.tra", "B.TRA", "c.Tra", "notes.txt", "tra", "old.tra.bak",
                             "dialog.tr", ".tra", "dialog.tlk"}) {
        mod.Write(name, "@1 = ~x~\n");
    }
    fs::create_directory(mod.Path() / "folder.tra");
    mod.Write("nested/inner.tra", "@1 = ~x~\n");

    ModFileList list = ListModFiles(mod.Path().string());

    EXPECT_EQ(list.status, TraOk);
    EXPECT_EQ(list.names, (Names{".tra", "a.tra", "B.TRA", "c.Tra", "folder.tra"}));
}

#if !defined(_WIN32)  // links need privileges there
// Skipping them would end the batch as a success with files missing from it;
// listed, each fails to load and says why: a link to a folder or a device, a
// named pipe, a dangling or looping link.
TEST(ModDirectory, ListsTraEntriesThatAreNoRegularFileOrCannotBeReadSoTheirLoadFails) {
    TempDir mod;
    std::string target = mod.Write("target.txt", "@1 = ~x~\n");
    fs::create_directory(mod.Path() / "folder");
    fs::create_symlink(target, mod.Path() / "linked.tra");
    fs::create_directory_symlink(mod.Path() / "folder", mod.Path() / "dir.tra");
    fs::create_symlink("/dev/zero", mod.Path() / "device.tra");
    ASSERT_EQ(::mkfifo((mod.Path() / "pipe.tra").c_str(), 0600), 0);
    fs::create_symlink(mod.Path() / "missing", mod.Path() / "dangling.tra");
    fs::create_symlink(mod.Path() / "loop2.tra", mod.Path() / "loop1.tra");
    fs::create_symlink(mod.Path() / "loop1.tra", mod.Path() / "loop2.tra");
    fs::create_symlink(mod.Path() / "missing", mod.Path() / "dangling.txt");

    ModFileList list = ListModFiles(mod.Path().string());

    EXPECT_EQ(list.status, TraOk);
    EXPECT_EQ(list.names, (Names{"dangling.tra", "device.tra", "dir.tra", "linked.tra", "loop1.tra",
                                 "loop2.tra", "pipe.tra"}));
}

TEST(ModDirectory, ListsATraFileWithoutReadPermission) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TempDir mod;
    fs::permissions(mod.Write("locked.tra", "@1 = ~x~\n"), fs::perms::none);

    EXPECT_EQ(ListModFiles(mod.Path().string()).names, Names{"locked.tra"});
}
#endif

TEST(ModDirectory, SortsWithAsciiLettersFoldedAndBreaksTiesByRawBytes) {
    TempDir mod;
    std::vector<const char*> names{"b.tra", "Z.tra", "a2.tra", "_x.tra", "A10.tra"};
    Names sorted{"_x.tra", "A10.tra", "a2.tra", "b.tra", "Z.tra"};
#if !defined(_WIN32)  // names that differ only in case need a case-sensitive file system
    names.insert(names.end(), {"B.tra", "\351a.tra", "\311b.tra"});
    // '_' (0x5F) sorts before the folded letters; bytes above 0x7F come after
    // them unfolded: E acute (0xC9 in cp1252) before e acute (0xE9), whatever
    // follows.
    sorted = {"_x.tra", "A10.tra", "a2.tra", "B.tra", "b.tra", "Z.tra", "\311b.tra", "\351a.tra"};
#endif
    for (const char* name : names) {
        mod.Write(name, "");
    }
    EXPECT_EQ(ListModFiles(mod.Path().string()).names, sorted);
    EXPECT_TRUE(ModFileNameLess("B.tra", "b.tra"));
    EXPECT_FALSE(ModFileNameLess("b.tra", "B.tra"));
    EXPECT_FALSE(ModFileNameLess("b.tra", "b.tra"));
}

TEST(ModDirectory, AnEmptyOrSubDirectoryOnlyFolderListsNothingButIsNoFailure) {
    TempDir mod;
    EXPECT_EQ(ListModFiles(mod.Path().string()).status, TraOk);
    fs::create_directory(mod.Path() / "english");
    ModFileList list = ListModFiles(mod.Path().string());
    EXPECT_EQ(list.status, TraOk);
    EXPECT_TRUE(list.names.empty());
}

TEST(ModDirectory, AFolderThatCannotBeListedFailsWithOpenFailedAndWhy) {
    TempDir mod;
    std::string file = mod.Write("plain.tra", "");
    struct Case {
        std::string path, fault;
    };
    for (const Case& each : {Case{(mod.Path() / "missing").string(), "does not exist"},
                             Case{file, "is not a folder"}, Case{"", "does not exist"}}) {
        ModFileList list = ListModFiles(each.path);
        EXPECT_EQ(list.status, TraOpenFailed) << each.path;
        EXPECT_TRUE(list.names.empty()) << each.path;
        EXPECT_EQ(list.fault, each.fault) << each.path;
    }
    EXPECT_EQ(ListModFiles(mod.Path().string()).fault, "") << "listed";
}

TEST(ModDirectory, PathsLongerThanTheOldFixedBuffersWork) {
#if defined(_WIN32)
    GTEST_SKIP() << "the 8-bit file API of Windows stops at MAX_PATH (260 bytes)";
#endif
    TempDir root;
    fs::path deep = root.Path();
    while (deep.string().size() < 400) {
        deep /= std::string(60, 'd');
    }
    fs::create_directories(deep);
    std::string name = std::string(200, 'n') + ".tra";
    std::string joined = JoinPath(deep.string(), name);
    std::ofstream(joined) << "@1 = ~x~\n";

    EXPECT_GT(joined.size(), 600u);
    EXPECT_EQ(ListModFiles(deep.string()).names, Names{name});
}

TEST(ModDirectory, SplitsAListedNameAtItsLastDot) {
    auto split = [](const std::string& name) {
        SplitFileName parts = SplitAtLastDot(name);
        return parts.baseName + "|" + parts.extension;
    };
    EXPECT_EQ(split("dialog.tra"), "dialog|.tra");
    EXPECT_EQ(split("v1.2.TRA"), "v1.2|.TRA");
    EXPECT_EQ(split(".tra"), "|.tra");
    EXPECT_EQ(split("noext"), "noext|");
}

TEST(ModDirectory, JoinsWithThePlatformSeparatorWithoutDoublingIt) {
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(JoinPath("mods", "a.tra"), "mods" + separator + "a.tra");
    EXPECT_EQ(JoinPath("mods" + separator, "a.tra"), "mods" + separator + "a.tra");
    EXPECT_EQ(JoinPath("", "a.tra"), "a.tra");
}
