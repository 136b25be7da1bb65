#include "platform/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

namespace platform {

QByteArray toSystemCodePage(const QString &text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QString fromSystemCodePage(const QByteArray &bytes) {
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
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
    // The new file may be read by others as the file it replaces was (not the temporary
    // file's own owner-only access).
    const QFileDevice::Permissions permissions =
        entry.isFile() && !entry.isSymLink() ? QFile::permissions(hostPath)
                                             : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QTemporaryFile file(entry.absolutePath() + QStringLiteral("/.") + entry.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    file.close();
    file.setPermissions(permissions);
    if (!renameOver(file.fileName(), hostPath))
        return false;
    file.setAutoRemove(false); // it is the entry now
    return true;
}

bool writeLines(const QString &hostPath, const QStringList &lines) {
    return replaceEntry(hostPath, linesBytes(lines));
}

bool saveFile(const QString &hostPath, const QByteArray &bytes, InPlace inPlace) {
    const QFileInfo entry(hostPath);
    // A link is written through to the file it leads to, as editors do; anything but a
    // regular file there is no file to save into.
    const QString target = entry.isSymLink() ? entry.canonicalFilePath() : hostPath;
    if (target.isEmpty())
        return false; // a link to nothing
    const QFileInfo file(target);
    if (file.exists() && !file.isFile())
        return false;
    if (replaceEntry(target, bytes))
        return true;
    if (inPlace != InPlace::WhereNoNewFile || !file.isFile())
        return false;
    QFile inPlaceFile(target);
    if (!inPlaceFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return inPlaceFile.write(bytes) == bytes.size() && inPlaceFile.flush();
}

std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes) {
    // Only regular files: opening a FIFO would wait for a writer, a device may never end.
    const QFileInfo entry(hostPath);
    if (!entry.isFile() || entry.size() > maxBytes)
        return std::nullopt;
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeText(bytes);
}

} // namespace platform
