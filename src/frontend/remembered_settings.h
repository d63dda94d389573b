#pragma once

#include <map>
#include <span>
#include <string>

#include "job/recovery_options.h"
#include "job/reference_pair.h"

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
inline constexpr bool ReferenceFoldersDefault = false;
// Under the name of an earlier version, so that the pairs it kept are found.
inline constexpr SettingKey FurtherReferencePairs{"references", "extraPairs"};

inline constexpr SettingKey WindowWidth{"window", "width"};
inline constexpr SettingKey WindowHeight{"window", "height"};

}  // namespace settings_keys

// Every key above, for a store that reads them one by one.
std::span<const SettingKey> RememberedKeys();

// Stored texts by SettingKey::Path(); a key never stored is absent.
using SettingsValues = std::map<std::string, std::string>;

struct RememberedPaths {
    std::string referenceOriginal;
    std::string referenceTranslated;
    std::string modDirectory;
    std::string destinationDirectory;

    friend bool operator==(const RememberedPaths&, const RememberedPaths&) = default;
};

RememberedPaths ReadRememberedPaths(const SettingsValues& values);
void WriteRememberedPaths(const RememberedPaths& paths, SettingsValues& values);

// The values the Preferences dialog edits; the others keep their defaults.
// A stored value that the dialog would refuse (edited by hand, or from
// another version) gives way to the default.
RecoveryOptions ReadRememberedOptions(const SettingsValues& values);
void WriteRememberedOptions(const RecoveryOptions& options, SettingsValues& values);

// Whether the two reference fields name folders of reference files; off
// when never stored.
bool ReadRememberedReferenceFolders(const SettingsValues& values);
void WriteRememberedReferenceFolders(bool referenceFolders, SettingsValues& values);

// The further reference pairs, in order; a pair with an empty side (edited
// by hand) is left out.
ReferencePairs ReadRememberedFurtherPairs(const SettingsValues& values);
void WriteRememberedFurtherPairs(const ReferencePairs& pairs, SettingsValues& values);

// A stored positive size in pixels; 0 when none is stored or it is no size.
int ReadRememberedLength(const SettingsValues& values, const SettingKey& key);
void WriteRememberedLength(int length, const SettingKey& key, SettingsValues& values);

}  // namespace wordgleaner
