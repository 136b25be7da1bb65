#pragma once

#include "editor/FullWidthPunctuation.h"
#include "editor/JavacDiagnostics.h"

#include <QList>
#include <QString>

// A place in the editor's text that a build found wrong.
struct ErrorPlace {
    int line = 0;   // 1-based
    int column = 0; // 1-based, in characters; 0: the line as a whole
    QString message;
};

// The places the editor marks after a build, in text order: the full-width punctuation of the
// compiled text, and javac's errors in the source copy when the compile failed (warnings mark
// nothing). The source copy is the editor's text without its byte-order mark, if it has one:
// javac's columns on the first line are then one less than the editor's.
QList<ErrorPlace> errorPlaces(const QList<FullWidthMark> &fullWidth,
                              const QList<JavacDiagnostic> &diagnostics,
                              const QString &sourceFileName, bool compileFailed,
                              bool textHasByteOrderMark);
