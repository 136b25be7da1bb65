#include "platform/TextFiles.h"

#include <windows.h>

namespace platform {

bool renameOver(const QString &from, const QString &to) {
    return MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
                       reinterpret_cast<const wchar_t *>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

} // namespace platform
