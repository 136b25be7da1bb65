#include "buildrun/SaveText.h"

#include "platform/FileAttributes.h"
#include "platform/TextFiles.h"

std::optional<QString> textUpToLastBrace(const QString &text) {
    const qsizetype p = text.lastIndexOf(QLatin1Char('}'));
    if (p < 0)
        return std::nullopt;
    return text.left(p + 1);
}

QString savedSourcePath(const QString &folder, const QString &name) {
    return folder + QLatin1Char('\\') + (name.isEmpty() ? QStringLiteral("None_Name") : name) +
           QStringLiteral(".java");
}

bool writeSourceFile(const QString &hostPath, const QString &text) {
    if (platform::isFileReadOnly(hostPath) || platform::isFileHidden(hostPath))
        return false;
    // A file that may be written in a folder where no new file can be made is written in place.
    return platform::saveFile(hostPath, platform::linesBytes({text}),
                              platform::InPlace::WhereNoNewFile);
}
