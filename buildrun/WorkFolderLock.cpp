#include "buildrun/WorkFolderLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

// A folder of this user's alone, so that nobody else can hold or block the lock.
static QString lockFolder() {
#ifdef Q_OS_WIN
    return QDir::tempPath();
#else
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

std::unique_ptr<QLockFile> lockWorkFolder(const QString &hostWorkFolder) {
    QString folder = QDir::cleanPath(QDir(hostWorkFolder).absolutePath());
#ifdef Q_OS_WIN
    folder = folder.toLower(); // one folder, however its name is written
#endif
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1);
    const QString name =
        QStringLiteral("tarneljava-build-%1.lock").arg(QString::fromLatin1(hash.toHex()));
    auto lock = std::make_unique<QLockFile>(QDir(lockFolder()).filePath(name));
    lock->setStaleLockTime(0); // held as long as its process lives, however long a build runs
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock; // also when no lock can be made at all: that stops no build

}
