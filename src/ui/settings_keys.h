#pragma once

#include <QSize>
#include <QString>

#include <vector>

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
// An array of the further reference pairs, in priority order, each with the
// two keys below.
inline constexpr const char* FurtherReferences = "paths/furtherReferences";
inline constexpr const char* PairOriginal = "original";
inline constexpr const char* PairTranslated = "translated";

inline constexpr const char* MinLikeliness = "preferences/minLikeliness";
inline constexpr const char* VeryLikelyThreshold = "preferences/veryLikelyThreshold";
inline constexpr const char* LineInfoOnly = "preferences/lineInfoOnly";
inline constexpr const char* CommentMode = "preferences/commentMode";
inline constexpr const char* GeneratePatch = "preferences/generatePatch";
inline constexpr const char* CompareSound = "preferences/compareSound";
inline constexpr const char* WriteReview = "preferences/writeReview";
inline constexpr const char* CodePage = "preferences/codePage";
inline constexpr const char* KeepGoing = "preferences/keepGoing";
// The two reference fields name folders of tra files instead of two files.
inline constexpr const char* ReferenceFolders = "preferences/referenceFolders";
inline constexpr bool ReferenceFoldersDefault = false;

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

// One further reference pair as the window shows it.
struct StoredReferencePair {
    QString original;
    QString translated;

    friend bool operator==(const StoredReferencePair&, const StoredReferencePair&) = default;
};
using StoredReferencePairs = std::vector<StoredReferencePair>;

// A pair with an empty side (edited by hand) is left out.
StoredReferencePairs ReadFurtherReferences(QSettings& settings);
void WriteFurtherReferences(QSettings& settings, const StoredReferencePairs& pairs);

bool ReadReferenceFolders(const QSettings& settings);
void WriteReferenceFolders(QSettings& settings, bool folders);

// The values the Preferences dialog edits; the others keep their
// defaults. A stored value that the dialog would refuse (edited by hand, or
// from another version) gives way to the default.
RecoveryOptions ReadOptions(const QSettings& settings);
void WriteOptions(QSettings& settings, const RecoveryOptions& options);

// An invalid size when none is stored.
QSize ReadWindowSize(const QSettings& settings);
void WriteWindowSize(QSettings& settings, const QSize& size);

}  // namespace wordgleaner
