#include "settings_store.h"

#include <QSettings>
#include <QSize>

#include <string>

#include "local_text.h"

namespace wordgleaner {

namespace {

const QString OldWindowSizeKey = QStringLiteral("window/size");

QString KeyPath(const SettingKey& key) {
    return QString::fromStdString(key.Path());
}

void ReadOldWindowSize(const QSettings& store, SettingsValues& values) {
    const QSize size = store.value(OldWindowSizeKey).toSize();
    if (size.isValid() && !values.contains(settings_keys::WindowWidth.Path())) {
        values[settings_keys::WindowWidth.Path()] = std::to_string(size.width());
        values[settings_keys::WindowHeight.Path()] = std::to_string(size.height());
    }
}

}  // namespace

// QSettings gives numbers and flags back as texts ("50", "true"), as the
// shared readers take them; the paths are kept as Unicode and read as the
// job's 8-bit text.
SettingsValues ReadStoredValues(const QSettings& store) {
    SettingsValues values;
    for (const SettingKey& key : RememberedKeys()) {
        if (store.contains(KeyPath(key))) {
            values[key.Path()] = ToLocalText(store.value(KeyPath(key)).toString());
        }
    }
    ReadOldWindowSize(store, values);
    return values;
}

void WriteStoredValues(QSettings& store, const SettingsValues& values) {
    for (const auto& [path, text] : values) {
        store.setValue(QString::fromStdString(path), FromLocalText(text));
    }
    if (values.contains(settings_keys::WindowWidth.Path())) {
        store.remove(OldWindowSizeKey);
    }
}

}  // namespace wordgleaner
