#include "buildrun/JdkSearch.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <utility>

namespace {
// Each installer's key and the value that holds a JDK's folder below its version's key.
const std::pair<const char *, const char *> kInstallers[] = {
    {"JavaSoft\\JDK", "JavaHome"},
    {"AdoptOpenJDK\\JDK", "hotspot/MSI/Path"},
    {"JavaSoft\\Java Development Kit", "JavaHome"},
    {"Eclipse Adoptium\\JDK", "hotspot/MSI/Path"},
    {"Microsoft\\JDK", "hotspot/MSI/Path"},
    {"Azul Systems\\Zulu", "InstallationPath"},
    {"Amazon Corretto", "InstallationPath"},
    {"BellSoft\\Liberica", "InstallationPath"},
};
} // namespace

QStringList installerJdkHomes(const QStringList &registryRoots) {
    QStringList homes;
    for (const auto &[key, value] : kInstallers) {
        // A 32-bit JDK's installer writes into the 32-bit view (WOW6432Node).
        for (const auto view : {QSettings::Registry64Format, QSettings::Registry32Format})
            for (const QString &root : registryRoots) {
                // One subkey per version or product, with the folder in a value of it (or of one
                // of its subkeys); the newest version first, by its numbers ("9" before "17").
                QSettings registry(root + QLatin1Char('\\') + QLatin1String(key), view);
                QStringList versions = registry.childGroups();
                std::stable_sort(versions.begin(), versions.end(),
                                 [](const QString &a, const QString &b) {
                                     return versionInName(a) > versionInName(b);
                                 });
                for (const QString &version : versions) {
                    const QString home =
                        registry.value(version + QLatin1Char('/') + QLatin1String(value))
                            .toString();
                    if (!home.isEmpty() && !homes.contains(home))
                        homes << home;
                }
            }
    }
    return homes;
}

JdkPlaces systemJdkPlaces() {
    JdkPlaces places;
    places.javaHome = qEnvironmentVariable("JAVA_HOME");
    places.installerHomes = installerJdkHomes({QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE"),
                                               QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE")});
    // The 64-bit programs' folder, then the 32-bit one's.
    const QString programFolders[] = {
        qEnvironmentVariable("ProgramFiles", QStringLiteral("C:\\Program Files")),
        qEnvironmentVariable("ProgramFiles(x86)", QStringLiteral("C:\\Program Files (x86)"))};
    for (const QString &programs : programFolders)
        for (const char *vendor : {"Java", "Eclipse Adoptium", "AdoptOpenJDK", "Microsoft", "Zulu",
                                   "Amazon Corretto", "BellSoft"})
            places.folders << QDir(programs).filePath(QLatin1String(vendor));
    return places;
}

QString jdkToolFileName(const QString &tool) {
    return tool + QStringLiteral(".exe");
}

QString jdkInstallAdvice() {
    return QStringLiteral("请安装 JDK（只有 JRE 不能编译），例如 Eclipse Temurin（adoptium.net）"
                          "或 Oracle JDK；或者把环境变量 JAVA_HOME 设为 JDK 所在的文件夹。");
}
