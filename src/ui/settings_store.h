#pragma once

#include "frontend/remembered_settings.h"

class QSettings;

namespace wordgleaner {

// The remembered settings in QSettings, under the keys both windows use.
// An earlier version kept the window's size as one "window/size" value: it
// is read when the width and height are not stored, and removed once they
// are written.
SettingsValues ReadStoredValues(const QSettings& store);
void WriteStoredValues(QSettings& store, const SettingsValues& values);

}  // namespace wordgleaner
