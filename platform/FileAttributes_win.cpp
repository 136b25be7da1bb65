#include "platform/FileAttributes.h"

#include <windows.h>

namespace platform {

static const wchar_t *wide(const QString &hostPath) {
    return reinterpret_cast<const wchar_t *>(hostPath.utf16());
}

static DWORD attributesOf(const QString &hostPath) {
    return GetFileAttributesW(wide(hostPath));
}

bool setFileHidden(const QString &hostPath) {
    return SetFileAttributesW(wide(hostPath), FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool setFileNormal(const QString &hostPath) {
    return SetFileAttributesW(wide(hostPath), FILE_ATTRIBUTE_NORMAL) != 0;
}

bool isFileHidden(const QString &hostPath) {
    const DWORD a = attributesOf(hostPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN);
}

bool isFileReadOnly(const QString &hostPath) {
    const DWORD a = attributesOf(hostPath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

} // namespace platform
