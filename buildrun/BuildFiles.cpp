#include "buildrun/BuildFiles.h"

QString workFolder(const QString &javaPath) {
    return javaPath + QStringLiteral("\\ClassFiles");
}

QString workFile(const QString &javaPath, const QString &fileName) {
    return workFolder(javaPath) + QLatin1Char('\\') + fileName;
}

QStringList buildScriptLines(const QString &javaPath, const QString &className,
                             qint16 compileType) {
    QStringList lines{
        QStringLiteral("@echo off"),
        javaPath.left(2),
        QStringLiteral("cd ") + workFolder(javaPath),
        QStringLiteral("echo ------------编译中...------------"),
        QStringLiteral("javac ") + className + QStringLiteral(".java"),
        QStringLiteral("echo ----------编译+运行完成----------"),
    };
    if (compileType == 0)
        lines << QStringLiteral("java ") + className;
    else if (compileType == 1)
        lines << QStringLiteral("appletviewer ") + className + QStringLiteral(".HTML");
    lines << QStringLiteral("pause");
    return lines;
}

QStringList appletPageLines(const QString &className, qint16 height, qint16 width) {
    const QString applet = QStringLiteral("<applet code=\"") + className +
                           QStringLiteral(".class\" height=") + QString::number(height) +
                           QStringLiteral(" width=") + QString::number(width) + QStringLiteral(">");
    return {QStringLiteral("<html>"), applet, QStringLiteral("</applet>"),
            QStringLiteral("</html>")};
}

bool isPlainFileName(const QString &name) {
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/'));
}
