#pragma once

#include <QString>

// "major.minor.patch" of this build, as the main window, its tray balloon and the about box
// show it.
inline QString programVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(BRISKO_VERSION_MAJOR)
        .arg(BRISKO_VERSION_MINOR)
        .arg(BRISKO_VERSION_PATCH);
}
