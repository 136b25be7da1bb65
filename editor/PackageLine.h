#pragma once

#include <QString>

// The package that a Java text declares: the name of a first statement "package a.b;" (white
// space and comments before it and between its words allowed), or empty when the text's first
// statement is another one. The text is read as javac reads it: a leading byte-order mark is
// no part of it, unicode escapes (\uXXXX, \uuXXXX) are translated first (also in comments,
// where \u000a ends a line comment), and the name's parts are Java identifiers (letters,
// digits, "_", "$", currency signs, connecting punctuation, combining marks, ignorable
// characters, which the name leaves out).
QString declaredPackage(const QString &text);
