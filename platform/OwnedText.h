#pragma once

#include <QString>

// A copy that owns its characters, also of a text that refers to another text's characters
// (QString::fromRawData): it stays valid when that other text goes.
inline QString ownedCopy(const QString &text) {
    return QString(text.constData(), text.size());
}
