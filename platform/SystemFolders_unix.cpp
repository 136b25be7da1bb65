#include "platform/SystemFolders.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

namespace {
// A folder itself (no link), of this user, that no one else may enter.
bool isPrivateFolder(const QByteArray &path) {
    struct stat folder {};
    return !path.isEmpty() && lstat(path.constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           folder.st_uid == getuid() && (folder.st_mode & 077) == 0;
}
} // namespace

QString privateRuntimeFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return QFile::decodeName(runtime);
    // None given: one of the program's own in the temporary folder, the same for every copy
    // of the program this user runs (their locks must meet), made private, and checked after:
    // a folder of that name that another user made, or made open, is no place for the secret.
    const QByteArray own =
        QFile::encodeName(QDir::tempPath() + QStringLiteral("/tarneljava-%1").arg(getuid()));
    mkdir(own.constData(), 0700);
    return isPrivateFolder(own) ? QFile::decodeName(own) : QString();
}

QString folderKey(const QString &absoluteHostPath) {
    return absoluteHostPath;
}

} // namespace platform
