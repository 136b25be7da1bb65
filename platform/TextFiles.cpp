#include "platform/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace platform {

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
    for (int attempt = 0; attempt < 16 && !file.isOpen(); ++attempt) {
        file.setFileName(entry.absolutePath() + QStringLiteral("/.") + entry.fileName() +
                         QStringLiteral(".%1.new").arg(QRandomGenerator::system()->generate(), 8,
                                                       16, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
            file.error() != QFileDevice::OpenError)
            break;
    }
    if (!file.isOpen())
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
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
