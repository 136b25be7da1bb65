#include "ui/SettingsFormat.h"

#include "platform/VbNumbers.h"
#include "platform/TextFiles.h"

#include <QBuffer>
#include <functional>

// Calls onLine for each line of the device; CR LF, CR and LF all end a line, and a last line
// without a line end counts too. Stops early when onLine returns false.
static void forEachLine(QIODevice &device, const std::function<bool(const QByteArray &)> &onLine) {
    QByteArray line;
    bool afterCr = false;
    char buffer[65536];
    qint64 n;
    while ((n = device.read(buffer, sizeof buffer)) > 0) {
        for (qint64 i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c == '\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = (c == '\r');
            if (c == '\r' || c == '\n') {
                if (!onLine(line))
                    return;
                line.clear();
            } else {
                line.append(c);
            }
        }
    }
    if (!line.isEmpty())
        onLine(line);
}

SettingsRead parseSettings(QIODevice &device) {
    SettingsRead result;
    forEachLine(device, [&result](const QByteArray &bytes) {
        if (bytes.isEmpty())
            return true;
        const QString line = platform::fromSystemCodePage(bytes);
        const qsizetype p = line.indexOf(QLatin1Char('='));
        if (p < 0) {
            result.failed = true;
            return false;
        }
        const QString key = line.left(p);
        const QString value = line.mid(p + 1);
        if (key == QLatin1String("JavaPath")) {
            result.javaPath = value;
        } else if (key == QLatin1String("ClassExist")) {
            result.classExist = toInt16Rounded(leadingNumber(value));
            if (!result.classExist) {
                result.failed = true;
                return false;
            }
        }
        return true;
    });
    return result;
}

SettingsRead parseSettingsBytes(const QByteArray &bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return parseSettings(buffer);
}

QStringList settingsLines(const QString &javaPath, qint16 classExist) {
    return {QStringLiteral("JavaPath=") + javaPath,
            QStringLiteral("ClassExist=") + signedNumberText(classExist)};
}
