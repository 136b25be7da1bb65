#include "buildrun/BuildFiles.h"

#include "platform/SingleLineText.h"

QString workFolder(const QString &javaPath) {
    return javaPath + QStringLiteral("\\ClassFiles");
}

QString workFile(const QString &javaPath, const QString &fileName) {
    return workFolder(javaPath) + QLatin1Char('\\') + fileName;
}

// A path or name as one argument of a script line: quoted when it holds a character with which
// the command interpreter would end the command and start another (a folder "a&b" would run
// "b"); everything else stays as it always was written.
static QString scriptArgument(const QString &text) {
    for (const QChar c : text) {
        if (QStringLiteral("&|<>^").contains(c))
            return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QStringList buildScriptLines(const QString &givenJavaPath, const QString &givenClassName,
                             qint16 compileType) {
    // A line break in a value would start a command of its own, and a NUL in the name would
    // cut it short.
    const QString javaPath = firstLine(givenJavaPath);
    const QString className = commandText(givenClassName);
    QStringList lines{
        QStringLiteral("@echo off"),
        javaPath.left(2),
        QStringLiteral("cd ") + scriptArgument(workFolder(javaPath)),
        QStringLiteral("echo ------------编译中...------------"),
        QStringLiteral("javac ") + scriptArgument(className + QStringLiteral(".java")),
        QStringLiteral("echo ----------编译+运行完成----------"),
    };
    if (compileType == 0)
        lines << QStringLiteral("java ") + scriptArgument(className);
    else if (compileType == 1)
        lines << QStringLiteral("appletviewer ") +
                     scriptArgument(className + QStringLiteral(".HTML"));
    lines << QStringLiteral("pause");
    return lines;
}

QStringList appletPageLines(const QString &className, qint16 height, qint16 width) {
    const QString applet = QStringLiteral("<applet code=\"") + commandText(className) +
                           QStringLiteral(".class\" height=") + QString::number(height) +
                           QStringLiteral(" width=") + QString::number(width) + QStringLiteral(">");
    return {QStringLiteral("<html>"), applet, QStringLiteral("</applet>"),
            QStringLiteral("</html>")};
}

bool isPlainFileName(const QString &name) {
    if (name == QLatin1String(".") || name == QLatin1String("..") || hasControlCharacter(name))
        return false; // a NUL would cut the file name short
    if (name.size() > kMaxFileNameLength)
        return false;
    return !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/'));
}
