#include "platform/FileAttributes.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

#ifdef Q_OS_WIN
static DWORD attributesOf(const QString &hostPath) {
    return GetFileAttributesW(reinterpret_cast<const wchar_t *>(hostPath.utf16()));
}

bool setFileHidden(const QString &hostPath) {
    return SetFileAttributesW(reinterpret_cast<const wchar_t *>(hostPath.utf16()),
                              FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool setFileNormal(const QString &hostPath) {
    return SetFileAttributesW(reinterpret_cast<const wchar_t *>(hostPath.utf16()),
                              FILE_ATTRIBUTE_NORMAL) != 0;
}

bool isFileHidden(const QString &hostPath) {
    const DWORD a = attributesOf(hostPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN);
}

bool isFileReadOnly(const QString &hostPath) {
    const DWORD a = attributesOf(hostPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}
#else
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
#endif

} // namespace platform
