#include "platform/PathMapping.h"
#include "platform/TestSeams.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QChar driveLetter(const QString &windowsPath) {
    if (windowsPath.size() >= 2 && windowsPath.at(1) == QLatin1Char(':')) {
        const QChar c = windowsPath.at(0);
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            return c.toUpper();
    }
    return QChar();
}

static QString joinBelow(const QString &base, QString rest) {
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    if (rest.isEmpty())
        return base;
    return base.endsWith(QLatin1Char('/')) ? base + rest : base + QLatin1Char('/') + rest;
}

QString linuxHostPath(const QString &windowsPath, const QString &homeFolder) {
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QChar drive = driveLetter(path);
    if (drive.isNull())
        return path; // "/..." stays below the root, anything else is relative
    const QString rest = path.mid(2);
    if (drive == QLatin1Char('Z'))
        return joinBelow(QStringLiteral("/"), rest);
    return joinBelow(homeFolder, rest);
}

QString linuxWindowsPath(const QString &hostPath, const QString &homeFolder) {
    QString home = homeFolder;
    while (home.size() > 1 && home.endsWith(QLatin1Char('/')))
        home.chop(1);
    QString drive;
    QString rest;
    if (hostPath == home || hostPath.startsWith(home + QLatin1Char('/'))) {
        drive = QStringLiteral("D:");
        rest = hostPath.mid(home.size());
    } else {
        drive = QStringLiteral("Z:");
        rest = hostPath;
    }
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    while (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return drive + QLatin1Char('\\') + rest;
}

QString &driveRootOverride() {
    static QString root;
    return root;
}

namespace testing {
void setDriveRoot(const QString &hostFolder) {
    driveRootOverride() = hostFolder;
}
} // namespace testing

QString existingHostFolder(const QString &windowsPath) {
    if (windowsPath.trimmed().isEmpty())
        return QString();
    const QString host = toHostPath(windowsPath);
    return QFileInfo(host).isDir() ? host : QString();
}

QString desktopFolder() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

} // namespace platform
