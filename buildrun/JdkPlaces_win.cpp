#include "buildrun/JdkSearch.h"

#include <QDir>
#include <QSettings>

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
    installerHomes(QStringLiteral("JavaSoft\\JDK"), QStringLiteral("JavaHome"),
                   places.installerHomes);
    installerHomes(QStringLiteral("JavaSoft\\Java Development Kit"), QStringLiteral("JavaHome"),
                   places.installerHomes);
    installerHomes(QStringLiteral("Eclipse Adoptium\\JDK"), QStringLiteral("hotspot/MSI/Path"),
                   places.installerHomes);
    installerHomes(QStringLiteral("Microsoft\\JDK"), QStringLiteral("hotspot/MSI/Path"),
                   places.installerHomes);
    installerHomes(QStringLiteral("Azul Systems\\Zulu"), QStringLiteral("InstallationPath"),
                   places.installerHomes);
    installerHomes(QStringLiteral("Amazon Corretto"), QStringLiteral("InstallationPath"),
                   places.installerHomes);
    installerHomes(QStringLiteral("BellSoft\\Liberica"), QStringLiteral("InstallationPath"),
                   places.installerHomes);
    const QString programs =
        qEnvironmentVariable("ProgramFiles", QStringLiteral("C:\\Program Files"));
    for (const char *vendor :
         {"Java", "Eclipse Adoptium", "Microsoft", "Zulu", "Amazon Corretto", "BellSoft"})
        places.folders << QDir(programs).filePath(QLatin1String(vendor));
    return places;
}
