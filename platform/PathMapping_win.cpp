#include "platform/PathMapping.h"

#include <QDir>

// Windows: paths are the system's own; "\" is shown and stored.
namespace platform {

QString toHostPath(const QString &windowsPath) {
    // Tests keep every drive in a folder of their own, as the home folder does on Linux.
    const QString &root = driveRootOverride();
    if (!root.isEmpty() && !driveLetter(windowsPath).isNull())
        return QDir::toNativeSeparators(linuxHostPath(windowsPath, root));
    return windowsPath;
}

QString toWindowsPath(const QString &hostPath) {
    // The file dialogs give "/"-separated paths; the program shows and stores "\".
    const QString root = QDir::fromNativeSeparators(driveRootOverride());
    const QString path = QDir::fromNativeSeparators(hostPath);
    if (!root.isEmpty() && (path == root || path.startsWith(root + QLatin1Char('/'))))
        return linuxWindowsPath(path, root);
    return QDir::toNativeSeparators(hostPath);
}

} // namespace platform
