#include "buildrun/JdkSearch.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <utility>

namespace {
// Each installer's key and the value that holds a JDK's folder below its version's key.
const std::pair<const char *, const char *> kInstallers[] = {
    {"JavaSoft\\JDK", "JavaHome"},
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
        for (const QString &root : registryRoots) {
            // One subkey per version or product, with the folder in a value of it (or of one
            // of its subkeys); the newest version first, by its numbers ("9" before "17").
            QSettings registry(root + QLatin1Char('\\') + QLatin1String(key),
                               QSettings::NativeFormat);
            QStringList versions = registry.childGroups();
            std::stable_sort(versions.begin(), versions.end(),
                             [](const QString &a, const QString &b) {
                                 return versionInName(a) > versionInName(b);
                             });
            for (const QString &version : versions) {
                const QString home =
                    registry.value(version + QLatin1Char('/') + QLatin1String(value)).toString();
                if (!home.isEmpty())
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
    const QString programs =
        qEnvironmentVariable("ProgramFiles", QStringLiteral("C:\\Program Files"));
    for (const char *vendor :
         {"Java", "Eclipse Adoptium", "Microsoft", "Zulu", "Amazon Corretto", "BellSoft"})
        places.folders << QDir(programs).filePath(QLatin1String(vendor));
    return places;
}
