#pragma once

#include <QString>

// A compact source file (JDK 25): a text that declares no class, interface, enum or record in
// its code (comments, strings, character literals and text blocks do not count; "X.class" is no
// declaration) and holds a method main with a body. Read as javac reads it (a byte-order mark
// skipped, unicode escapes translated).
bool isCompactSource(const QString &text);
