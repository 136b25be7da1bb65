#include "buildrun/JdkSearch.h"

#include "jdklaunch/JdkLaunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

QString binOf(const QString &home) {
    return QDir::cleanPath(home + QStringLiteral("/bin"));
}

bool isProgram(const QString &path) {
    const QFileInfo file(path);
    return file.isFile() && file.isExecutable();
}

// bin/javac and bin/java, both programs.
bool holdsJdkTools(const QString &bin) {
    return isProgram(bin + QLatin1Char('/') + jdkToolFileName(QStringLiteral("javac"))) &&
           isProgram(bin + QLatin1Char('/') + jdkToolFileName(QStringLiteral("java")));
}

// A value of the JDK's release file (KEY="value"); empty when it has none.
QString releaseValue(const QByteArray &release, const char *key) {
    const QRegularExpression line(QStringLiteral("^%1=\"?([^\"\\r\\n]*)").arg(QLatin1String(key)),
                                  QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(release)).captured(1);
}
} // namespace

QList<int> versionInName(const QString &name) {
    QList<int> numbers;
    static const QRegularExpression number(QStringLiteral("\\d+"));
    for (auto it = number.globalMatch(name); it.hasNext();)
        numbers << it.next().captured().toInt();
    if (numbers.size() > 1 && numbers.first() == 1)
        numbers.removeFirst(); // 1.8 is 8
    return numbers;
}

bool isJdkHome(const QString &folder) {
    if (folder.isEmpty() || !holdsJdkTools(binOf(folder)))
        return false;
    const QDir home(folder);
    return QFileInfo(home.filePath(QStringLiteral("release"))).isFile() ||
           QFileInfo(home.filePath(QStringLiteral("lib/modules"))).isFile();
}

QString findJdkBin(const JdkPlaces &places) {
    QStringList homes;
    if (!places.javaHome.isEmpty())
        homes << QFileInfo(places.javaHome).absoluteFilePath(); // the program's current folder
    homes << places.installerHomes << places.preferredHomes;
    for (const QString &home : homes) {
        if (isJdkHome(home))
            return QDir::toNativeSeparators(binOf(home));
    }
    // The newest JDK in the folders.
    QStringList found;
    for (const QString &folder : places.folders) {
        for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (isJdkHome(entry.filePath()))
                found << entry.filePath();
    }
    if (found.isEmpty())
        return QString();
    const auto newest =
        std::max_element(found.cbegin(), found.cend(), [](const QString &a, const QString &b) {
            return versionInName(QFileInfo(a).fileName()) < versionInName(QFileInfo(b).fileName());
        });
    return QDir::toNativeSeparators(binOf(*newest));
}

Jdk jdkOfBin(const QString &bin) {
    Jdk jdk;
    jdk.bin = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(bin).absoluteFilePath()));
    QFile file(QFileInfo(bin).absolutePath() + QStringLiteral("/release"));
    if (!file.open(QIODevice::ReadOnly))
        return jdk;
    const QByteArray release = file.read(64 * 1024);
    const QList<int> version = versionInName(releaseValue(release, "JAVA_VERSION"));
    jdk.version = version.isEmpty() ? 0 : version.first();
    jdk.hotSpot = releaseValue(release, "JVM_VARIANT")
                      .compare(QStringLiteral("OpenJ9"), Qt::CaseInsensitive) != 0;
    return jdk;
}

std::optional<Jdk> chooseJdk(const QProcessEnvironment &environment, const JdkPlaces &places,
                             const QString &launcherFolder) {
    const QString launchers = QFileInfo(launcherFolder).canonicalFilePath();
    const QStringList path =
        environment.value(QStringLiteral("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &folder : path) {
        const QFileInfo javac(QDir(folder).filePath(jdkToolFileName(QStringLiteral("javac"))));
        if (!isProgram(javac.filePath()) ||
            (!launchers.isEmpty() && QFileInfo(folder).canonicalFilePath() == launchers))
            continue;
        // Through links (/usr/bin/javac is one) to the JDK's own bin, where java lies too.
        const QString bin = QFileInfo(javac.canonicalFilePath()).path();
        if (holdsJdkTools(bin) && QFileInfo(bin).canonicalFilePath() != launchers)
            return jdkOfBin(bin);
    }
    const QString found = findJdkBin(places);
    if (found.isEmpty())
        return std::nullopt;
    return jdkOfBin(found);
}

QString jdkLauncherFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/jdk-launchers"));
}

QString appletViewerFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/applet-viewer"));
}

QProcessEnvironment buildEnvironment(QProcessEnvironment environment, const Jdk &jdk,
                                     const JdkLaunch &launch, const QString &sourceEncoding,
                                     const QString &launcherFolder, const QString &viewerFolder) {
    QStringList path{launcherFolder, jdk.bin, environment.value(QStringLiteral("PATH")),
                     viewerFolder};
    path.removeAll(QString());
    environment.insert(QStringLiteral("PATH"), path.join(QDir::listSeparator()));
    const std::pair<const char *, QString> told[] = {
        {jdklaunch::kJdkBinVariable, jdk.bin},
        {jdklaunch::kJavacStartVariable, launch.javacStart},
        {jdklaunch::kJavacArchiveVariable, launch.javacArchive},
        {jdklaunch::kFileEncodingVariable, launch.fileEncoding},
        {jdklaunch::kJavacNoteVariable, launch.javacNote},
        {jdklaunch::kJavacOutputVariable, QDir::toNativeSeparators(launch.javacOutput)},
        {jdklaunch::kJavacEncodingVariable, sourceEncoding},
        {jdklaunch::kJavacServerVariable, QDir::toNativeSeparators(launch.javacServer)},
    };
    for (const auto &[name, value] : told) {
        if (value.isEmpty())
            environment.remove(QLatin1String(name));
        else
            environment.insert(QLatin1String(name), value);
    }
    return environment;
}
