#include "buildrun/JdkSearch.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <functional>
#include <utility>

namespace {
// The installation folders that JDK installers write below one registry key: one subkey per
// version or product, with the folder in a value of it (or of one of its subkeys).
void installerHomes(const QString &key, const QString &value, QStringList &homes) {
    for (const QString &root : {QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\"),
                                QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\")}) {
        QSettings registry(root + key, QSettings::NativeFormat);
        QStringList versions = registry.childGroups();
        std::sort(versions.begin(), versions.end(), std::greater<QString>()); // newest first
        for (const QString &version : versions) {
            const QString home = registry.value(version + QLatin1Char('/') + value).toString();
            if (!home.isEmpty())
                homes << home;
        }
    }
}
} // namespace

JdkPlaces systemJdkPlaces() {
    JdkPlaces places;
    places.javaHome = qEnvironmentVariable("JAVA_HOME");
    // Each installer's key and the value that holds a JDK's folder below its version's key.
    const std::pair<const char *, const char *> installers[] = {
        {"JavaSoft\\JDK", "JavaHome"},
        {"JavaSoft\\Java Development Kit", "JavaHome"},
        {"Eclipse Adoptium\\JDK", "hotspot/MSI/Path"},
        {"Microsoft\\JDK", "hotspot/MSI/Path"},
        {"Azul Systems\\Zulu", "InstallationPath"},
        {"Amazon Corretto", "InstallationPath"},
        {"BellSoft\\Liberica", "InstallationPath"},
    };
    for (const auto &[key, value] : installers)
        installerHomes(QLatin1String(key), QLatin1String(value), places.installerHomes);
    const QString programs =
        qEnvironmentVariable("ProgramFiles", QStringLiteral("C:\\Program Files"));
    for (const char *vendor :
         {"Java", "Eclipse Adoptium", "Microsoft", "Zulu", "Amazon Corretto", "BellSoft"})
        places.folders << QDir(programs).filePath(QLatin1String(vendor));
    return places;
}
