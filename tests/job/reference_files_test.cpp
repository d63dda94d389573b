// How reference pairs become the files of a set, and the names those files
// are given in comments and patch lines.

#include "job/worker/reference_files.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/tra_file.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

std::vector<std::string> Originals(const ReferenceListing& listing) {
    std::vector<std::string> paths;
    for (const ReferenceFilePaths& file : listing.files) {
        paths.push_back(file.original);
    }
    return paths;
}

// In the system's own form, as the listing joins a folder and a file name.
std::string Native(const TempDir& root, std::string_view name) {
    return (root.Path() / name).make_preferred().string();
}

std::vector<std::string> Translations(const ReferenceListing& listing) {
    std::vector<std::string> paths;
    for (const ReferenceFilePaths& file : listing.files) {
        paths.push_back(file.translated);
    }
    return paths;
}

TEST(ListReferenceFiles, PairsFolderFilesByNameInListingOrderAfterTheEarlierPairs) {
    TempDir root;
    for (const char* name : {"en/b.tra", "en/A.TRA", "en/c.tra", "en/notes.txt", "en/sub/x.tra",
                             "fr/b.tra", "fr/B.tra", "fr/a.tra", "fr/extra.tra"}) {
        root.Write(name, "@0 = ~x~\n");
    }
    const ReferenceListing listing =
        ListReferenceFiles({{root / "one.tra", root / "two.tra"}, {root / "en", root / "fr"}});

    EXPECT_TRUE(listing.faults.empty());
    EXPECT_EQ(Originals(listing),
              (std::vector<std::string>{root / "one.tra", Native(root, "en/A.TRA"),
                                        Native(root, "en/b.tra"), Native(root, "en/c.tra")}));
    // The same bytes before another case; a file without counterpart gets none.
    EXPECT_EQ(Translations(listing),
              (std::vector<std::string>{root / "two.tra", Native(root, "fr/a.tra"),
                                        Native(root, "fr/b.tra"), ""}));
    std::vector<std::string> ignored = {
        "Ignored " + Native(root, "fr/B.tra") + ": no file of that name in " + root / "en",
        "Ignored " + Native(root, "fr/extra.tra") + ": no file of that name in " + root / "en"};
    // A file system blind to case (Windows) holds b.tra and B.tra as one file.
    if (fs::equivalent(root.Path() / "fr/b.tra", root.Path() / "fr/B.tra")) {
        ignored.erase(ignored.begin());
    }
    EXPECT_EQ(listing.ignored, ignored);
}

std::vector<std::string> FemaleTables(const ReferenceListing& listing) {
    std::vector<std::string> paths;
    for (const ReferenceFilePaths& file : listing.files) {
        paths.push_back(file.translatedFemaleTable);
    }
    return paths;
}

// A language folder of an Enhanced Edition: its table, its female table and
// tra files beside them. Only the names matter here.
TEST(ListReferenceFiles, ALanguageFolderGivesItsTablesAndTraFilesAndTheFemaleTableServes) {
    TempDir root;
    for (const char* name : {"en/dialog.tlk", "en/DialogF.tlk", "en/setup.tra", "en/notes.txt",
                             "fr/DIALOG.TLK", "fr/dialogf.TLK", "fr/setup.tra", "fr/sounds.tlk",
                             "alone/en/dialogF.tlk", "alone/fr/dialogF.tlk"}) {
        root.Write(name, "");
    }
    const ReferenceListing listing = ListReferenceFiles(
        {{root / "en", root / "fr"}, {Native(root, "alone/en"), Native(root, "alone/fr")}});

    EXPECT_TRUE(listing.faults.empty());
    EXPECT_EQ(Originals(listing),
              (std::vector<std::string>{Native(root, "en/dialog.tlk"), Native(root, "en/setup.tra"),
                                        Native(root, "alone/en/dialogF.tlk")}));
    EXPECT_EQ(Translations(listing),
              (std::vector<std::string>{Native(root, "fr/DIALOG.TLK"), Native(root, "fr/setup.tra"),
                                        Native(root, "alone/fr/dialogF.tlk")}));
    EXPECT_EQ(FemaleTables(listing),
              (std::vector<std::string>{Native(root, "fr/dialogf.TLK"), "", ""}));
    EXPECT_EQ(listing.ignored,
              (std::vector<std::string>{"Ignored " + Native(root, "fr/sounds.tlk") +
                                        ": no file of that name in " + root / "en"}));
}

TEST(ListReferenceFiles, ATranslatedTableGivenAsAFileFindsTheFemaleTableBesideIt) {
    TempDir root;
    for (const char* name : {"en/dialog.tlk", "en/dialogF.tlk", "fr/Dialog.tlk", "fr/DIALOGF.tlk",
                             "fr/dialog.tra", "fr/other.tlk"}) {
        root.Write(name, "");
    }
    const ReferenceListing listing =
        ListReferenceFiles({{root / "en/dialog.tlk", root / "fr/Dialog.tlk"},
                            {root / "en/dialog.tlk", root / "fr/dialog.tra"},
                            {root / "en/dialog.tlk", root / "fr/other.tlk"},
                            {root / "en/dialog.tlk", root / "nowhere/dialog.tlk"}});

    EXPECT_EQ(FemaleTables(listing),
              (std::vector<std::string>{root / "fr/DIALOGF.tlk", "", "", ""}));
}

TEST(ListReferenceFiles, PairsThatGiveNoFileAreFaultsNamingTheirPath) {
    TempDir root;
    fs::create_directories(root.Path() / "empty");
    root.Write("file.tra", "@0 = ~x~\n");
    const ReferenceListing listing = ListReferenceFiles({{root / "empty", root / "empty"},
                                                         {root / "missing", root / "missing"},
                                                         {root / "file.tra", root / "empty"}});
    ASSERT_EQ(listing.faults.size(), 2u) << "a missing folder pair is a file pair";
    EXPECT_EQ(listing.faults[0].text, "No tra file in the reference folder " + root / "empty");
    EXPECT_EQ(listing.faults[1].text, MixedReferencePairText({root / "file.tra", root / "empty"}));
    EXPECT_EQ(Originals(listing), (std::vector<std::string>{root / "missing"}));
}

// Each file of the original tree with the translated file at the same path,
// the same bytes first, else up to case in every part of the path.
TEST(ListReferenceFiles, WithSubFoldersPairsEachFileByItsPathUnderItsFolder) {
    TempDir root;
    for (const char* name :
         {"en/a.tra", "en/d/b.tra", "en/d/e/c.tra", "en/q/only.tra", "en/link.txt", "fr/A.TRA",
          "fr/D/B.tra", "fr/d/E/c.TRA", "fr/b.tra", "fr/x/extra.tra"}) {
        root.Write(name, "@0 = ~x~\n");
    }
#if !defined(_WIN32)  // a second case variant needs a file system that tells them apart
    root.Write("fr/d/b.tra", "@0 = ~x~\n");
#endif
    const ReferenceListing listing = ListReferenceFiles({{root / "en", root / "fr"}}, true);

    EXPECT_TRUE(listing.faults.empty());
    std::vector<std::string> listed;
    for (const ReferenceFilePaths& file : listing.files) {
        listed.push_back(file.listedName);
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"a.tra", "d/b.tra", "d/e/c.tra", "q/only.tra"}));
    EXPECT_EQ(Originals(listing)[2], Native(root, "en/d/e/c.tra"));
#if defined(_WIN32)  // "fr/d" is the folder "fr/D" made first
    const std::string bCounterpart = Native(root, "fr/D/B.tra");
    const std::string cCounterpart = Native(root, "fr/D/E/c.TRA");
#else
    const std::string bCounterpart = Native(root, "fr/d/b.tra");
    const std::string cCounterpart = Native(root, "fr/d/E/c.TRA");
#endif
    EXPECT_EQ(Translations(listing),
              (std::vector<std::string>{Native(root, "fr/A.TRA"), bCounterpart, cCounterpart, ""}));
    EXPECT_EQ(listing.ignored.back(), "Ignored " + Native(root, "fr/x/extra.tra") +
                                          ": no file of that name in " + root / "en");
    EXPECT_TRUE(ListReferenceFiles({{root / "en", root / "fr"}}).files.size() == 1u)
        << "without sub-folders, a.tra alone";
}

#if !defined(_WIN32)
// Its files would be missing from the set, or lack their translations.
TEST(ListReferenceFiles, ASubFolderOfEitherSideThatCannotBeListedIsAFault) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    TempDir root;
    for (const char* name : {"en/a.tra", "en/d/b.tra", "fr/a.tra", "fr/d/b.tra"}) {
        root.Write(name, "@0 = ~x~\n");
    }
    fs::permissions(root.Path() / "fr/d", fs::perms::none);
    const ReferenceListing listing = ListReferenceFiles({{root / "en", root / "fr"}}, true);
    fs::permissions(root.Path() / "fr/d", fs::perms::owner_all);

    ASSERT_EQ(listing.faults.size(), 1u);
    EXPECT_EQ(listing.faults[0].path, root / "fr/d");
    EXPECT_EQ(listing.faults[0].text,
              "Cannot list the folder " + root / "fr/d" + ", cause: Permission denied");
    EXPECT_EQ(Translations(listing), (std::vector<std::string>{Native(root, "fr/a.tra"), ""}));
}
#endif

TEST(NameReferenceFiles, NamesByFileNameUnlessAnotherFileSharesItUpToCase) {
    TempDir root;
    std::deque<TraFile> loaded;
    std::vector<std::string> paths;
    std::vector<ReferenceFile> files;
    for (const char* name : {"v1/dialog.tra", "v1/setup.tra", "game/DIALOG.tra"}) {
        paths.push_back(root.Write(name, "@0 = ~x~\n"));
        ASSERT_EQ(loaded.emplace_back().Load(paths.back()), TraOk);
        files.push_back({&loaded.back(), nullptr, {}});
    }
    NameReferenceFiles(files, paths);
    EXPECT_EQ(files[0].name, paths[0]);
    EXPECT_EQ(files[1].name, "setup.tra");
    EXPECT_EQ(files[2].name, paths[2]);

    files.resize(1);
    NameReferenceFiles(files, paths);
    EXPECT_EQ(files[0].name, "dialog.tra") << "a single file keeps its plain name";
}

// A file listed in a sub-folder is named by its path there; only the same
// path under another folder makes it share its name.
TEST(NameReferenceFiles, AFileOfASubFolderIsNamedByItsPathUnderItsFolder) {
    TempDir root;
    std::deque<TraFile> loaded;
    std::vector<std::string> paths;
    std::vector<ReferenceFile> files;
    for (const char* path : {"v1/d/dialog.tra", "v1/dialog.tra", "v0/D/Dialog.tra"}) {
        paths.push_back(root.Write(path, "@0 = ~x~\n"));
        ASSERT_EQ(loaded.emplace_back().Load(paths.back()), TraOk);
        files.push_back({&loaded.back(), nullptr, {}});
    }
    // The second, a file pair's, has no listed name.
    const std::vector<std::string> listed = {"d/dialog.tra", "", "D/Dialog.tra"};
    NameReferenceFiles(files, paths, listed);
    EXPECT_EQ(files[0].name, paths[0]);
    EXPECT_EQ(files[1].name, "dialog.tra");
    EXPECT_EQ(files[2].name, paths[2]);

    files.resize(2);
    NameReferenceFiles(files, paths, listed);
    EXPECT_EQ(files[0].name, "d/dialog.tra");
    EXPECT_EQ(files[1].name, "dialog.tra");
}

}  // namespace
