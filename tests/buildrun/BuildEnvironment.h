#pragma once

#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Builds in these tests run through the Linux console stand-ins; on Windows the Windows check
// drives a build through the command interpreter instead.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_LINUX_CONSOLE()                                                               \
    QSKIP("runs builds through the Linux console stand-ins (terminal, interpreter); on "           \
          "Windows the Windows check drives a build through the command interpreter")
#else
#define SKIP_WITHOUT_LINUX_CONSOLE() (void)0
#endif

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
        qunsetenv("TARNEL_TERMINAL_MODE");
    }
    ~BuildEnvironment() { qputenv("PATH", oldPath); }

    // A process id that a stand-in wrote to a file; 0 when there is none.
    static qint64 pidIn(const QString &file) {
        return FreshStart::readFile(file).trimmed().toLongLong();
    }
    // Whether the process has ended (and is no zombie) within the time.
    static bool waitUntilGone(qint64 pid, int ms) {
        if (pid <= 0)
            return false;
        QDeadlineTimer deadline(ms);
        for (;;) {
            const QByteArray stat = FreshStart::readFile(QString("/proc/%1/stat").arg(pid));
            const bool gone = stat == "<missing>" || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
            if (gone || deadline.hasExpired())
                return gone;
            QTest::qWait(50);
        }
    }

    QString consoleLog() const { return logDir.filePath("console.log"); }
    QString console() const { return QString::fromUtf8(FreshStart::readFile(consoleLog())); }
    // The work folder as the compiler saw it during the build.
    QString snapshot() const { return logDir.filePath("snapshot"); }
    QByteArray snapshotFile(const QString &name) const {
        return FreshStart::readFile(snapshot() + "/" + name);
    }
    int compilerRuns() const { return FreshStart::readFile(snapshot() + ".runs").count("run"); }
};
