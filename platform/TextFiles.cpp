#include "platform/TextFiles.h"

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

#ifndef Q_OS_WIN
// The text when the whole of the bytes is valid in the encoding, an unfinished sequence at the
// end included.
static std::optional<QString> decodeStrictly(QStringDecoder decoder, const QByteArray &bytes) {
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}
#endif

std::optional<QString> decodeText(const QByteArray &bytes) {
#ifdef Q_OS_WIN
    // The Windows code page takes any bytes, as the Windows program always read its files.
    return fromSystemCodePage(bytes);
#else
    // A byte-order mark at the start stays in the text, so that saving gives it back.
    constexpr auto kStrict =
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    if (auto text = decodeStrictly(QStringDecoder(QStringConverter::System, kStrict), bytes))
        return text;
    return decodeStrictly(QStringDecoder("GB18030", kStrict), bytes);
#endif
}

bool LineWriter::open(const QString &hostPath) {
    close();
    m_file.setFileName(hostPath);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool LineWriter::writeLine(const QString &line) {
    if (!m_file.isOpen())
        return false;
    const QByteArray bytes = toSystemCodePage(line) + "\r\n";
    return m_file.write(bytes) == bytes.size();
}

void LineWriter::close() {
    if (m_file.isOpen())
        m_file.close();
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
    LineWriter writer;
    if (!writer.open(hostPath))
        return false;
    bool ok = true;
    for (const QString &line : lines)
        ok = writer.writeLine(line) && ok;
    writer.close();
    return ok;
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
