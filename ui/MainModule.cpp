#include "ui/MainModule.h"

#include "platform/TextFiles.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsPlace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

static QString &userFolderOverride() {
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

QString MainModule::userFolder() {
    const QString &folder = userFolderOverride();
    return folder.isEmpty() ? userSettingsFolder() : folder;
}

void MainModule::setUserFolder(const QString &hostFolder) {
    userFolderOverride() = hostFolder;
}

static SettingsPlace currentSettingsPlace() {
    const QString program = MainModule::programFolder();
    const QString user = MainModule::userFolder();
    return settingsPlace(program, user, folderTakesSettings(program),
                         QFileInfo::exists(settingsFileIn(user)));
}

// A new file renamed over the entry: a link or FIFO there is replaced, never written through.
// Whether the file was written.
static bool writeSettings(const QString &file, const QString &javaPath, qint16 classExist) {
    QDir().mkpath(QFileInfo(file).path()); // the user's folder, the first time
    return platform::writeLines(file, settingsLines(javaPath, classExist));
}

void MainModule::LoadSettings() {
    // A missing or unreadable file, and anything but a small regular file (a FIFO, a device,
    // a link to one), take the failure path.
    const SettingsPlace place = currentSettingsPlace();
    const auto text = platform::readWholeText(place.readFrom, kMaxSettingsBytes);
    SettingsRead read;
    if (text)
        read = parseSettingsText(*text);
    else
        read.failed = true;
    if (read.failed) {
        JavaPath = kDefaultJavaPath;
        ClassExist = kDefaultClassExist;
        // Written when it can be; the defaults hold either way, without a word.
        (void)writeSettings(place.writeTo, kDefaultJavaPath, kDefaultClassExist);
        return;
    }
    if (read.javaPath)
        JavaPath = *read.javaPath;
    if (read.classExist)
        ClassExist = *read.classExist;
}

bool MainModule::SaveSettings(QString javaPath, qint16 classExist) {
    return writeSettings(currentSettingsPlace().writeTo, javaPath, classExist);
}

void MainModule::resetToProcessStart() {
    JavaPath.clear();
    ClassExist = 0;
    CompileType = 0;
    AppletHeight = 0;
    AppletWidth = 0;
    ThemeColor = 0;
}
