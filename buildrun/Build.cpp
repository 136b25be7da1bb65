#include "buildrun/Build.h"

#include "buildrun/CreateNewDirectory.h"
#include "platform/FileAttributes.h"
#include "platform/OwnedText.h"
#include "platform/PathMapping.h"
#include "platform/SystemFolders.h"
#include "platform/TextFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// The clean-up's loop counts in 16 bits: at most this many class files.
constexpr int kMaxClassFiles = 32768;
} // namespace

Build::Build(BuildRequest request) : m_request(std::move(request)) {
    m_plainName = isValidClassName(m_request.className);
    // Decided once, before the run: the scanned names that name class files of the work folder.
    // The copies own their characters (a scanned name may point into the window's text).
    const QStringList &scanned = m_request.scannedNames;
    for (int i = 0; i < scanned.size() && i < kMaxClassFiles; ++i) {
        if (isValidClassName(scanned.at(i)))
            m_classFileNames << ownedCopy(scanned.at(i));
    }
}

QString Build::hostWorkFile(const QString &fileName) const {
    return platform::toHostPath(workFile(m_request.javaPath, fileName));
}

QString Build::scriptPath() const {
    return workFile(m_request.javaPath, kBuildScriptName);
}

static void deleteFile(const QString &hostPath) {
    QFile::remove(hostPath);
}

// A file made anew in place of whatever stood at the path (a file, a link), never written
// through a link.
static bool writeNewFile(const QString &hostPath, const QStringList &lines, bool hidden) {
    platform::setFileNormal(hostPath);
    if (!platform::writeLines(hostPath, lines))
        return false;
    if (hidden)
        platform::setFileHidden(hostPath);
    return true;
}

QString Build::hostClassFile(const QString &name) const {
    const QString folder = packageFolder(m_request.packageName);
    return hostWorkFile((folder.isEmpty() ? QString() : folder + QLatin1Char('\\')) + name +
                        QStringLiteral(".class"));
}

void Build::removeClassFiles() const {
    for (const QString &name : m_classFileNames)
        deleteFile(hostClassFile(name));
}

void Build::removeWhatAnEndedBuildLeft() const {
    // Its class files: those that were not there before it.
    QFile record(abandonedBuildRecord());
    if (record.open(QIODevice::ReadOnly)) {
        const QStringList before = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
        const QSet<QString> kept(before.cbegin(), before.cend());
        for (const QString &file : classFilesInWorkFolder())
            if (!kept.contains(file))
                deleteFile(file);
        record.close();
        record.remove();
    }
    constexpr qint64 kLongestScript = 64 * 1024;
    const auto script = platform::readWholeText(hostWorkFile(kBuildScriptName), kLongestScript);
    if (!script)
        return;
    const QString name = sourceCopyNameInScript(script->split(QStringLiteral("\r\n")));
    if (name.isEmpty() || !isValidClassName(name))
        return;
    for (const QString &extension : {QStringLiteral(".java"), QStringLiteral(".HTML")}) {
        const QString file = hostWorkFile(name + extension);
        platform::setFileNormal(file);
        deleteFile(file);
    }
}

QString Build::abandonedBuildRecord() const {
    const QString folder =
        QFileInfo(platform::toHostPath(workFolder(m_request.javaPath))).absoluteFilePath();
    const QByteArray key =
        QCryptographicHash::hash(platform::folderKey(folder).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/abandoned-build-") + QString::fromLatin1(key) + QStringLiteral(".txt");
}

void Build::abandon(bool keepClassFiles) const {
    QFile record(abandonedBuildRecord());
    record.remove();
    if (keepClassFiles)
        return;
    QDir().mkpath(QFileInfo(record).path());
    if (record.open(QIODevice::WriteOnly))
        record.write(QStringList(m_classFilesBefore.cbegin(), m_classFilesBefore.cend())
                         .join(QLatin1Char('\n'))
                         .toUtf8());
}

QSet<QString> Build::classFilesInWorkFolder() const {
    QSet<QString> found;
    QDirIterator files(platform::toHostPath(workFolder(m_request.javaPath)),
                       {QStringLiteral("*.class")}, QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        found.insert(files.next());
    return found;
}

QString Build::writeFiles() {
    const BuildRequest &r = m_request;
    createFoldersAlong(workFolder(r.javaPath) + QLatin1Char('\\'));
    removeWhatAnEndedBuildLeft();
    // Class files of an earlier build (kept by 保留Class文件) would run in place of a text that
    // no longer compiles, and look like its result.
    removeClassFiles();
    // The compiler makes the package's folders; the clean-up removes those it made, if empty.
    m_newPackageFolders.clear();
    QString folder;
    for (const QString &part : m_request.packageName.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        folder += (folder.isEmpty() ? QString() : QStringLiteral("\\")) + part;
        if (!QFileInfo::exists(hostWorkFile(folder)))
            m_newPackageFolders << folder;
    }
    m_classFilesBefore = classFilesInWorkFolder();
    // A file that cannot be written whole (held by another program, a write-protected stick)
    // must not leave an earlier build's file to be run in its place.
    if (m_plainName) {
        // The source copy is what javac reads: no byte-order mark (javac 17 stops at it).
        QString source = r.source;
        if (source.startsWith(QChar(0xFEFF)))
            source.remove(0, 1);
        const QString copy = r.className + QStringLiteral(".java");
        if (!writeNewFile(hostWorkFile(copy), {source}, true))
            return workFile(r.javaPath, copy);
        const QString page = r.className + QStringLiteral(".HTML");
        if (r.compileType == 1 &&
            !writeNewFile(
                hostWorkFile(page),
                appletPageLines(r.className, r.appletHeight, r.appletWidth, r.packageName), false))
            return workFile(r.javaPath, page);
    }
    if (!writeNewFile(hostWorkFile(kBuildScriptName),
                      buildScriptLines(r.javaPath, r.className, r.compileType, r.packageName),
                      true))
        return scriptPath();
    return QString();
}

ConsoleRun Build::run(qint32 windowStyle) const {
    return runInConsole(scriptPath(), windowStyle, m_request.environment);
}

void Build::cleanUp(bool keepClassFiles) const {
    if (!keepClassFiles) {
        removeClassFiles();
        for (const QString &file : classFilesInWorkFolder())
            if (!m_classFilesBefore.contains(file))
                deleteFile(file);
    }
    for (auto folder = m_newPackageFolders.crbegin(); folder != m_newPackageFolders.crend();
         ++folder)
        QDir().rmdir(hostWorkFile(*folder)); // only when empty
    if (!m_plainName)
        return;
    for (const QString &extension : {QStringLiteral(".java"), QStringLiteral(".HTML")}) {
        const QString file = hostWorkFile(m_request.className + extension);
        platform::setFileNormal(file);
        deleteFile(file);
    }
}
