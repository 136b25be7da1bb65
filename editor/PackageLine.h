#pragma once

#include <QString>

// The package that a Java text declares: the name of a first statement "package a.b;" (white
// space and comments before it and between its words allowed), or empty when the text's first
// statement is another one. Only letters, digits, "_" and "$" make up the name's parts.
QString declaredPackage(const QString &text);
