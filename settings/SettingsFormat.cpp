#include "settings/SettingsFormat.h"

#include "platform/SingleLineText.h"
#include "platform/VbNumbers.h"

SettingsRead parseSettingsText(const QString &text) {
    SettingsRead result;
    // CR LF, CR and LF all end a line; a last line without a line end counts too.
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QStringView line : QStringView(normalized).split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            continue;
        const qsizetype p = line.indexOf(QLatin1Char('='));
        if (p < 0) {
            result.failed = true;
            break;
        }
        const QStringView key = line.left(p);
        if (key == QLatin1String("JavaPath")) {
            result.javaPath = line.mid(p + 1).toString();
        } else if (key == QLatin1String("ClassExist")) {
            result.classExist = toInt16Rounded(leadingNumber(line.mid(p + 1).toString()));
            if (!result.classExist) {
                result.failed = true;
                break;
            }
        }
    }
    return result;
}

QStringList settingsLines(const QString &javaPath, qint16 classExist) {
    // A line break in the folder would start a line of its own.
    return {QStringLiteral("JavaPath=") + firstLine(javaPath),
            QStringLiteral("ClassExist=") + signedNumberText(classExist)};
}
