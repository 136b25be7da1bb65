#include "buildrun/BuildFiles.h"

#include "platform/PathMapping.h"
#include "platform/SingleLineText.h"

#include <QRegularExpression>

QString workFolder(const QString &javaPath) {
    return javaPath + QStringLiteral("\\ClassFiles");
}

QString workFile(const QString &javaPath, const QString &fileName) {
    return workFolder(javaPath) + QLatin1Char('\\') + fileName;
}

// A path or name as one argument of a script line: quoted when it holds a character with which
// the command interpreter would end the command and start another (a folder "a&b" would run
// "b"); everything else stays as it always was written.
static QString scriptArgument(QString text) {
    text.replace(QLatin1Char('%'), QLatin1String("%%"));
    for (const QChar c : text) {
        if (QStringLiteral("&|<>^").contains(c))
            return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString packageFolder(const QString &packageName) {
    return QString(packageName).replace(QLatin1Char('.'), QLatin1Char('\\'));
}

// The class by the name java runs it under: with its package in front.
static QString fullClassName(const QString &className, const QString &packageName) {
    return packageName.isEmpty() ? className : packageName + QLatin1Char('.') + className;
}

QStringList buildScriptLines(const QString &givenJavaPath, const QString &givenClassName,
                             qint16 compileType, const QString &packageName) {
    // A line break in a value would start a command of its own, and a NUL in the name would
    // cut it short.
    const QString javaPath = firstLine(givenJavaPath);
    const QString className = oneLineText(givenClassName);
    QStringList lines{
        QStringLiteral("@echo off"),
        platform::driveLetter(javaPath).isNull() ? QString() : javaPath.left(2),
        QStringLiteral("cd ") + scriptArgument(workFolder(javaPath)),
        QStringLiteral("echo ------------编译中...------------"),
        QStringLiteral("javac ") + (packageName.isEmpty() ? QString() : QStringLiteral("-d . ")) +
            scriptArgument(className + QStringLiteral(".java")),
        QStringLiteral("echo ----------编译+运行完成----------"),
    };
    if (compileType == 0)
        lines << QStringLiteral("java ") + scriptArgument(fullClassName(className, packageName));
    else if (compileType == 1)
        lines << QStringLiteral("appletviewer ") +
                     scriptArgument(className + QStringLiteral(".HTML"));
    lines << QStringLiteral("pause");
    return lines;
}

QString sourceCopyNameInScript(const QStringList &lines) {
    for (const QString &line : lines) {
        if (!line.startsWith(QStringLiteral("javac ")))
            continue;
        QString name = line.mid(6);
        if (name.startsWith(QStringLiteral("-d . ")))
            name = name.mid(5);
        if (!name.endsWith(QStringLiteral(".java")))
            return QString();
        name.chop(5);
        return name.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return QString();
}

QStringList appletPageLines(const QString &className, qint16 height, qint16 width,
                            const QString &packageName) {
    const QString applet = QStringLiteral("<applet code=\"") +
                           fullClassName(oneLineText(className), packageName) +
                           QStringLiteral(".class\" height=") + QString::number(height) +
                           QStringLiteral(" width=") + QString::number(width) + QStringLiteral(">");
    return {QStringLiteral("<html>"), applet, QStringLiteral("</applet>"),
            QStringLiteral("</html>")};
}

// Invisible characters that change how a text is shown: direction marks and overrides,
// zero-width spaces and joiners, the byte-order mark.
static bool isControlOrFormat(QChar c) {
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
}

static bool isDeviceName(const QString &name) {
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    // Windows takes "con.txt" for the console too.
    return device.match(name.section(QLatin1Char('.'), 0, 0)).hasMatch();
}

bool isValidClassName(const QString &name) {
    if (name.isEmpty())
        return true;
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        name.size() > kMaxFileNameLength)
        return false;
    for (const QChar c : name) {
        if (isControlOrFormat(c) || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return false;
    return !isDeviceName(name);
}

bool isValidWorkingFolder(const QString &javaPath) {
    for (qsizetype i = 0; i < javaPath.size(); ++i) {
        const QChar c = javaPath.at(i);
        if (isControlOrFormat(c) || QStringLiteral("*?\"<>|").contains(c))
            return false;
        if (c == QLatin1Char(':') && !(i == 1 && !platform::driveLetter(javaPath).isNull()))
            return false;
    }
    return true;
}
