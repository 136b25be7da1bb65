#include "editor/PackageLine.h"

#include <QList>

namespace {
// Java's white space: space, tab, form feed and the line terminators.
bool isJavaSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\f' || c == U'\n' || c == U'\r';
}

// Characters an identifier ignores (Character.isIdentifierIgnorable).
bool isIgnorable(char32_t c) {
    return c <= 0x08 || (c >= 0x0E && c <= 0x1B) || (c >= 0x7F && c <= 0x9F) ||
           QChar::category(c) == QChar::Other_Format;
}

// Character.isJavaIdentifierStart and isJavaIdentifierPart.
bool isIdentifierStart(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_Letter:
    case QChar::Symbol_Currency:
    case QChar::Punctuation_Connector:
        return true;
    default:
        return false;
    }
}

bool isIdentifierPart(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Number_DecimalDigit:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
        return true;
    default:
        return isIdentifierStart(c) || isIgnorable(c);
    }
}

// The text as code points (so that a character beyond the BMP is one).
class CodePoints {
public:
    explicit CodePoints(const QString &text) : m_points(text.toUcs4()) {}
    qsizetype size() const { return m_points.size(); }
    char32_t at(qsizetype i) const { return i < m_points.size() ? m_points.at(i) : 0; }
    bool startsWith(qsizetype i, const char *ascii) const {
        for (; *ascii; ++ascii, ++i)
            if (at(i) != char32_t(*ascii))
                return false;
        return true;
    }
    QString mid(qsizetype from, qsizetype to) const {
        return QString::fromUcs4(reinterpret_cast<const char32_t *>(m_points.constData()) + from,
                                 to - from);
    }

private:
    QList<uint> m_points;
};

// The position after white space and comments from `at`.
qsizetype skipBlanksAndComments(const CodePoints &text, qsizetype at) {
    while (at < text.size()) {
        if (isJavaSpace(text.at(at))) {
            ++at;
        } else if (text.startsWith(at, "//")) {
            while (at < text.size() && text.at(at) != U'\n' && text.at(at) != U'\r')
                ++at;
        } else if (text.startsWith(at, "/*")) {
            at += 2;
            while (at < text.size() && !text.startsWith(at, "*/"))
                ++at;
            if (at >= text.size())
                return text.size();
            at += 2;
        } else {
            break;
        }
    }
    return at;
}

int hexValue(QChar c) {
    const int digit = QStringView(&c, 1).toInt(nullptr, 16);
    return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'))
               ? digit
               : -1;
}
} // namespace

QString withUnicodeEscapesTranslated(const QString &text) {
    QString result;
    result.reserve(text.size());
    qsizetype backslashes = 0; // contiguous backslashes before this position, of the source
    for (qsizetype at = 0; at < text.size();) {
        const QChar c = text.at(at);
        if (c == QLatin1Char('\\') && backslashes % 2 == 0 && at + 1 < text.size() &&
            text.at(at + 1) == QLatin1Char('u')) {
            qsizetype digits = at + 1;
            while (digits < text.size() && text.at(digits) == QLatin1Char('u'))
                ++digits;
            int value = 0;
            bool wellFormed = digits + 4 <= text.size();
            for (qsizetype i = digits; wellFormed && i < digits + 4; ++i) {
                const int digit = hexValue(text.at(i));
                wellFormed = digit >= 0;
                value = value * 16 + digit;
            }
            if (wellFormed) {
                result += QChar(char16_t(value));
                at = digits + 4;
                backslashes = 0; // an escaped backslash escapes nothing
                continue;
            }
        }
        backslashes = c == QLatin1Char('\\') ? backslashes + 1 : 0;
        result += c;
        ++at;
    }
    return result;
}

QString declaredPackage(const QString &source) {
    QString translated = withUnicodeEscapesTranslated(source);
    if (translated.startsWith(QChar(0xFEFF)))
        translated.remove(0, 1); // the byte-order mark an editor wrote
    const CodePoints text(translated);
    qsizetype at = skipBlanksAndComments(text, 0);
    if (!text.startsWith(at, "package"))
        return QString();
    at += 7;
    if (isIdentifierPart(text.at(at)) && at < text.size())
        return QString(); // "packageX": another word
    QString name;
    for (;;) {
        at = skipBlanksAndComments(text, at);
        const qsizetype start = at;
        if (at < text.size() && isIdentifierStart(text.at(at)))
            for (++at; at < text.size() && isIdentifierPart(text.at(at));)
                ++at;
        if (at == start)
            return QString(); // no name part, or one that starts with a digit
        // Ignorable characters are no part of the name javac gives the package.
        for (qsizetype i = start; i < at; ++i)
            if (!isIgnorable(text.at(i)))
                name += text.mid(i, i + 1);
        at = skipBlanksAndComments(text, at);
        if (text.at(at) == U';' && at < text.size())
            return name;
        if (at >= text.size() || text.at(at) != U'.')
            return QString();
        name += QLatin1Char('.');
        ++at;
    }
}
