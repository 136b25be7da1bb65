#include "buildrun/CreateNewDirectory.h"

#include "platform/PathMapping.h"

#include <QDir>

void createFoldersAlong(const QString &newDirectory) {
    QString path = newDirectory;
    if (!path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('\\');
    for (qsizetype c = path.indexOf(QLatin1Char('\\')); c >= 0;
         c = path.indexOf(QLatin1Char('\\'), c + 1)) {
        const QString hostPrefix = platform::toHostPath(path.left(c + 1));
        QDir().mkdir(hostPrefix);
    }
}
