#pragma once

#include <map>
#include <span>
#include <string>

#include "frontend/path_fields.h"
#include "frontend/preferences_values.h"

namespace wordgleaner {

// What the desktop windows remember between runs, as plain texts under
// "section/name" keys: the Qt window keeps them through QSettings, the
// Windows window in an INI file (the section and the name are its own).
struct SettingKey {
    const char* section;
    const char* name;

    std::string Path() const { return std::string(section) + "/" + name; }
};

namespace settings_keys {

inline constexpr SettingKey ReferenceOriginal{"paths", "referenceOriginal"};
inline constexpr SettingKey ReferenceTranslated{"paths", "referenceTranslated"};
inline constexpr SettingKey ModDirectory{"paths", "modDirectory"};
inline constexpr SettingKey DestinationDirectory{"paths", "destinationDirectory"};
inline constexpr SettingKey ReviewDecisionsFile{"paths", "reviewDecisions"};

inline constexpr SettingKey MinLikeliness{"preferences", "minLikeliness"};
inline constexpr SettingKey VeryLikelyThreshold{"preferences", "veryLikelyThreshold"};
inline constexpr SettingKey LineInfoOnly{"preferences", "lineInfoOnly"};
inline constexpr SettingKey CommentMode{"preferences", "commentMode"};
inline constexpr SettingKey GeneratePatch{"preferences", "generatePatch"};
inline constexpr SettingKey CompareSound{"preferences", "compareSound"};
inline constexpr SettingKey WriteReview{"preferences", "writeReview"};
inline constexpr SettingKey CodePage{"preferences", "codePage"};
inline constexpr SettingKey KeepGoing{"preferences", "keepGoing"};
inline constexpr SettingKey ReferenceFolders{"preferences", "referenceFolders"};
inline constexpr SettingKey IncludeSubFolders{"preferences", "includeSubFolders"};
inline constexpr SettingKey PreferSameId{"preferences", "preferSameId"};
// Under the name of an earlier version, so that the pairs it kept are found.
inline constexpr SettingKey FurtherReferencePairs{"references", "extraPairs"};

inline constexpr SettingKey WindowWidth{"window", "width"};
inline constexpr SettingKey WindowHeight{"window", "height"};

}  // namespace settings_keys

// Every key above, for a store that reads them one by one.
std::span<const SettingKey> RememberedKeys();

// Stored texts by SettingKey::Path(); a key never stored is absent.
using SettingsValues = std::map<std::string, std::string>;

// The four path fields, in the order of PathField.
RunPaths ReadRememberedPaths(const SettingsValues& values);
void WriteRememberedPaths(const RunPaths& paths, SettingsValues& values);

// What Preferences edit, the further pairs included; the run's other
// settings keep their defaults. A stored value that Preferences would refuse
// (edited by hand, or from another version) gives way to the default, and a
// further pair with an empty side is left out.
PreferencesValues ReadRememberedPreferences(const SettingsValues& values);
void WriteRememberedPreferences(const PreferencesValues& preferences, SettingsValues& values);

// What a window remembers as a whole: its fields, its preferences, its
// size in pixels (0 for none stored, or one that is no size) and its review
// decisions field.
struct RememberedWindow {
    RunPaths paths;
    PreferencesValues preferences;
    int width = 0;
    int height = 0;
    std::string decisionsFile = {};
};

RememberedWindow ReadRememberedWindow(const SettingsValues& values);
SettingsValues RememberedValues(const RememberedWindow& window);

// A stored positive size in pixels; 0 when none is stored or it is no size.
int ReadRememberedLength(const SettingsValues& values, const SettingKey& key);
void WriteRememberedLength(int length, const SettingKey& key, SettingsValues& values);

}  // namespace wordgleaner
