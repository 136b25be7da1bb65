#include "editor/JavaLexis.h"

namespace javalexis {

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\f' || c == U'\n' || c == U'\r';
}

bool isIgnorable(char32_t c) {
    return c <= 0x08 || (c >= 0x0E && c <= 0x1B) || (c >= 0x7F && c <= 0x9F) ||
           QChar::category(c) == QChar::Other_Format;
}

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

bool isIdentifier(const QString &name) {
    const CodePoints points(name);
    if (points.size() == 0 || !isIdentifierStart(points.at(0)))
        return false;
    for (qsizetype i = 1; i < points.size(); ++i)
        if (!isIdentifierPart(points.at(i)))
            return false;
    return true;
}

namespace {
int hexValue(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    const char16_t lower = c.toLower().unicode();
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}
} // namespace

QString withUnicodeEscapesTranslated(const QString &text, QList<qsizetype> *origins) {
    QString result;
    result.reserve(text.size());
    if (origins)
        origins->clear();
    qsizetype backslashes = 0; // contiguous backslashes of the source before this position
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
                if (origins)
                    origins->append(at);
                result += QChar(char16_t(value));
                at = digits + 4;
                backslashes = 0; // an escaped backslash escapes nothing
                continue;
            }
        }
        backslashes = c == QLatin1Char('\\') ? backslashes + 1 : 0;
        if (origins)
            origins->append(at);
        result += c;
        ++at;
    }
    return result;
}

QString codeText(const QString &source) {
    QString translated = withUnicodeEscapesTranslated(source);
    if (translated.startsWith(QChar(0xFEFF)))
        translated.remove(0, 1);
    return translated;
}

bool CodePoints::startsWith(qsizetype i, const char *ascii) const {
    for (; *ascii; ++ascii, ++i)
        if (at(i) != char32_t(*ascii))
            return false;
    return true;
}

QString CodePoints::mid(qsizetype from, qsizetype to) const {
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(m_points.constData()) + from,
                             to - from);
}

qsizetype skipSpaceAndComments(const CodePoints &text, qsizetype at) {
    while (at < text.size()) {
        if (isSpace(text.at(at))) {
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

qsizetype skipLiteral(const CodePoints &text, qsizetype at) {
    const bool textBlock = text.startsWith(at, "\"\"\"");
    const char32_t quote = text.at(at);
    if (!textBlock && quote != U'"' && quote != U'\'')
        return at;
    for (qsizetype i = at + (textBlock ? 3 : 1); i < text.size(); ++i) {
        const char32_t c = text.at(i);
        if (c == U'\\')
            ++i;
        else if (textBlock ? text.startsWith(i, "\"\"\"") : c == quote)
            return i + (textBlock ? 3 : 1);
        else if (!textBlock && (c == U'\n' || c == U'\r'))
            return i;
    }
    return text.size();
}

} // namespace javalexis
