#include "ui/MainModule.h"

#include "ui/SettingsFormat.h"
#include "buildrun/RunAndWait.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QFile>

QString MainModule::JavaPath;
qint16 MainModule::ClassExist = 0;
qint16 MainModule::CompileType = 0;
qint16 MainModule::AppletHeight = 0;
qint16 MainModule::AppletWidth = 0;
QRgb MainModule::ThemeColor = 0;

static QString &programFolderOverride() {
    static QString folder;
    return folder;
}

QString MainModule::programFolder() {
    const QString &folder = programFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void MainModule::setProgramFolder(const QString &hostFolder) {
    programFolderOverride() = hostFolder;
}

QString MainModule::settingsFilePath() {
    const QString folder = programFolder();
    const bool endsInSeparator = folder.endsWith(QLatin1Char('/')) || folder.endsWith('\\');
    return folder + (endsInSeparator ? QString() : QStringLiteral("/")) +
           QStringLiteral("Setting.ini");
}

void MainModule::LoadSettings() {
    QFile file(settingsFilePath());
    SettingsRead read;
    if (file.open(QIODevice::ReadOnly))
        read = parseSettings(file);
    else
        read.failed = true;
    file.close();
    if (read.failed) {
        JavaPath = kDefaultJavaPath;
        ClassExist = kDefaultClassExist;
        SaveSettings(kDefaultJavaPath, kDefaultClassExist);
        return;
    }
    if (read.javaPath)
        JavaPath = *read.javaPath;
    if (read.classExist)
        ClassExist = *read.classExist;
}

void MainModule::SaveSettings(QString javaPath, qint16 classExist) {
    platform::writeLines(settingsFilePath(), settingsLines(javaPath, classExist));
}

bool MainModule::RunAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs) {
    return runAndWait(command, windowStyle, timeoutMs);
}

void MainModule::resetToProcessStart() {
    JavaPath.clear();
    ClassExist = 0;
    CompileType = 0;
    AppletHeight = 0;
    AppletWidth = 0;
    ThemeColor = 0;
}
