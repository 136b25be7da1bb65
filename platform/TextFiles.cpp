#include "platform/TextFiles.h"

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

std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes) {
    QFile file(hostPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromSystemCodePage(bytes);
}

} // namespace platform
