#include "buildrun/SaveText.h"

#include "platform/FileAttributes.h"

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

platform::Saved writeSourceFile(const QString &hostPath, const QString &text) {
    if (platform::isFileReadOnly(hostPath))
        return {false, QStringLiteral("这个文件是只读的。")};
    if (platform::isFileHidden(hostPath))
        return {false, QStringLiteral("这个文件是隐藏的。")};
    // A file that may be written in a folder where no new file can be made is written in place.
    return platform::saveFile(hostPath, platform::linesBytes({text}),
                              platform::InPlace::WhereNoNewFile);
}
