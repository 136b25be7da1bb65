#include "buildrun/JavacArchive.h"

#include "jdklaunch/JdkLaunch.h"
#include "platform/TextFiles.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr int kFirstWithArchiveAtExit = 13; // -XX:ArchiveClassesAtExit
constexpr int kFirstWithAutoArchive = 19;   // -XX:+AutoCreateSharedArchive
constexpr int kFirstWithUtf8Default = 18;   // file.encoding is UTF-8 unless told COMPAT
constexpr int kFirstWithServer = 9;         // the warm compiler's JVM options (-Xlog, ...)

QByteArray shortHash(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
}

// javac-<the JDK's folder>-<its build>.jsa: an update of the JDK in its folder (a new release
// file, a new lib/modules) gets a new archive.
QString archiveName(const QString &home, QString *prefix) {
    const QFileInfo modules(home + QStringLiteral("/lib/modules"));
    const QByteArray build = fileBytes(home + QStringLiteral("/release")) + '\n' +
                             QByteArray::number(modules.size()) + '\n' +
                             QByteArray::number(modules.lastModified().toMSecsSinceEpoch());
    *prefix =
        QStringLiteral("javac-") + QString::fromLatin1(shortHash(home.toUtf8())) + QLatin1Char('-');
    return *prefix + QString::fromLatin1(shortHash(build)) + QStringLiteral(".jsa");
}

// The JVM makes its archives read-only; Windows removes no read-only file. A link is removed as
// a link: what it points to is none of the cache's (QFile::setPermissions would follow it).
bool removeFile(const QString &path) {
    if (!QFileInfo(path).isSymLink())
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return QFile::remove(path);
}

// A maker's files (ARCHIVE.<pid>.new and its .d folder) untouched this long: its maker died
// (one at work writes them within a minute).
constexpr qint64 kDeadMakerSeconds = 10 * 60;

bool leftByADeadMaker(const QFileInfo &entry) {
    const QString file = entry.fileName();
    return (file.endsWith(QLatin1String(".new")) || file.endsWith(QLatin1String(".new.d"))) &&
           entry.lastModified().secsTo(QDateTime::currentDateTime()) > kDeadMakerSeconds;
}

// The archives of this JDK's earlier builds (an update), with what their makers left, and what
// makers of this build that died left.
void removeOthers(const QDir &cache, const QString &prefix, const QString &name) {
    for (const QFileInfo &entry : cache.entryInfoList(
             {prefix + QLatin1Char('*')}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System)) {
        if (!name.isEmpty() && entry.fileName().startsWith(name) && !leftByADeadMaker(entry))
            continue; // this build's, or a maker's at work on it
        // Never through a link into a folder that is not the cache's.
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            removeFile(entry.filePath());
    }
}

// Beside each JDK's archives, javac-<the JDK's folder>.home names that folder. The archives of
// a JDK whose folder is gone (an update on Windows installs into a new folder) go with it.
void removeArchivesOfGoneJdks(const QDir &cache) {
    for (const QFileInfo &home : cache.entryInfoList({QStringLiteral("javac-*.home")},
                                                     QDir::Files | QDir::Hidden | QDir::System)) {
        if (!home.isSymLink() && QFileInfo::exists(QString::fromUtf8(fileBytes(home.filePath()))))
            continue;
        removeOthers(cache, home.completeBaseName() + QLatin1Char('-'), QString());
        removeFile(home.filePath());
    }
}

// An archive is used only when it is as it was when it was found sound (its size and its
// checksum): a cut or damaged one would crash every javac.
bool isWhole(const QString &archive) {
    const QByteArray record =
        fileBytes(archive + QLatin1String(jdklaunch::kArchiveSizeSuffix)).trimmed();
    const QFileInfo entry(archive);
    if (record.isEmpty() || entry.size() != record.left(record.indexOf(' ')).toLongLong())
        return false;
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return record.toStdString() ==
           jdklaunch::archiveRecord(bytes.constData(), size_t(bytes.size()));
}
} // namespace

QString jdkCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

static QString jdkHome(const Jdk &jdk) {
    return QFileInfo(QFileInfo(jdk.bin).absolutePath()).canonicalFilePath();
}

QString javacServerName(const Jdk &jdk, const QString &runtimeFolder) {
    if (jdk.version < kFirstWithServer || !jdk.hotSpot || runtimeFolder.isEmpty())
        return QString();
    QString prefix;
    return QDir(runtimeFolder).filePath(archiveName(jdkHome(jdk), &prefix).chopped(4));
}

JdkLaunch jdkLaunchFor(const Jdk &jdk, const QString &cacheFolder, bool codePageIsUtf8) {
    JdkLaunch launch;
    if (jdk.version >= kFirstWithUtf8Default && !codePageIsUtf8)
        launch.fileEncoding = QStringLiteral("COMPAT");
    if (jdk.version == 0 || !jdk.hotSpot)
        return launch; // a JDK that does not say what it is starts as it is
    launch.javacStart = QStringLiteral("fast");
    if (jdk.version < kFirstWithArchiveAtExit || cacheFolder.isEmpty() ||
        !QDir().mkpath(cacheFolder) || !QFileInfo(cacheFolder).isWritable())
        return launch;
    const QDir cache(cacheFolder);
    const QString home = jdkHome(jdk);
    QString prefix;
    const QString name = archiveName(home, &prefix);
    removeOthers(cache, prefix, name);
    removeArchivesOfGoneJdks(cache);
    const QString homeRecord = cache.filePath(prefix.chopped(1) + QStringLiteral(".home"));
    if (QString::fromUtf8(fileBytes(homeRecord)) != home)
        platform::replaceEntry(homeRecord, home.toUtf8());
    const QString archive = QDir::toNativeSeparators(cache.filePath(name));
    QFileInfo existing(archive);
    if (existing.isSymLink()) { // no archive of the program's: the link goes, a new one is made
        removeFile(archive);
        existing.refresh();
    }
    launch.javacArchive = archive;
    const bool autoArchive = jdk.version >= kFirstWithAutoArchive;
    if (existing.exists() && existing.isFile() && existing.isReadable() && isWhole(archive)) {
        // The JVM of JDK 19+ checks and mends an archive it may write; one it may not write
        // (the JVM of JDK 13-18 makes its archives read-only) it only reads.
        launch.javacStart =
            autoArchive && existing.isWritable() ? QStringLiteral("auto") : QStringLiteral("use");
    } else if (!existing.exists() || removeFile(archive)) {
        launch.javacStart = autoArchive ? QStringLiteral("make-auto") : QStringLiteral("make");
    } else {
        launch.javacArchive.clear(); // an archive that is not whole and stays: none
    }
    return launch;
}
