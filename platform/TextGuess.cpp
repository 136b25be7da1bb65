#include "platform/TextGuess.h"

#include "platform/TextFiles.h"

#include <QStringDecoder>

namespace platform {

namespace {
constexpr auto kKeepBom = QStringConverter::Flag::ConvertInitialBom;

// The length of the well-formed UTF-8 sequence of more than one byte at `i`, or 0: the lead
// byte's range sets the length and the range of the second byte (no overlong forms, no
// surrogates, nothing past U+10FFFF); the other bytes continue it.
int utf8SequenceAt(const QByteArray &bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return uchar(bytes.at(k)); };
    const uchar lead = byte(i);
    int length = 0;
    uchar low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}
} // namespace

TextGuess guessText(const QByteArray &bytes) {
    TextGuess guess;
    // Well-formed multi-byte sequences against bytes that UTF-8 cannot read.
    qsizetype sequences = 0;
    qsizetype strays = 0;
    qsizetype firstStray = -1;
    for (qsizetype i = 0; i < bytes.size();) {
        if (uchar(bytes.at(i)) < 0x80) {
            ++i;
            continue;
        }
        if (const int length = utf8SequenceAt(bytes, i)) {
            ++sequences;
            i += length;
            continue;
        }
        if (firstStray < 0)
            firstStray = i;
        ++strays;
        ++i;
    }
    if (sequences > 0 && strays == 0) {
        guess.text = readAsUtf8(bytes);
        return guess;
    }
    // Text in a two-byte code page forms a UTF-8 sequence now and then by chance, far less
    // often than it forms none; a UTF-8 file with a few damaged bytes is the other way round.
    if (strays > 0 && sequences >= 2 * strays) {
        guess.inDoubt = true;
        guess.firstBadLine = int(bytes.left(firstStray).count('\n')) + 1;
        return guess;
    }
    guess.text = decodeText(bytes);
    return guess;
}

QString readAsUtf8(const QByteArray &bytes) {
    return QStringDecoder(QStringDecoder::Utf8, kKeepBom).decode(bytes);
}

QString readAsGb18030(const QByteArray &bytes) {
    QStringDecoder gb18030("GB18030", kKeepBom);
    // A Qt without the converter (Windows) has the system code page: GBK on Chinese Windows.
    if (!gb18030.isValid())
        return systemDecoder(kKeepBom).decode(bytes);
    return gb18030.decode(bytes);
}

bool fitsSystemCodePage(const QString &text) {
    // A byte-order mark at the start is a character of the text here, not a mark to drop.
    return systemDecoder(kKeepBom).decode(toSystemCodePage(text)) == text;
}

} // namespace platform
