// Lookups by id go through an index: they must still give the first entry
// with the id, after every load, clear and edit.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/random_tra.h"
#include "tra_test_helpers.h"

using namespace wordgleaner;

namespace {

// What a walk of the list gives: the position of the first entry with `id`.
int FirstPositionByWalking(const TraFile& file, std::int32_t id) {
    for (int position = 0; const TraEntry entry = file.GetAt(position); ++position) {
        if (entry.Id() == id) {
            return position;
        }
    }
    return TraNoId;
}

void ExpectLookupsAgreeWithAWalk(const TraFile& file, const std::set<std::int32_t>& ids) {
    for (std::int32_t id : ids) {
        ASSERT_EQ(file.IndexOf(id), FirstPositionByWalking(file, id)) << "id " << id;
        ASSERT_EQ(file.Find(id), file.GetAt(file.IndexOf(id))) << "id " << id;
    }
}

TEST(TraFileIdIndex, FindsTheFirstEntryOfEveryIdInGeneratedFiles) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        test_support::RandomTra random(seed, {.referenceEntries = 300, .idRange = 200});
        TraFile file;
        ASSERT_EQ(LoadBytes(file, random.TraText(random.Reference())), TraOk);
        std::set<std::int32_t> ids{TraNoId, -1000, 1000, 2147483646};
        for (std::int32_t id = -60; id < 210; ++id) {
            ids.insert(id);
        }
        ExpectLookupsAgreeWithAWalk(file, ids);
    }
}

// Ids rising through the file are searched in the entries themselves, which
// must step over the comment blocks and blank lines between them; a long
// run of those, or an id that does not rise, switches to the id index.
TEST(TraFileIdIndex, FindsRisingIdsAcrossLayoutRunsOfEveryLength) {
    for (int longestGap : {0, 1, 3, 64, 65, 200}) {
        for (bool rising : {true, false}) {
            std::string text = "// head\n\n";
            std::set<std::int32_t> ids{TraNoId, -20, -3, 0, 1, 2147483646};
            for (int entry = 0; entry < 40; ++entry) {
                const int id = rising || entry != 30 ? entry * 3 - 7 : -7;
                text += "@" + std::to_string(id) + " = ~text~\n";
                text += std::string(
                    static_cast<std::size_t>(entry % 5 == 4 ? longestGap : entry % 3), '\n');
                for (int near = id - 1; near <= id + 1; ++near) {
                    ids.insert(near);
                }
            }
            TraFile file;
            ASSERT_EQ(LoadBytes(file, text), TraOk);
            SCOPED_TRACE("longest gap " + std::to_string(longestGap) +
                         (rising ? ", rising" : ", one id again"));
            ExpectLookupsAgreeWithAWalk(file, ids);
        }
    }
}

TEST(TraFileIdIndex, ForgetsTheIdsOfThePreviousLoadAndOfAClear) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "@1 = ~one~\n@9945869 = ~big~\n@-4 = ~negative~\n"), TraOk);
    EXPECT_EQ(file.Find(9945869).MaleText(), "big");
    EXPECT_EQ(file.Find(-4).MaleText(), "negative");

    ASSERT_EQ(LoadBytes(file, "@2 = ~two~\n@1 = ~first again~\n"), TraOk);
    EXPECT_FALSE(file.Find(9945869));
    EXPECT_EQ(file.IndexOf(1), 1);
    EXPECT_EQ(file.Find(1).MaleText(), "first again");

    file.Clear();
    EXPECT_FALSE(file.Find(1));
    EXPECT_EQ(file.IndexOf(2), TraNoId);
}

TEST(TraFileIdIndex, CoversTheEntriesKeptByAFailedLoad) {
    TraFile file;
    EXPECT_NE(LoadBytes(file, "@3 = ~kept~\n@4 ~no equal sign~\n"), TraOk);
    ASSERT_TRUE(file.Find(3));
    EXPECT_EQ(file.Find(3).MaleText(), "kept");

    EXPECT_EQ(file.Load("/no/such/directory/file.tra"), TraOpenFailed);
    EXPECT_FALSE(file.Find(3));
}

TEST(TraFileIdIndex, EditsKeepEveryLookupRight) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file, "// head\n@5 = ~a~\n@6 = ~b~\n@5 = ~c~\n"), TraOk);
    ASSERT_EQ(file.SetTexts(5, "changed"), TraOk);
    ASSERT_EQ(file.SetTextsAt(3, "second changed"), TraOk);
    ASSERT_EQ(file.AddComment(6, "note"), TraOk);
    EXPECT_EQ(file.IndexOf(5), 1);
    EXPECT_EQ(file.Find(5).MaleText(), "changed");
    EXPECT_EQ(file.IndexOf(6), 2);
    EXPECT_EQ(file.GetAt(3).MaleText(), "second changed");
    EXPECT_EQ(file.IndexOf(TraNoId), 0) << "the layout entry in front carries TraNoId";
}

}  // namespace
