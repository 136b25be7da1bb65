#include "platform/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

bool replaceFile(const QString &hostPath, const QByteArray &bytes, InPlace inPlace) {
    QSaveFile file(hostPath);
    file.setDirectWriteFallback(inPlace == InPlace::WhereNoNewFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeLines(const QString &hostPath, const QStringList &lines) {
    QFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = linesBytes(lines);
    return file.write(bytes) == bytes.size() && file.flush();
}

bool replaceWithLines(const QString &hostPath, const QStringList &lines) {
    const QFileInfo entry(hostPath);
    if ((entry.exists() || entry.isSymLink()) && !entry.isFile())
        removeEntry(hostPath);
    return replaceFile(hostPath, linesBytes(lines), InPlace::Never);
}

void removeEntry(const QString &hostPath) {
    const QFileInfo entry(hostPath);
    if (!entry.isDir() || entry.isSymLink())
        QFile::remove(hostPath);
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
