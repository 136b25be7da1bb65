#include "buildrun/WorkFolderLock.h"

#include "platform/SystemFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

std::unique_ptr<QLockFile> lockWorkFolder(const QString &hostWorkFolder) {
    // The real folder: two spellings of one folder, or a link to it, share one lock.
    const QString canonical = QFileInfo(hostWorkFolder).canonicalFilePath();
    const QString folder = platform::folderKey(
        canonical.isEmpty() ? QDir::cleanPath(QDir(hostWorkFolder).absolutePath()) : canonical);
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1);
    const QString name =
        QStringLiteral("tarneljava-build-%1.lock").arg(QString::fromLatin1(hash.toHex()));
    auto lock = std::make_unique<QLockFile>(QDir(platform::privateRuntimeFolder()).filePath(name));
    lock->setStaleLockTime(0); // held as long as its process lives, however long a build runs
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock; // also when no lock can be made at all: that stops no build
}
