#pragma once
// Folders of a test's own for everything the program finds through the environment.
#include "TestFiles.h"
#include "platform/TestSeams.h"

#include <QTemporaryDir>

// A program folder (for Setting.ini), a home folder (where the drive letters lead), a runtime
// folder (locks, the console's socket, the warm compiler) and a configuration folder, and the
// environment pointed at them for the test's time.
struct FreshFolders {
    QTemporaryDir programDir;
    QTemporaryDir homeDir;
    QTemporaryDir runtimeDir;
    QTemporaryDir userDir;
    QByteArray oldHome = qgetenv("HOME");
    QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    QByteArray oldCache = qgetenv("XDG_CACHE_HOME");

    FreshFolders() {
        // Every drive letter leads into the home folder of the test, never to a real drive.
        qputenv("HOME", homeDir.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (homeDir.path() + "/.cache").toLocal8Bit()); // javac's archive
        platform::testing::setDriveRoot(homeDir.path());
    }
    ~FreshFolders() {
        qputenv("HOME", oldHome);
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        restore("XDG_CACHE_HOME", oldCache);
        platform::testing::setDriveRoot(QString());
    }
    FreshFolders(const FreshFolders &) = delete;
    FreshFolders &operator=(const FreshFolders &) = delete;

    static void restore(const char *name, const QByteArray &value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QString iniPath() const { return programDir.filePath("Setting.ini"); }
    void writeIni(const QByteArray &bytes) const {
        QFile f(iniPath());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    QByteArray readIni() const { return fileBytes(iniPath()); }
    QString home(const QString &rest = QString()) const {
        return rest.isEmpty() ? homeDir.path() : homeDir.path() + "/" + rest;
    }
};
