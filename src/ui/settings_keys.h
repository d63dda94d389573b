#pragma once

#include <QSize>
#include <QString>

#include <vector>

#include "frontend/remembered_settings.h"
#include "job/recovery_options.h"

class QSettings;

namespace wordgleaner {

// What the desktop program remembers between runs and under which keys
// (shared with the Windows window); the window's size is this program's own.
namespace settings_keys {

inline constexpr const char* WindowSize = "window/size";

}  // namespace settings_keys

// A shared key as QSettings names it.
QString KeyPath(const SettingKey& key);

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
StoredReferencePairs ReadFurtherReferences(const QSettings& settings);
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
