// A folder tree as a run lists it with sub-folders included, what it leaves
// out without them, and the destination folders its files go into.

#include "job/worker/folder_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "job/worker/destination_folders.h"
#include "job/worker/unsearched_sub_folders.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using test_support::TempDir;

namespace {

// Three levels: files at each, an empty sub-folder, one with other files
// only, a link to a folder and letter-case variants of names.
class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() {
        for (const char* name : {"b.tra", "A.TRA", "notes.txt", "d/dskenb.tra", "d/Ar.tra",
                                 "d/x/deep.TRA", "d/x/readme.txt", "c/one.tra", "text/read.me"}) {
            root.Write(name, "@0 = ~x~\n");
        }
        fs::create_directories(root.Path() / "empty");
        fs::create_directories(root.Path() / "d/empty");
#if !defined(_WIN32)  // links need privileges there; the file system is blind to case
        root.Write("D/upper.tra", "@0 = ~x~\n");
        root.Write("d/a.tra", "@0 = ~x~\n");
        fs::create_directory_symlink(root.Path() / "d", root.Path() / "link");
        fs::create_directory_symlink(root.Path(), root.Path() / "d/x/loop");
        fs::create_symlink(root.Path() / "c/one.tra", root.Path() / "c/linked.tra");
#endif
    }

    FolderTreeListing Tree(bool includeSubFolders = true) const {
        return ListFolderTree(root.Path().string(), ListTraFiles, includeSubFolders);
    }

    TempDir root;
};

TEST_F(FolderTreeTest, EachFoldersFilesComeBeforeItsSubFoldersAtEveryDepthAndNoLinkIsFollowed) {
    const FolderTreeListing tree = Tree();

    EXPECT_EQ(tree.status, TraOk);
    EXPECT_TRUE(tree.faults.empty());
#if defined(_WIN32)
    EXPECT_EQ(tree.names,
              (Names{"A.TRA", "b.tra", "c/one.tra", "d/Ar.tra", "d/dskenb.tra", "d/x/deep.TRA"}));
#else
    // "D" before "d", "a.tra" before "Ar.tra": the order of the names of one
    // folder. A link to a file is a file; the links to folders lead nowhere.
    EXPECT_EQ(tree.names, (Names{"A.TRA", "b.tra", "c/linked.tra", "c/one.tra", "D/upper.tra",
                                 "d/a.tra", "d/Ar.tra", "d/dskenb.tra", "d/x/deep.TRA"}));
#endif
}

TEST_F(FolderTreeTest, WithoutSubFoldersTheListingIsTheFoldersOwn) {
    const FolderTreeListing tree = Tree(false);
    const ModFileList own = ListModFiles(root.Path().string());

    EXPECT_EQ(tree.names, own.names);
    EXPECT_EQ(tree.names, (Names{"A.TRA", "b.tra"}));
    EXPECT_TRUE(tree.faults.empty());
    const FolderTreeListing missing =
        ListFolderTree((root.Path() / "missing").string(), ListTraFiles, true);
    EXPECT_EQ(missing.status, TraOpenFailed);
    EXPECT_TRUE(missing.names.empty());
}

TEST_F(FolderTreeTest, ASubFolderThatCannotBeListedIsAFaultAndTheRestIsListed) {
    const std::string bad = (root.Path() / "d").string();
    const FolderFileLister failingInD = [&bad](const std::string& folder) {
        return folder == bad ? ModFileList{{}, TraOpenFailed} : ListModFiles(folder);
    };

    const FolderTreeListing tree = ListFolderTree(root.Path().string(), failingInD, true);

    ASSERT_EQ(tree.faults.size(), 1u);
    EXPECT_EQ(tree.faults[0].folder, JoinPath(root.Path().string(), "d"));
    EXPECT_EQ(tree.faults[0].Text(), "Cannot list the folder " +
                                         JoinPath(root.Path().string(), "d") +
                                         ", cause: its files could not be listed");
    EXPECT_EQ(tree.names.front(), "A.TRA");
    EXPECT_EQ(std::count(tree.names.begin(), tree.names.end(), "c/one.tra"), 1);
    for (const std::string& name : tree.names) {
        EXPECT_FALSE(name.starts_with("d/")) << name << ": nothing below the folder at fault";
    }
}

#if !defined(_WIN32)
TEST_F(FolderTreeTest, AnUnreadableSubFolderIsToldWithTheSystemsReason) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    fs::permissions(root.Path() / "c", fs::perms::none);
    const FolderTreeListing tree = Tree();
    fs::permissions(root.Path() / "c", fs::perms::owner_all);

    ASSERT_EQ(tree.faults.size(), 1u);
    EXPECT_EQ(tree.faults[0].Text(),
              "Cannot list the folder " + root / "c" + ", cause: Permission denied");
}
#endif

TEST_F(FolderTreeTest, SubFoldersWithTraFilesAreCountedAtAnyDepth) {
    std::vector<std::pair<std::string, std::size_t>> found;
    for (const SubFolderFiles& sub : SubFoldersWithFiles(root.Path().string(), ListTraFiles)) {
        found.emplace_back(sub.name, sub.fileCount);
    }
#if defined(_WIN32)
    EXPECT_EQ(found, (std::vector<std::pair<std::string, std::size_t>>{{"c", 1}, {"d", 3}}));
#else
    EXPECT_EQ(found,
              (std::vector<std::pair<std::string, std::size_t>>{{"c", 2}, {"D", 1}, {"d", 4}}));
#endif
    EXPECT_TRUE(SubFoldersWithFiles((root.Path() / "text").string(), ListTraFiles).empty());
}

// --- What a run without sub-folders leaves out ------------------------------

TEST(UnsearchedSubFolders, TheModFoldersComeFirstThenTheReferenceFoldersEachNameOnce) {
    TempDir root;
    for (const char* name :
         {"mod/a.tra", "mod/d/x.tra", "mod/d/e/y.tra", "mod/txt/z.txt", "en/a.tra", "en/D/x.tra",
          "en/quests/q.tra", "fr/a.tra", "fr/extra/f.tra", "files/en.tra", "files/sub/s.tra"}) {
        root.Write(name, "@0 = ~x~\n");
    }
    JobInputs inputs;
    inputs.modDirectory = root / "mod";
    inputs.references = {{root / "files/en.tra", root / "files/en.tra"},
                         {root / "en", root / "fr"}};

    // The translated folder's sub-folders add nothing a run would search; a
    // file pair's folder is no folder of the set.
    EXPECT_EQ(FindUnsearchedSubFolders(inputs),
              (std::vector<UnsearchedSubFolder>{{"d", 2}, {"quests", 1}}));
    EXPECT_EQ(SubFoldersNotSearchedLine(FindUnsearchedSubFolders(inputs)),
              "Sub-folders not searched: d (2 tra files), quests (1 tra file); include them "
              "with --recursive");

    inputs.modDirectory = root / "en";
    inputs.references = {{root / "mod", root / "fr"}};
    EXPECT_EQ(FindUnsearchedSubFolders(inputs),
              (std::vector<UnsearchedSubFolder>{{"D", 1}, {"quests", 1}}))
        << "named as the first folder that holds it names it, with its count";
    EXPECT_EQ(SubFoldersNotSearchedLine({}), "");
}

// --- The destination's sub-folders --------------------------------------------

TEST(DestinationFolders, AreMadeOnlyWhereAFileGoesAndOnlyThoseMissing) {
    TempDir out;
    out.Write("d/kept.txt", "already there");
    std::string failure;

    EXPECT_EQ(MakeDestinationFolders(out.Path().string(), "plain.tra", failure), TraOk);
    EXPECT_EQ(test_support::NamesIn(out.Path()), Names{"d"});
    EXPECT_EQ(MakeDestinationFolders(out.Path().string(), "d/x/y/deep.tra", failure), TraOk);

    EXPECT_TRUE(fs::is_directory(out.Path() / "d/x/y"));
    EXPECT_TRUE(fs::is_empty(out.Path() / "d/x/y")) << "the file itself is the writer's";
    EXPECT_EQ(TempDir::Read(out / "d/kept.txt"), "already there");
    EXPECT_EQ(failure, "");
}

TEST(DestinationFolders, AFileInTheWayFailsNamingItsPath) {
    TempDir out;
    out.Write("d/x", "a file where a folder goes");
    std::string failure;

    EXPECT_EQ(MakeDestinationFolders(out.Path().string(), "d/x/deep.tra", failure), TraOpenFailed);

    EXPECT_EQ(failure, "The destination " + NamedRelativePath(out.Path().string(), "d/x") +
                           " is not a folder");
    EXPECT_EQ(TempDir::Read(out / "d/x"), "a file where a folder goes");
}

TEST(RelativePaths, AreOpenedWithThePlatformsSeparatorAndNamedWithSlashes) {
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(JoinRelativePath("mod", "d/e/x.tra"),
              "mod" + separator + "d" + separator + "e" + separator + "x.tra");
    EXPECT_EQ(JoinRelativePath("mod", "x.tra"), JoinPath("mod", "x.tra"));
    EXPECT_EQ(NamedRelativePath("mod", "d/e/x.tra"), "mod" + separator + "d/e/x.tra");
    EXPECT_EQ(RelativeFolderOf("d/e/x.tra"), "d/e");
    EXPECT_EQ(RelativeFolderOf("x.tra"), "");
}

}  // namespace
