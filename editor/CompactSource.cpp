#include "editor/CompactSource.h"

#include "editor/JavaLexis.h"

using namespace javalexis;

namespace {

// The code's tokens one by one: identifiers and keywords whole, every other character of code
// on its own; comments and literals are passed over.
class Tokens {
public:
    explicit Tokens(const QString &text) : m_text(text) {}
    // The next token; empty at the end.
    QString next() {
        m_at = skipSpaceAndComments(m_text, m_at);
        if (m_at >= m_text.size())
            return QString();
        const char32_t c = m_text.at(m_at);
        if (isIdentifierStart(c)) {
            const qsizetype start = m_at;
            while (++m_at < m_text.size() && isIdentifierPart(m_text.at(m_at))) {
            }
            return m_text.mid(start, m_at);
        }
        if (m_text.startsWith(m_at, "\"\"\"")) {
            skipPast(m_at + 3, "\"\"\"");
            return QStringLiteral("\"");
        }
        if (c == U'"' || c == U'\'') {
            skipLiteral(c);
            return QStringLiteral("\"");
        }
        ++m_at;
        return m_text.mid(m_at - 1, m_at);
    }

private:
    void skipPast(qsizetype from, const char *end) {
        for (m_at = from; m_at < m_text.size(); ++m_at) {
            if (m_text.at(m_at) == U'\\')
                ++m_at;
            else if (m_text.startsWith(m_at, end))
                break;
        }
        m_at += qsizetype(qstrlen(end));
    }
    // A string or character literal ends at its quote or, unfinished, at the line's end.
    void skipLiteral(char32_t quote) {
        for (++m_at; m_at < m_text.size(); ++m_at) {
            const char32_t c = m_text.at(m_at);
            if (c == U'\\')
                ++m_at;
            else if (c == quote || c == U'\n' || c == U'\r')
                break;
        }
        ++m_at;
    }

    CodePoints m_text;
    qsizetype m_at = 0;
};

bool isNamePart(const QString &token) {
    return !token.isEmpty() && isIdentifierStart(token.at(0).unicode());
}

} // namespace

bool isCompactSource(const QString &source) {
    QString translated = withUnicodeEscapesTranslated(source);
    if (translated.startsWith(QChar(0xFEFF)))
        translated.remove(0, 1);
    Tokens tokens(translated);
    // Where a method "main" stands: seen its name, in its parameters, after them.
    enum { Elsewhere, Named, InParameters, AfterParameters } main = Elsewhere;
    int depth = 0;
    bool hasMain = false;
    QString before, previous;
    for (QString token = tokens.next(); !token.isEmpty(); token = tokens.next()) {
        const bool declares =
            ((token == QLatin1String("class") || token == QLatin1String("interface")) &&
             previous != QLatin1String(".")) ||
            token == QLatin1String("enum") ||
            (before == QLatin1String("record") && isNamePart(previous) &&
             (token == QLatin1String("(") || token == QLatin1String("<")));
        if (declares)
            return false;
        switch (main) {
        case Elsewhere:
            if (token == QLatin1String("main") && previous != QLatin1String("."))
                main = Named;
            break;
        case Named:
            main = token == QLatin1String("(") ? InParameters : Elsewhere;
            depth = 1;
            break;
        case InParameters:
            depth += token == QLatin1String("(") ? 1 : token == QLatin1String(")") ? -1 : 0;
            if (depth == 0)
                main = AfterParameters;
            break;
        case AfterParameters: // throws A, b.C
            if (token == QLatin1String("{"))
                hasMain = true;
            if (!(isNamePart(token) || token == QLatin1String(",") || token == QLatin1String(".")))
                main = Elsewhere;
            break;
        }
        before = previous;
        previous = token;
    }
    return hasMain;
}
