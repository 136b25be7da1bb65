#include "buildrun/WorkFolderLock.h"

#include "platform/SystemFolders.h"

#include <QCryptographicHash>
#include <QDir>

std::unique_ptr<QLockFile> lockWorkFolder(const QString &hostWorkFolder) {
    const QString folder =
        platform::folderKey(QDir::cleanPath(QDir(hostWorkFolder).absolutePath()));
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1);
    const QString name =
        QStringLiteral("tarneljava-build-%1.lock").arg(QString::fromLatin1(hash.toHex()));
    auto lock = std::make_unique<QLockFile>(QDir(platform::privateRuntimeFolder()).filePath(name));
    lock->setStaleLockTime(0); // held as long as its process lives, however long a build runs
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock; // also when no lock can be made at all: that stops no build
}
