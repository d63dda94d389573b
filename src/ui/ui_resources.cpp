#include "ui_resources.h"

#include <array>

// The resources live in a static library, so the linker keeps them only when
// something names their registration functions, which Qt declares in the
// global namespace.
static void RegisterUiResources() {
    Q_INIT_RESOURCE(wordgleaner);
    Q_INIT_RESOURCE(wordgleaner_version);
}

namespace wordgleaner {

void LoadUiResources() {
    RegisterUiResources();
}

QIcon ApplicationIcon() {
    constexpr std::array drawnSizes{16, 24, 32, 48, 256};
    QIcon icon;
    for (int size : drawnSizes) {
        icon.addFile(QStringLiteral(":/wordgleaner/icon-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace wordgleaner
