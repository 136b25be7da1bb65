#include "editor/PackageLine.h"

namespace {
// The position after white space and comments from `at`.
qsizetype skipBlanksAndComments(const QString &text, qsizetype at) {
    while (at < text.size()) {
        if (text.at(at).isSpace()) {
            ++at;
        } else if (text.mid(at, 2) == QLatin1String("//")) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), at);
            at = end < 0 ? text.size() : end + 1;
        } else if (text.mid(at, 2) == QLatin1String("/*")) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), at + 2);
            if (end < 0)
                return text.size();
            at = end + 2;
        } else {
            break;
        }
    }
    return at;
}

bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
} // namespace

QString declaredPackage(const QString &text) {
    const QString keyword = QStringLiteral("package");
    qsizetype at = skipBlanksAndComments(text, 0);
    if (text.mid(at, keyword.size()) != keyword)
        return QString();
    at += keyword.size();
    if (at < text.size() && isNamePart(text.at(at)))
        return QString(); // "packageX": another word
    QString name;
    for (;;) {
        at = skipBlanksAndComments(text, at);
        const qsizetype start = at;
        while (at < text.size() && isNamePart(text.at(at)))
            ++at;
        if (at == start || text.at(start).isDigit())
            return QString(); // no name part, or one that starts with a digit
        name += text.mid(start, at - start);
        at = skipBlanksAndComments(text, at);
        if (at < text.size() && text.at(at) == QLatin1Char(';'))
            return name;
        if (at >= text.size() || text.at(at) != QLatin1Char('.'))
            return QString();
        name += QLatin1Char('.');
        ++at;
    }
}
