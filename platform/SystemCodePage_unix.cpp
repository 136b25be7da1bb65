#include "platform/TextFiles.h"

#include <langinfo.h>

namespace platform {

// The locale's encoding by name, when it is more than ASCII (the C locale) and Qt converts it;
// otherwise UTF-8, which Qt takes as the system's encoding on Linux.
static QByteArray localeEncoding() {
    const QByteArray name = nl_langinfo(CODESET);
    if (name.isEmpty() || name.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
        name == "ANSI_X3.4-1968" || !QStringEncoder(name.constData()).isValid())
        return QByteArrayLiteral("UTF-8");
    return name;
}

QStringEncoder systemEncoder(QStringConverter::Flags flags) {
    return QStringEncoder(localeEncoding().constData(), flags);
}

QStringDecoder systemDecoder(QStringConverter::Flags flags) {
    return QStringDecoder(localeEncoding().constData(), flags);
}

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
    if (auto text = decodeStrictly(systemDecoder(kStrict), bytes))
        return text;
    return decodeStrictly(QStringDecoder("GB18030", kStrict), bytes);
}

QString javaNameOfSystemCodePage() {
    // glibc's names (UTF-8, GB18030, GBK, BIG5, EUC-JP, ISO-8859-1, ...) are Java's too.
    return QString::fromLatin1(localeEncoding());
}

} // namespace platform
