#include "editor/PackageLine.h"

#include "editor/JavaLexis.h"

using namespace javalexis;

QString declaredPackage(const QString &source) {
    const CodePoints text(codeText(source));
    qsizetype at = skipSpaceAndComments(text, 0);
    if (!text.startsWith(at, "package"))
        return QString();
    at += 7;
    if (at < text.size() && isIdentifierPart(text.at(at)))
        return QString(); // "packageX": another word
    QString name;
    for (;;) {
        at = skipSpaceAndComments(text, at);
        const qsizetype start = at;
        if (at < text.size() && isIdentifierStart(text.at(at)))
            for (++at; at < text.size() && isIdentifierPart(text.at(at));)
                ++at;
        if (at == start)
            return QString(); // no name part, or one that starts with a digit
        for (qsizetype i = start; i < at; ++i)
            if (!isIgnorable(text.at(i)))
                name += text.mid(i, i + 1);
        at = skipSpaceAndComments(text, at);
        if (at < text.size() && text.at(at) == U';')
            return name;
        if (at >= text.size() || text.at(at) != U'.')
            return QString();
        name += QLatin1Char('.');
        ++at;
    }
}
