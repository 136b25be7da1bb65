#include "platform/TextFiles.h"

#include <QFile>

#include <cstdio>

namespace platform {

bool renameOver(const QString &from, const QString &to) {
    // rename() replaces the entry itself: a link at `to` is replaced, not followed.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace platform
