#include "buildrun/JdkSearch.h"

#include "platform/System.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace {
const QString kJavac = platform::kOnWindows ? QStringLiteral("javac.exe") : QStringLiteral("javac");

QString binOf(const QString &home) {
    return QDir::cleanPath(home + QStringLiteral("/bin"));
}

// True when the folder holds a JDK, not just a runtime: bin/javac (bin\javac.exe).
bool isJdkHome(const QString &folder) {
    return !folder.isEmpty() && QFileInfo(binOf(folder) + QLatin1Char('/') + kJavac).isFile();
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

QString findJdkBin(const JdkPlaces &places) {
    QStringList homes{places.javaHome};
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

bool javacOnPath(const QProcessEnvironment &environment) {
    const QStringList path =
        environment.value(QStringLiteral("PATH")).split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return !QStandardPaths::findExecutable(QStringLiteral("javac"), path).isEmpty();
}

QString appletViewerFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/applet-viewer"));
}

QProcessEnvironment buildEnvironment(QProcessEnvironment environment, const QString &jdkBin,
                                     const QString &sourceEncoding, const QString &viewerFolder) {
    QStringList path{environment.value(QStringLiteral("PATH"))};
    if (!jdkBin.isEmpty())
        path.prepend(jdkBin);
    if (!viewerFolder.isEmpty())
        path.append(viewerFolder);
    path.removeAll(QString());
    environment.insert(QStringLiteral("PATH"), path.join(QDir::listSeparator()));
    const QString options = environment.value(QStringLiteral("JDK_JAVAC_OPTIONS"));
    if (!options.contains(QStringLiteral("-encoding")))
        environment.insert(QStringLiteral("JDK_JAVAC_OPTIONS"),
                           (options.isEmpty() ? QString() : options + QLatin1Char(' ')) +
                               QStringLiteral("-encoding ") + sourceEncoding);
    return environment;
}
