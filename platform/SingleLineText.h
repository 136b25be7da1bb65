#pragma once

#include <QString>

// Single-line texts: what a one-line text box and a line of a text file can hold.

// CR, LF, NEL, and the Unicode line and paragraph separators.
bool isLineBreak(QChar c);
// The text up to its first line break: what one line of a text file can hold.
QString firstLine(const QString &text);
// What a one-line box keeps of an insertion, and what a command line can carry unharmed: the
// first line, without control characters (C0, C1, DEL) or invisible format characters
// (direction marks and overrides, zero-width characters).
QString oneLineText(const QString &text);
