#include "editor/JavacDiagnostics.h"

#include <QRegularExpression>

namespace {
const QRegularExpression &placedMessage() {
    static const QRegularExpression pattern(
        QStringLiteral("^(.+?\\.java):(\\d+): (error|warning|错误|警告): ?(.*)$"));
    return pattern;
}

// The line under the source line: its caret stands under the place (tabs kept as tabs).
bool isCaretLine(const QString &line) {
    const QString trimmed = line.trimmed();
    return trimmed == QLatin1String("^");
}

// A detail line of the message before it: javac indents them ("  symbol: …").
bool isDetailLine(const QString &line) {
    return line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'));
}
} // namespace

QList<JavacDiagnostic> readJavacDiagnostics(const QString &output) {
    QString text = output;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    QList<JavacDiagnostic> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = placedMessage().match(lines.at(i));
        if (!match.hasMatch())
            continue;
        JavacDiagnostic diagnostic;
        diagnostic.file = match.captured(1);
        diagnostic.line = match.captured(2).toInt();
        const QString kind = match.captured(3);
        diagnostic.error = kind == QLatin1String("error") || kind == QStringLiteral("错误");
        diagnostic.message = match.captured(4);
        if (diagnostic.line <= 0)
            continue;
        // The source line and the caret under it.
        qsizetype next = i + 1;
        if (next + 1 < lines.size() && isCaretLine(lines.at(next + 1))) {
            diagnostic.column = int(lines.at(next + 1).indexOf(QLatin1Char('^'))) + 1;
            next += 2;
        }
        for (; next < lines.size() && isDetailLine(lines.at(next)) &&
               !placedMessage().match(lines.at(next)).hasMatch();
             ++next)
            diagnostic.message += QLatin1Char('\n') + lines.at(next).trimmed();
        found << diagnostic;
        i = next - 1;
    }
    return found;
}

bool namesSourceFile(const QString &javacFile, const QString &sourceFileName) {
    const qsizetype separator =
        std::max(javacFile.lastIndexOf(QLatin1Char('/')), javacFile.lastIndexOf(QLatin1Char('\\')));
    return javacFile.mid(separator + 1).compare(sourceFileName, Qt::CaseInsensitive) == 0;
}
