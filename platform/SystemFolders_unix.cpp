#include "platform/SystemFolders.h"

#include <QStandardPaths>

namespace platform {

QString privateRuntimeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString folderKey(const QString &absoluteHostPath) {
    return absoluteHostPath;
}

} // namespace platform
