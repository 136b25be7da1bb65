#include "platform/PathMapping.h"

#include <QDir>

// Linux: "Z:" is the root, every other drive the home folder (or the folder a test chose).
namespace platform {

static QString driveFolder() {
    const QString &root = driveRootOverride();
    return root.isEmpty() ? QDir::homePath() : root;
}

QString toHostPath(const QString &windowsPath) {
    return linuxHostPath(windowsPath, driveFolder());
}

QString toWindowsPath(const QString &hostPath) {
    return linuxWindowsPath(hostPath, driveFolder());
}

} // namespace platform
