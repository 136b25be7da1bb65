#include "settings/SettingsPlace.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

SettingsPlace settingsPlace(const QString &programFolder, const QString &userFolder,
                            bool programFolderTakesSettings, bool userFileExists) {
    const QString besideProgram = settingsFileIn(programFolder);
    if (programFolderTakesSettings)
        return {besideProgram, besideProgram};
    const QString usersOwn = settingsFileIn(userFolder);
    return {userFileExists ? usersOwn : besideProgram, usersOwn};
}

bool folderTakesSettings(const QString &folder) {
    if (QFileInfo::exists(folder + QLatin1Char('/') + kUserSettingsMarker))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.Setting.ini.XXXXXX"));
    return probe.open();
}

QString userSettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/TarnelJava");
}

QString settingsFileIn(const QString &folder) {
    const bool endsInSeparator = folder.endsWith(QLatin1Char('/')) || folder.endsWith('\\');
    return folder + (endsInSeparator ? QString() : QStringLiteral("/")) +
           QStringLiteral("Setting.ini");
}
