#include "platform/TextFiles.h"

namespace platform {

std::optional<QString> decodeText(const QByteArray &bytes) {
    // The Windows code page takes any bytes, as the Windows program always read its files.
    return fromSystemCodePage(bytes);
}

} // namespace platform
