#pragma once

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

// A build environment for tests: the stand-in terminal first on PATH (it presses a key in the
// console and logs its output), with the stand-in JDK or the real one behind it.
struct BuildEnvironment {
    enum Jdk { FakeJdk, RealJdk, NoTerminal };

    QTemporaryDir logDir;
    QByteArray oldPath = qgetenv("PATH");

    explicit BuildEnvironment(Jdk jdk) {
        const QString tools = qEnvironmentVariable("TARNEL_TEST_TOOLS");
        QStringList path;
        if (jdk != NoTerminal)
            path << tools + "/terminal";
        if (jdk == FakeJdk)
            path << tools + "/fakejdk";
        path << (jdk == NoTerminal ? QString("/nonexistent") : QString::fromLocal8Bit(oldPath));
        qputenv("PATH", path.join(':').toLocal8Bit());
        qputenv("TARNEL_CONSOLE_LOG", consoleLog().toLocal8Bit());
        qputenv("TARNEL_SNAPSHOT", snapshot().toLocal8Bit());
        qunsetenv("TARNEL_FAKE_CLASSES");
        qunsetenv("TARNEL_TERMINAL_DELAY");
    }
    ~BuildEnvironment() { qputenv("PATH", oldPath); }

    QString consoleLog() const { return logDir.filePath("console.log"); }
    QString console() const { return QString::fromUtf8(FreshStart::readFile(consoleLog())); }
    // The work folder as the compiler saw it during the build.
    QString snapshot() const { return logDir.filePath("snapshot"); }
    QByteArray snapshotFile(const QString &name) const {
        return FreshStart::readFile(snapshot() + "/" + name);
    }
    int compilerRuns() const { return FreshStart::readFile(snapshot() + ".runs").count("run"); }
};

inline QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
