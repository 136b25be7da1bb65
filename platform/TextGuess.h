#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// What the bytes of a source file read as. UTF-8 comes first on every system: a byte-order
// mark, or valid UTF-8 holding non-ASCII text (what today's editors write), is read as UTF-8.
// Bytes that are mostly UTF-8 but not throughout (one stray byte in a UTF-8 file) are in
// doubt: another code page would read them "validly", as mojibake. Everything else is read
// as decodeText reads it (the system code page; on Linux GB18030 after it).
struct TextGuess {
    std::optional<QString> text; // nothing: in doubt, or no encoding reads the bytes
    bool inDoubt = false;
    int firstBadLine = 0; // in doubt: the first line (from 1) that UTF-8 cannot read
};
TextGuess guessText(const QByteArray &bytes);

// The bytes as UTF-8 (a byte-order mark kept), what cannot be read becoming U+FFFD; or as
// GB18030 (the superset of the Chinese Windows code page; where Qt has no such converter, the
// system code page).
QString readAsUtf8(const QByteArray &bytes);
QString readAsGb18030(const QByteArray &bytes);

// True when the system code page can hold every character of the text.
bool fitsSystemCodePage(const QString &text);

} // namespace platform
