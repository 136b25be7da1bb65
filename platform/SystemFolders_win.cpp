#include "platform/SystemFolders.h"

#include <QDir>

namespace platform {

QString privateRuntimeFolder() {
    return QDir::tempPath();
}

QString folderKey(const QString &absoluteHostPath) {
    return absoluteHostPath.toLower();
}

} // namespace platform
