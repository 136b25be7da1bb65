#include "platform/TextFiles.h"

#include "platform/TestSeams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStorageInfo>

namespace platform {

namespace {
qint64 g_bytesUntilFull = -1;
bool g_refuseNewFiles = false;

const QString kFullDisk = QStringLiteral("磁盘空间不足，或超出了磁盘配额。");

// Writes all the bytes and flushes them; false when the file system took not all of them.
bool writeAll(QFileDevice &file, const QByteArray &bytes) {
    if (g_bytesUntilFull >= 0) {
        const qint64 taken = qMin(g_bytesUntilFull, qint64(bytes.size()));
        g_bytesUntilFull -= taken;
        file.write(bytes.left(taken));
        file.flush();
        return taken == bytes.size();
    }
    return file.write(bytes) == bytes.size() && file.flush();
}

// Why a file could not be written, in the user's words; the system's own text where there are
// none for it.
QString reasonOf(const QFileDevice &file, const QString &path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    switch (file.error()) {
    case QFileDevice::NoError: // the test seam's full disk
    case QFileDevice::ResourceError:
        return kFullDisk;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        if (!folder.isDir())
            return QStringLiteral("文件夹“%1”不存在。")
                .arg(QDir::toNativeSeparators(folder.filePath()));
        if (!folder.isWritable() || (QFileInfo::exists(path) && !QFileInfo(path).isWritable()))
            return QStringLiteral("没有写入这里的权限。");
        break;
    default:
        break;
    }
    return QStringLiteral("写入文件时出错：") + file.errorString();
}

// Writes the file in place, never leaving it cut: not at all when the file system has no room
// for the new bytes, and with the old bytes put back when the write fails all the same.
Saved writeInPlace(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return {false, reasonOf(file, path)};
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, reasonOf(file, path)};
    const QStorageInfo storage(path);
    if (storage.isValid() && storage.bytesAvailable() >= 0 &&
        bytes.size() - old.size() > storage.bytesAvailable())
        return {false, kFullDisk};
    if (file.seek(0) && file.resize(0) && writeAll(file, bytes))
        return {true, QString()};
    const QString reason = reasonOf(file, path);
    // The old bytes fit where they were.
    file.seek(0);
    file.resize(0);
    file.write(old);
    file.flush();
    return {false, reason};
}
} // namespace

namespace testing {
void setWriteFaults(qint64 bytesUntilFull, bool refuseNewFiles) {
    g_bytesUntilFull = bytesUntilFull;
    g_refuseNewFiles = refuseNewFiles;
}
} // namespace testing

QByteArray toSystemCodePage(const QString &text) {
    return systemEncoder().encode(text);
}

QString fromSystemCodePage(const QByteArray &bytes) {
    return systemDecoder().decode(bytes);
}

QByteArray linesBytes(const QStringList &lines) {
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += toSystemCodePage(line) + "\r\n";
    return bytes;
}

bool replaceEntry(const QString &hostPath, const QByteArray &bytes) {
    const QFileInfo entry(hostPath);
    if (entry.isDir() && !entry.isSymLink())
        return false;
    // A name of its own beside the entry, made only if nothing stands there (no link followed).
    QFile file;
    for (int attempt = 0; attempt < 16 && !file.isOpen() && !g_refuseNewFiles; ++attempt) {
        file.setFileName(entry.absolutePath() + QStringLiteral("/.") + entry.fileName() +
                         QStringLiteral(".%1.new").arg(QRandomGenerator::system()->generate(), 8,
                                                       16, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
            file.error() != QFileDevice::OpenError)
            break;
    }
    if (!file.isOpen())
        return false;
    const bool written = writeAll(file, bytes);
    file.close();
    // The new file may be read as the file it replaces was.
    if (written && entry.isFile() && !entry.isSymLink())
        file.setPermissions(QFile::permissions(hostPath));
    if (written && renameOver(file.fileName(), hostPath))
        return true;
    file.remove();
    return false;
}

bool writeLines(const QString &hostPath, const QStringList &lines) {
    return replaceEntry(hostPath, linesBytes(lines));
}

Saved saveFile(const QString &hostPath, const QByteArray &bytes, InPlace inPlace) {
    const QFileInfo entry(hostPath);
    // A link is written through to the file it leads to, as editors do; anything but a
    // regular file there is no file to save into.
    const QString target = entry.isSymLink() ? entry.canonicalFilePath() : hostPath;
    if (target.isEmpty())
        return {false, QStringLiteral("这是一个链接，它指向的文件不存在。")};
    const QFileInfo file(target);
    if (file.exists() && !file.isFile())
        return {false, QStringLiteral("这个名字已经是一个文件夹或特殊文件，不是普通文件。")};
    // A new file beside the old one, renamed over it once written whole (with the old file's
    // mode): a write that fails (no space, a quota, an I/O error) leaves the old file as it was.
    QSaveFile saving(target);
    saving.setDirectWriteFallback(false);
    if (!g_refuseNewFiles && saving.open(QIODevice::WriteOnly)) {
        if (writeAll(saving, bytes) && saving.commit())
            return {true, QString()};
        const QString reason = reasonOf(saving, target);
        saving.cancelWriting();
        return {false, reason};
    }
    // In place only where the folder takes no new file, with the old bytes kept until the
    // new ones are written.
    if (inPlace != InPlace::WhereNoNewFile || !file.isFile())
        return {false, g_refuseNewFiles ? QStringLiteral("没有写入这里的权限。")
                                        : reasonOf(saving, target)};
    return writeInPlace(target, bytes);
}

std::optional<QByteArray> readWholeFile(const QString &hostPath, qint64 maxBytes) {
    // Only regular files: opening a FIFO would wait for a writer, a device may never end.
    const QFileInfo entry(hostPath);
    if (!entry.isFile() || entry.size() > maxBytes)
        return std::nullopt;
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes) {
    const auto bytes = readWholeFile(hostPath, maxBytes);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

} // namespace platform
