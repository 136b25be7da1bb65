#include "platform/FileAttributes.h"

#include <QFile>
#include <QFileInfo>

// A Linux file has no hidden attribute: setting one succeeds whenever the file exists.
namespace platform {

static bool isPlainFile(const QString &hostPath) {
    const QFileInfo info(hostPath);
    return info.exists() && !info.isDir();
}

bool setFileHidden(const QString &hostPath) {
    return isPlainFile(hostPath);
}

bool setFileNormal(const QString &hostPath) {
    return isPlainFile(hostPath);
}

bool isFileHidden(const QString &) {
    return false;
}

bool isFileReadOnly(const QString &hostPath) {
    if (!isPlainFile(hostPath))
        return false;
    return !(QFile::permissions(hostPath) & QFileDevice::WriteOwner);
}

} // namespace platform
