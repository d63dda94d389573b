#pragma once

#include <QIcon>

namespace wordgleaner {

// Registers the resources compiled into the program (icon, version record).
// The start-up calls it once; tests call it in their set-up.
void LoadUiResources();

// The application icon in all its drawn sizes: window icon and About box icon.
QIcon ApplicationIcon();

}  // namespace wordgleaner
