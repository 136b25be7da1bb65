#include "buildrun/Build.h"

#include "buildrun/CreateNewDirectory.h"
#include "platform/FileAttributes.h"
#include "platform/OwnedText.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"

#include <QFile>

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
static void writeNewFile(const QString &hostPath, const QStringList &lines, bool hidden) {
    platform::setFileNormal(hostPath);
    platform::writeLines(hostPath, lines);
    if (hidden)
        platform::setFileHidden(hostPath);
}

void Build::removeClassFiles() const {
    for (const QString &name : m_classFileNames)
        deleteFile(hostWorkFile(name + QStringLiteral(".class")));
}

void Build::writeFiles() {
    const BuildRequest &r = m_request;
    createFoldersAlong(workFolder(r.javaPath) + QLatin1Char('\\'));
    // Class files of an earlier build (kept by 保留Class文件) would run in place of a text that
    // no longer compiles, and look like its result.
    removeClassFiles();
    if (m_plainName) {
        writeNewFile(hostWorkFile(r.className + QStringLiteral(".java")), {r.source}, true);
        if (r.compileType == 1)
            writeNewFile(hostWorkFile(r.className + QStringLiteral(".HTML")),
                         appletPageLines(r.className, r.appletHeight, r.appletWidth), false);
    }
    writeNewFile(hostWorkFile(kBuildScriptName),
                 buildScriptLines(r.javaPath, r.className, r.compileType), true);
}

RunOutcome Build::run(qint32 windowStyle) const {
    return runInConsole(scriptPath(), windowStyle);
}

void Build::cleanUp(bool keepClassFiles) const {
    if (!keepClassFiles)
        removeClassFiles();
    if (!m_plainName)
        return;
    for (const QString &extension : {QStringLiteral(".java"), QStringLiteral(".HTML")}) {
        const QString file = hostWorkFile(m_request.className + extension);
        platform::setFileNormal(file);
        deleteFile(file);
    }
}
