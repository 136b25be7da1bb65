#pragma once

#include <QString>

// A compact source file (JDK 25): a text with a method or a field outside every type
// declaration, whatever classes, interfaces, enums, records and annotation types it also
// declares, at the top level or inside its methods. Only code counts (not comments, strings,
// character literals or text blocks), read as javac reads it (a byte-order mark skipped,
// unicode escapes translated). A main method is not needed: javac asks for it itself.
bool isCompactSource(const QString &text);
