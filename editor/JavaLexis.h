#pragma once

#include <QList>
#include <QString>

// Java's lexical rules, as the compiler reads a source text.
namespace javalexis {

// Java's white space: space, tab, form feed and the line terminators.
bool isSpace(char32_t c);
// Character.isIdentifierIgnorable, isJavaIdentifierStart and isJavaIdentifierPart.
bool isIgnorable(char32_t c);
bool isIdentifierStart(char32_t c);
bool isIdentifierPart(char32_t c);
// A whole identifier (keywords included).
bool isIdentifier(const QString &name);

// The text with its unicode escapes (\uXXXX, \uuXXXX) translated, as the compiler does before
// it reads it. An escape's backslash is one that is not itself escaped (preceded by an even
// number of backslashes); a malformed escape stays as it is.
// `origins`, when given, receives for each character of the result the position in `text` where
// it (or its escape) starts.
QString withUnicodeEscapesTranslated(const QString &text, QList<qsizetype> *origins = nullptr);
// The text as javac reads its code: escapes translated, an editor's byte-order mark left out.
QString codeText(const QString &source);

// A text as code points (a character beyond the BMP is one); past the end: 0.
class CodePoints {
public:
    explicit CodePoints(const QString &text) : m_points(text.toUcs4()) {}
    qsizetype size() const { return m_points.size(); }
    char32_t at(qsizetype i) const { return i >= 0 && i < m_points.size() ? m_points.at(i) : 0; }
    bool startsWith(qsizetype i, const char *ascii) const;
    QString mid(qsizetype from, qsizetype to) const;

private:
    QList<uint> m_points;
};

// The position after white space and comments from `at`; the end when a comment is unfinished.
qsizetype skipSpaceAndComments(const CodePoints &text, qsizetype at);
// The position after the string literal, character literal or text block that starts at `at`;
// `at` itself when none starts there. A backslash escapes the character after it; a string or
// character literal ends, unfinished, at its line's end, a text block at the text's end.
qsizetype skipLiteral(const CodePoints &text, qsizetype at);

} // namespace javalexis
