#include "platform/TextFiles.h"

#include <QStringDecoder>

namespace platform {

// The text when the whole of the bytes is valid in the encoding, an unfinished sequence at the
// end included.
static std::optional<QString> decodeStrictly(QStringDecoder decoder, const QByteArray &bytes) {
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeText(const QByteArray &bytes) {
    // A byte-order mark at the start stays in the text, so that saving gives it back.
    constexpr auto kStrict =
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    if (auto text = decodeStrictly(QStringDecoder(QStringConverter::System, kStrict), bytes))
        return text;
    return decodeStrictly(QStringDecoder("GB18030", kStrict), bytes);
}

QString javaNameOfSystemCodePage() {
    return QStringLiteral("UTF-8"); // Qt writes UTF-8 as the system code page here
}

} // namespace platform
