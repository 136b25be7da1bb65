#include "platform/TextFiles.h"

#include <windows.h>

namespace platform {

QStringEncoder systemEncoder(QStringConverter::Flags flags) {
    return QStringEncoder(QStringConverter::System, flags);
}

QStringDecoder systemDecoder(QStringConverter::Flags flags) {
    return QStringDecoder(QStringConverter::System, flags);
}

std::optional<QString> decodeText(const QByteArray &bytes) {
    // The Windows code page takes any bytes, as the Windows program always read its files.
    return fromSystemCodePage(bytes);
}

QString javaNameOfSystemCodePage() {
    const UINT codePage = GetACP();
    switch (codePage) {
    case 65001:
        return QStringLiteral("UTF-8");
    case 874: // Thai: Java's Cp874 is IBM's page, not Windows's
        return QStringLiteral("MS874");
    case 932:
    case 936:
    case 949:
    case 950:
        return QStringLiteral("MS%1").arg(codePage); // Java's names of the East Asian pages
    default:
        return QStringLiteral("Cp%1").arg(codePage); // Cp1252 and the like
    }
}

} // namespace platform
