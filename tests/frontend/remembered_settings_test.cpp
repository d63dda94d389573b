// The remembered settings as texts: what a window reads back, and what a
// hand-edited or foreign value falls back to.

#include "frontend/remembered_settings.h"

#include <gtest/gtest.h>

#include <set>

using namespace wordgleaner;

namespace {

RecoveryOptions ChangedOptions() {
    RecoveryOptions options;
    options.search.minLikeliness = 62.5;
    options.veryLikelyThreshold = 90;
    options.lineInfoOnly = true;
    options.commentMode = CommentMissingMatch;
    options.generatePatch = true;
    options.search.compareSound = false;
    options.writeReview = true;
    options.codePage = 1251;
    options.keepGoing = true;
    return options;
}

TEST(RememberedSettings, OptionsAndPathsComeBackAsTheyWereWritten) {
    SettingsValues values;
    WriteRememberedOptions(ChangedOptions(), values);
    const RememberedPaths paths{"C:\\ref\\en.tra", "C:\\ref\\fr.tra", "C:\\mod", "D:\\out"};
    WriteRememberedPaths(paths, values);
    EXPECT_EQ(ReadRememberedOptions(values), ChangedOptions());
    EXPECT_EQ(ReadRememberedPaths(values), paths);
    EXPECT_EQ(values.at("preferences/minLikeliness"), "62.5");
    EXPECT_EQ(values.at("preferences/compareSound"), "false");
}

TEST(RememberedSettings, NothingStoredGivesTheDefaults) {
    EXPECT_EQ(ReadRememberedOptions({}), RecoveryOptions());
    EXPECT_EQ(ReadRememberedPaths({}), RememberedPaths());
    EXPECT_EQ(ReadRememberedLength({}, settings_keys::WindowWidth), 0);
}

TEST(RememberedSettings, ValuesTheDialogWouldRefuseGiveWayToTheDefaults) {
    const SettingsValues values = {{"preferences/minLikeliness", "101"},
                                   {"preferences/veryLikelyThreshold", "89.99"},
                                   {"preferences/lineInfoOnly", "maybe"},
                                   {"preferences/commentMode", "3"},
                                   {"preferences/codePage", "12345"},
                                   {"preferences/compareSound", ""},
                                   {"window/width", "-5"},
                                   {"window/height", "12x"}};
    EXPECT_EQ(ReadRememberedOptions(values), RecoveryOptions());
    EXPECT_EQ(ReadRememberedLength(values, settings_keys::WindowWidth), 0);
    EXPECT_EQ(ReadRememberedLength(values, settings_keys::WindowHeight), 0);
}

TEST(RememberedSettings, FlagsReadTheQtWordsAndTheIniDigits) {
    EXPECT_TRUE(ReadRememberedOptions({{"preferences/generatePatch", "1"}}).generatePatch);
    EXPECT_TRUE(ReadRememberedOptions({{"preferences/generatePatch", "true"}}).generatePatch);
    EXPECT_FALSE(ReadRememberedOptions({{"preferences/compareSound", "0"}}).search.compareSound);
}

TEST(RememberedSettings, EveryWrittenKeyIsListedOnce) {
    SettingsValues values;
    WriteRememberedOptions(RecoveryOptions(), values);
    WriteRememberedPaths({}, values);
    std::set<std::string> listed;
    for (const SettingKey& key : RememberedKeys()) {
        EXPECT_TRUE(listed.insert(key.Path()).second) << key.Path();
    }
    for (const auto& [path, text] : values) {
        EXPECT_TRUE(listed.count(path)) << path;
    }
}

}  // namespace
