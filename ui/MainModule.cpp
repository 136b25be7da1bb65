#include "ui/MainModule.h"

#include "buildrun/RunAndWait.h"
#include "platform/TextFiles.h"
#include "ui/SettingsFormat.h"

#include <QCoreApplication>

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
    // A missing or unreadable file, and anything but a small regular file (a FIFO, a device,
    // a link to one), take the failure path.
    const auto text = platform::readWholeText(settingsFilePath(), kMaxSettingsBytes);
    SettingsRead read;
    if (text)
        read = parseSettingsText(*text);
    else
        read.failed = true;
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
    // A new file renamed over the entry: a link or FIFO there is replaced, never written through.
    platform::writeLines(settingsFilePath(), settingsLines(javaPath, classExist));
}

bool MainModule::RunAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs) {
    // The wait follows events, not single waits of a time-out.
    Q_UNUSED(timeoutMs);
    return runInConsole(command, windowStyle, QProcessEnvironment::systemEnvironment()) ==
           RunOutcome::Ended;
}

void MainModule::resetToProcessStart() {
    JavaPath.clear();
    ClassExist = 0;
    CompileType = 0;
    AppletHeight = 0;
    AppletWidth = 0;
    ThemeColor = 0;
}
