#include "platform/ConsoleHandOver.h"

#include <QFile>

namespace platform {

QProcessEnvironment consoleEnvironment(QProcessEnvironment environment) {
    for (const char *name : {"QT_QPA_PLATFORM", "QT_QPA_PLATFORM_PLUGIN_PATH"})
        environment.remove(QLatin1String(name));
    return environment;
}

QByteArray handOverBlock(const QString &folder, const QProcessEnvironment &environment) {
    QByteArray payload = QFile::encodeName(folder) + '\0';
    for (const QString &entry : environment.toStringList())
        payload += entry.toLocal8Bit() + '\0';
    return QByteArray::number(payload.size()) + '\n' + payload;
}

std::optional<HandOver> readHandOver(const QByteArray &bytes) {
    const qsizetype lineEnd = bytes.indexOf('\n');
    if (lineEnd <= 0 || lineEnd > 12)
        return std::nullopt;
    bool isNumber = false;
    const qsizetype length = bytes.left(lineEnd).toLongLong(&isNumber);
    if (!isNumber || length <= 0 || bytes.size() - lineEnd - 1 < length)
        return std::nullopt;
    const QByteArray payload = bytes.mid(lineEnd + 1, length);
    if (!payload.endsWith('\0'))
        return std::nullopt;
    QList<QByteArray> entries = payload.chopped(1).split('\0');
    HandOver handOver;
    handOver.folder = entries.takeFirst();
    for (const QByteArray &entry : entries)
        if (entry.indexOf('=') > 0)
            handOver.environment << entry;
    return handOver;
}

} // namespace platform
