#pragma once
#include "platform/System.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>

// Makes a folder of the test's own read-only for this process, until undone: by its mode, or
// for root, whom modes do not stop, by the immutable attribute (chattr +i). False where
// neither keeps new files out (Windows: the read-only attribute of a folder does not).
struct ReadOnlyFolder {
    QString folder;
    bool immutable = false;
    bool make(const QString &path) {
        folder = path;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (!takesNewFiles())
            return true;
        immutable = !platform::kOnWindows && QProcess::execute("chattr", {"+i", folder}) == 0;
        return immutable && !takesNewFiles();
    }
    void undo() {
        if (folder.isEmpty())
            return;
        if (immutable)
            QProcess::execute("chattr", {"-i", folder});
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        folder.clear();
    }
    ~ReadOnlyFolder() { undo(); }

private:
    bool takesNewFiles() const {
        QTemporaryFile probe(folder + "/probe.XXXXXX");
        return probe.open();
    }
};
