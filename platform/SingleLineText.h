#pragma once

#include <QString>

// Single-line texts: what a one-line text box and a line of a text file can hold.

// CR, LF, NEL, and the Unicode line and paragraph separators.
bool isLineBreak(QChar c);
// C0 and C1 control characters and DEL (NUL, tab and the line breaks among them).
bool hasControlCharacter(const QString &text);
// The text up to its first line break: what one line of a text file can hold.
QString firstLine(const QString &text);
// The first line without control characters: what a command line can carry unharmed.
QString commandText(const QString &text);
// What a one-line box keeps of an insertion: its first line, without control characters or
// invisible format characters (direction marks and overrides, zero-width characters).
QString oneLineText(const QString &text);
