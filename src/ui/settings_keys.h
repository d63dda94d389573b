#pragma once

#include <QSize>
#include <QString>

#include "job/recovery_options.h"

class QSettings;

namespace wordgleaner {

// What the desktop program remembers between runs, under which keys, and
// what it falls back to when a value was never stored or cannot be used.
namespace settings_keys {

inline constexpr const char* ReferenceOriginal = "paths/referenceOriginal";
inline constexpr const char* ReferenceTranslated = "paths/referenceTranslated";
inline constexpr const char* ModDirectory = "paths/modDirectory";
inline constexpr const char* DestinationDirectory = "paths/destinationDirectory";

inline constexpr const char* MinLikeliness = "preferences/minLikeliness";
inline constexpr const char* VeryLikelyThreshold = "preferences/veryLikelyThreshold";
inline constexpr const char* LineInfoOnly = "preferences/lineInfoOnly";
inline constexpr const char* CommentMode = "preferences/commentMode";
inline constexpr const char* GeneratePatch = "preferences/generatePatch";
inline constexpr const char* CompareSound = "preferences/compareSound";
inline constexpr const char* WriteReview = "preferences/writeReview";
inline constexpr const char* CodePage = "preferences/codePage";
inline constexpr const char* KeepGoing = "preferences/keepGoing";

inline constexpr const char* WindowSize = "window/size";

}  // namespace settings_keys

struct StoredPaths {
    QString referenceOriginal;
    QString referenceTranslated;
    QString modDirectory;
    QString destinationDirectory;
};

StoredPaths ReadPaths(const QSettings& settings);
void WritePaths(QSettings& settings, const StoredPaths& paths);

// The values the Preferences dialog edits; the others keep their
// defaults. A stored value that the dialog would refuse (edited by hand, or
// from another version) gives way to the default.
RecoveryOptions ReadOptions(const QSettings& settings);
void WriteOptions(QSettings& settings, const RecoveryOptions& options);

// An invalid size when none is stored.
QSize ReadWindowSize(const QSettings& settings);
void WriteWindowSize(QSettings& settings, const QSize& size);

}  // namespace wordgleaner
