#include "platform/SystemFolders.h"

#include <QDir>

namespace platform {

bool hasDisplay() {
    return true;
}

QString privateRuntimeFolder() {
    return QDir::tempPath();
}

QString folderKey(const QString &absoluteHostPath) {
    return absoluteHostPath.toLower();
}

} // namespace platform
