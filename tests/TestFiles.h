#pragma once
// Files as the tests look at them: whole bytes, a folder's names, Chinese text in GBK, a FIFO.
#include "platform/System.h"
#include "platform/TextFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QStringList>

// The file's bytes, or "<missing>" where it cannot be read.
inline QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The text in GBK, the code page of Chinese Windows (its system code page there).
inline QByteArray gbk(const QString &text) {
    if (platform::kOnWindows)
        return platform::toSystemCodePage(text);
    return QStringEncoder("GB18030").encode(text);
}

// A FIFO at the path (a file-system entry that is no regular file); false where there is none.
inline bool makeFifo(const QString &path) {
    return !platform::kOnWindows && QProcess::execute(QStringLiteral("mkfifo"), {path}) == 0;
}
