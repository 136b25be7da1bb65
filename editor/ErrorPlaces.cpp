#include "editor/ErrorPlaces.h"

#include <algorithm>

QList<ErrorPlace> errorPlaces(const QList<FullWidthMark> &fullWidth,
                              const QList<JavacDiagnostic> &diagnostics,
                              const QString &sourceFileName, bool compileFailed,
                              bool textHasByteOrderMark) {
    QList<ErrorPlace> places;
    for (const FullWidthMark &mark : fullWidth)
        places.append({mark.line, mark.column, fullWidthHint(mark)});
    for (const JavacDiagnostic &diagnostic : diagnostics) {
        if (!compileFailed || !diagnostic.error ||
            !namesSourceFile(diagnostic.file, sourceFileName))
            continue;
        const bool shifted = textHasByteOrderMark && diagnostic.line == 1 && diagnostic.column > 0;
        places.append({diagnostic.line, diagnostic.column + (shifted ? 1 : 0), diagnostic.message});
    }
    std::stable_sort(places.begin(), places.end(), [](const ErrorPlace &a, const ErrorPlace &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return places;
}
