#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/talk_table_names.h"

using namespace wordgleaner;

namespace {

using Names = std::vector<std::string>;

TEST(FemaleTableName, OnlyDialogTlkHasOneAndItIsFoundUpToCase) {
    const Names folder = {"DIALOGF.TLK", "dialog.tlk", "items.tlk", "itemsF.tlk"};
    EXPECT_EQ(FemaleTableName("dialog.tlk", folder), "DIALOGF.TLK");
    EXPECT_EQ(FemaleTableName("Dialog.TLK", folder), "DIALOGF.TLK");
    EXPECT_EQ(FemaleTableName("items.tlk", folder), "") << "only the game's dialog table";
    EXPECT_EQ(FemaleTableName("dialogF.tlk", folder), "");
    EXPECT_EQ(FemaleTableName("dialog.tlk", Names{"dialog.tlk", "dialogF.tra"}), "");
    EXPECT_EQ(FemaleTableName("dialog.tlk", Names{"DIALOGF.TLK", "dialogF.tlk"}), "dialogF.tlk")
        << "the exact spelling first";
}

TEST(FemaleTableName, AFemaleTableServesOnlyBesideItsMaleTable) {
    EXPECT_TRUE(ServesAsFemaleTable("dialogf.tlk", Names{"DIALOG.TLK", "dialogf.tlk"}));
    EXPECT_FALSE(ServesAsFemaleTable("dialogF.tlk", Names{"dialogF.tlk", "dialog.tra"}))
        << "alone it is a table of its own";
    EXPECT_FALSE(ServesAsFemaleTable("dialog.tlk", Names{"dialog.tlk", "dialogF.tlk"}));
}

TEST(FemaleTableName, TalkTablesEndInTlkInAnyCase) {
    EXPECT_TRUE(HasTalkTableExtension("dialog.tlk"));
    EXPECT_TRUE(HasTalkTableExtension("DIALOG.Tlk"));
    EXPECT_TRUE(HasTalkTableExtension(".tlk"));
    EXPECT_FALSE(HasTalkTableExtension("dialog.tlk.bak"));
    EXPECT_FALSE(HasTalkTableExtension("tlk"));
    EXPECT_FALSE(HasTalkTableExtension("dialog.tra"));
}

}  // namespace
