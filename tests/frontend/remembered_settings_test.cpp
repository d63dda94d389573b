// The remembered settings as texts: what a window reads back, and what a
// hand-edited or foreign value falls back to.

#include "frontend/remembered_settings.h"

#include <gtest/gtest.h>

#include <set>

using namespace wordgleaner;

namespace {

PreferencesValues ChangedPreferences() {
    PreferencesValues preferences;
    RecoveryOptions& options = preferences.options;
    options.search.minLikeliness = 62.5;
    options.veryLikelyThreshold = 90;
    options.lineInfoOnly = true;
    options.commentMode = CommentMissingMatch;
    options.generatePatch = true;
    options.search.compareSound = false;
    options.writeReview = true;
    options.codePage = 1251;
    options.keepGoing = true;
    options.includeSubFolders = true;
    options.preferSameId = true;
    preferences.referenceFolders = true;
    preferences.furtherPairs = {{"C:\\en", "C:\\fr"}};
    return preferences;
}

TEST(RememberedSettings, PreferencesAndPathsComeBackAsTheyWereWritten) {
    SettingsValues values;
    WriteRememberedPreferences(ChangedPreferences(), values);
    const RunPaths paths{{"C:\\ref\\en.tra", "C:\\ref\\fr.tra", "C:\\mod", "D:\\out"}};
    WriteRememberedPaths(paths, values);
    EXPECT_EQ(ReadRememberedPreferences(values), ChangedPreferences());
    EXPECT_EQ(ReadRememberedPaths(values), paths);
    EXPECT_EQ(values.at("paths/modDirectory"), "C:\\mod");
    EXPECT_EQ(values.at("preferences/minLikeliness"), "62.5");
    EXPECT_EQ(values.at("preferences/compareSound"), "false");
    EXPECT_EQ(values.at("preferences/includeSubFolders"), "true");
    EXPECT_EQ(values.at("preferences/preferSameId"), "true");
}

// Both windows keep the same keys, so either reads what the other wrote.
TEST(RememberedSettings, AWindowComesBackWholeUnderTheSharedKeys) {
    const RememberedWindow window = {
        {{"a.tra", "b.tra", "mod", "out"}}, ChangedPreferences(), 640, 380};
    const SettingsValues values = RememberedValues(window);
    EXPECT_EQ(values.at("window/width"), "640");
    EXPECT_EQ(values.at("window/height"), "380");
    EXPECT_EQ(values.at("paths/referenceOriginal"), "a.tra");
    const RememberedWindow read = ReadRememberedWindow(values);
    EXPECT_EQ(read.paths, window.paths);
    EXPECT_EQ(read.preferences, window.preferences);
    EXPECT_EQ(read.width, 640);
    EXPECT_EQ(read.height, 380);
}

TEST(RememberedSettings, TheDecisionsFieldComesBackAndIsEmptyWhenNeverStored) {
    RememberedWindow window;
    window.decisionsFile = "C:\\Users\\me\\Downloads\\Wordgleaner_decisions.csv";
    const SettingsValues values = RememberedValues(window);
    EXPECT_EQ(values.at("paths/reviewDecisions"), window.decisionsFile);
    EXPECT_EQ(ReadRememberedWindow(values).decisionsFile, window.decisionsFile);
    EXPECT_EQ(ReadRememberedWindow({}).decisionsFile, "");
}

TEST(RememberedSettings, NothingStoredGivesTheDefaults) {
    EXPECT_EQ(ReadRememberedPreferences({}), PreferencesValues());
    EXPECT_EQ(ReadRememberedPaths({}), RunPaths());
    EXPECT_EQ(ReadRememberedLength({}, settings_keys::WindowWidth), 0);
}

TEST(RememberedSettings, ValuesTheDialogWouldRefuseGiveWayToTheDefaults) {
    const SettingsValues values = {{"preferences/minLikeliness", "101"},
                                   {"preferences/veryLikelyThreshold", "89.99"},
                                   {"preferences/lineInfoOnly", "maybe"},
                                   {"preferences/commentMode", "3"},
                                   {"preferences/codePage", "12345"},
                                   {"preferences/compareSound", ""},
                                   {"preferences/referenceFolders", "yes"},
                                   {"window/width", "-5"},
                                   {"window/height", "12x"}};
    EXPECT_EQ(ReadRememberedPreferences(values), PreferencesValues());
    EXPECT_EQ(ReadRememberedLength(values, settings_keys::WindowWidth), 0);
    EXPECT_EQ(ReadRememberedLength(values, settings_keys::WindowHeight), 0);
}

TEST(RememberedSettings, FlagsReadTheQtWordsAndTheIniDigits) {
    EXPECT_TRUE(
        ReadRememberedPreferences({{"preferences/generatePatch", "1"}}).options.generatePatch);
    EXPECT_TRUE(
        ReadRememberedPreferences({{"preferences/generatePatch", "true"}}).options.generatePatch);
    EXPECT_FALSE(
        ReadRememberedPreferences({{"preferences/compareSound", "0"}}).options.search.compareSound);
}

TEST(RememberedSettings, EveryWrittenKeyIsListedOnce) {
    SettingsValues values;
    WriteRememberedPreferences(PreferencesValues(), values);
    WriteRememberedPaths({}, values);
    values.merge(RememberedValues({}));
    std::set<std::string> listed;
    for (const SettingKey& key : RememberedKeys()) {
        EXPECT_TRUE(listed.insert(key.Path()).second) << key.Path();
    }
    for (const auto& [path, text] : values) {
        EXPECT_TRUE(listed.count(path)) << path;
    }
}

}  // namespace
