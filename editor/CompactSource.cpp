#include "editor/CompactSource.h"

#include "editor/JavaLexis.h"

#include <QSet>

using namespace javalexis;

namespace {

// The code's tokens one by one: identifiers and keywords whole, every other character of code
// on its own; a literal is one token '"', comments are passed over.
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
            QString name;
            do { // javac leaves ignorable characters out of a name: "cl\u200Bass" is "class"
                if (!isIgnorable(m_text.at(m_at)))
                    name += QStringView(QChar::fromUcs4(m_text.at(m_at)));
            } while (++m_at < m_text.size() && isIdentifierPart(m_text.at(m_at)));
            return name;
        }
        if (const qsizetype end = skipLiteral(m_text, m_at); end != m_at) {
            m_at = end;
            return QStringLiteral("\"");
        }
        ++m_at;
        return m_text.mid(m_at - 1, m_at);
    }

private:
    CodePoints m_text;
    qsizetype m_at = 0;
};

// Java's reserved words: no type or member is named by one.
bool isKeyword(const QString &token) {
    static const QSet<QString> keywords = {
        "abstract", "assert", "boolean",    "break",     "byte",       "case",      "catch",
        "char",     "class",  "const",      "continue",  "default",    "do",        "double",
        "else",     "enum",   "extends",    "final",     "finally",    "float",     "for",
        "goto",     "if",     "implements", "import",    "instanceof", "int",       "interface",
        "long",     "native", "new",        "package",   "private",    "protected", "public",
        "return",   "short",  "static",     "strictfp",  "super",      "switch",    "synchronized",
        "this",     "throw",  "throws",     "transient", "try",        "void",      "volatile",
        "while",    "true",   "false",      "null",      "_"};
    return keywords.contains(token);
}

// An identifier that is no reserved word.
bool isName(const QString &token) {
    if (token.isEmpty())
        return false;
    const QChar high = token.at(0);
    const char32_t first = high.isHighSurrogate() && token.size() > 1
                               ? QChar::surrogateToUcs4(high, token.at(1))
                               : high.unicode();
    return isIdentifierStart(first) && !isKeyword(token);
}

// A token a type can end with, before the name it declares: "String", "int", "List<T>", "int[]".
bool endsType(const QString &token) {
    static const QSet<QString> primitives = {"boolean", "byte",  "char",   "short", "int",
                                             "long",    "float", "double", "void"};
    return isName(token) || primitives.contains(token) || token == QLatin1String(">") ||
           token == QLatin1String("]");
}

} // namespace

// One pass over the top level: each item's header is read up to the "(", "{", ";", "=" or ","
// that tells what it is; a body (of a type, or any other block) is passed over by its braces.
bool isCompactSource(const QString &source) {
    const QString translated = codeText(source);
    Tokens tokens(translated);
    int braces = 0;           // open in a body
    int parentheses = 0;      // open in a header
    bool notMember = false;   // the header is an import line or declares a type
    bool typedName = false;   // the header's last token is a name after a type
    QString before, previous; // the tokens before this one
    QString token;
    const auto is = [&token](const char *code) { return token == QLatin1String(code); };
    for (token = tokens.next(); !token.isEmpty(); token = tokens.next()) {
        bool ends = false; // the item ends with this token
        if (braces > 0) {
            braces += is("{") ? 1 : is("}") ? -1 : 0;
            ends = braces == 0;
        } else if (parentheses > 0) { // parameters, an annotation's arguments
            parentheses += is("(") ? 1 : is(")") ? -1 : 0;
        } else {
            if (((is("class") || is("interface")) && previous != QLatin1String(".")) ||
                is("enum") || is("import") ||
                (before == QLatin1String("record") && isName(previous) && (is("(") || is("<"))))
                notMember = true;
            if (typedName && !notMember && (is("(") || is(";") || is("=") || is(",")))
                return true; // "int f(", "int x;", "int x =", "int a, b"
            parentheses = is("(") ? 1 : 0;
            braces = is("{") ? 1 : 0;
            ends = is(";") || is("}"); // a "}" here is a stray one
            typedName = isName(token) && endsType(previous);
        }
        if (ends)
            notMember = typedName = false;
        before = previous;
        previous = token;
    }
    return false;
}
