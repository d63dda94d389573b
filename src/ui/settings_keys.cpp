#include "settings_keys.h"

#include <QSettings>

namespace wordgleaner {

namespace {

// The stored values as texts, as the shared model reads them: QSettings
// gives numbers and flags back as "50", "true".
SettingsValues ReadValues(const QSettings& settings) {
    SettingsValues values;
    for (const SettingKey& key : RememberedKeys()) {
        const QString path = KeyPath(key);
        if (settings.contains(path)) {
            values[key.Path()] = settings.value(path).toString().toStdString();
        }
    }
    return values;
}

void WriteValues(QSettings& settings, const SettingsValues& values) {
    for (const auto& [path, text] : values) {
        settings.setValue(QString::fromStdString(path), QString::fromStdString(text));
    }
}

}  // namespace

QString KeyPath(const SettingKey& key) {
    return QString::fromStdString(key.Path());
}

StoredPaths ReadPaths(const QSettings& settings) {
    const RememberedPaths paths = ReadRememberedPaths(ReadValues(settings));
    return {QString::fromStdString(paths.referenceOriginal),
            QString::fromStdString(paths.referenceTranslated),
            QString::fromStdString(paths.modDirectory),
            QString::fromStdString(paths.destinationDirectory)};
}

void WritePaths(QSettings& settings, const StoredPaths& paths) {
    SettingsValues values;
    WriteRememberedPaths(
        {paths.referenceOriginal.toStdString(), paths.referenceTranslated.toStdString(),
         paths.modDirectory.toStdString(), paths.destinationDirectory.toStdString()},
        values);
    WriteValues(settings, values);
}

// Kept under the key the Windows window uses too, as one text.
StoredReferencePairs ReadFurtherReferences(const QSettings& settings) {
    StoredReferencePairs pairs;
    for (const ReferencePair& pair : ReadRememberedFurtherPairs(ReadValues(settings))) {
        if (!pair.original.empty() && !pair.translated.empty()) {
            pairs.push_back(
                {QString::fromStdString(pair.original), QString::fromStdString(pair.translated)});
        }
    }
    return pairs;
}

void WriteFurtherReferences(QSettings& settings, const StoredReferencePairs& pairs) {
    ReferencePairs shared;
    for (const StoredReferencePair& pair : pairs) {
        shared.push_back({pair.original.toStdString(), pair.translated.toStdString()});
    }
    SettingsValues values;
    WriteRememberedFurtherPairs(shared, values);
    WriteValues(settings, values);
}

bool ReadReferenceFolders(const QSettings& settings) {
    return ReadRememberedReferenceFolders(ReadValues(settings));
}

void WriteReferenceFolders(QSettings& settings, bool folders) {
    SettingsValues values;
    WriteRememberedReferenceFolders(folders, values);
    WriteValues(settings, values);
}

RecoveryOptions ReadOptions(const QSettings& settings) {
    return ReadRememberedOptions(ReadValues(settings));
}

void WriteOptions(QSettings& settings, const RecoveryOptions& options) {
    SettingsValues values;
    WriteRememberedOptions(options, values);
    WriteValues(settings, values);
}

QSize ReadWindowSize(const QSettings& settings) {
    return settings.value(settings_keys::WindowSize).toSize();
}

void WriteWindowSize(QSettings& settings, const QSize& size) {
    settings.setValue(settings_keys::WindowSize, size);
}

}  // namespace wordgleaner
