#pragma once

#include "FreshFolders.h"
#include "TestPaths.h"
#include "buildrun/Build.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Builds in these tests run through the Linux console stand-ins; on Windows the Windows check
// drives a build through the command interpreter instead.
#define SKIP_WITHOUT_LINUX_CONSOLE()                                                               \
    do {                                                                                           \
        if (platform::kOnWindows)                                                                  \
            QSKIP("runs builds through the Linux console stand-ins (terminal, interpreter); on "   \
                  "Windows the Windows check drives a build through the command interpreter");     \
    } while (false)

// The JDK reads Chinese file names and writes Chinese text only in a UTF-8 locale; a test
// started with no environment gets one (for the programs it starts, too).
inline void useUtf8LocaleWhenNoneIsSet() {
    if (qEnvironmentVariableIsEmpty("LC_ALL") && qEnvironmentVariableIsEmpty("LC_CTYPE") &&
        qEnvironmentVariableIsEmpty("LANG"))
        qputenv("LC_ALL", "C.UTF-8");
}

// The build of class A in D:\MyJava, as most tests make it.
inline BuildRequest buildOfA() {
    BuildRequest request;
    request.javaPath = "D:\\MyJava";
    request.className = "A";
    request.scannedNames = {"A"};
    return request;
}

// A build environment for tests: the stand-in terminal first on PATH (it presses a key in the
// console and logs its output), with the stand-in JDK or the real one the tests were
// configured with behind it.
struct BuildEnvironment {
    // NoJdkOnPath: the stand-in terminal, but no javac on PATH.
    enum Jdk { FakeJdk, RealJdk, NoTerminal, NoJdkOnPath };

    QTemporaryDir logDir;
    QByteArray oldPath = qgetenv("PATH");
    QByteArray oldComSpec = qgetenv("ComSpec");

    explicit BuildEnvironment(Jdk jdk) {
        qputenv("TARNEL_CONSOLE_LOG", QDir::toNativeSeparators(consoleLog()).toLocal8Bit());
        qputenv("TARNEL_SNAPSHOT", QDir::toNativeSeparators(snapshot()).toLocal8Bit());
        qunsetenv("TARNEL_FAKE_CLASSES");
        qunsetenv("TARNEL_TERMINAL_DELAY");
        qunsetenv("TARNEL_TERMINAL_START_DELAY");
        qunsetenv("TARNEL_TERMINAL_MODE");
        if (platform::kOnWindows) {
            // The real command interpreter, run by a stand-in console that presses the key.
            const QString tools = QDir::toNativeSeparators(kTestWindowsToolsFolder);
            qputenv("ComSpec", (tools + "\\fake_console.exe").toLocal8Bit());
            qputenv("PATH", (tools + ";" + QString::fromLocal8Bit(oldPath)).toLocal8Bit());
            return;
        }
        useUtf8LocaleWhenNoneIsSet();
        QStringList path;
        if (jdk != NoTerminal)
            path << kTestToolsFolder + "/terminal";
        if (jdk == FakeJdk || jdk == NoTerminal)
            path << kTestToolsFolder + "/fakejdk";
        if (jdk == RealJdk)
            path << kTestJdkBin;
        // The stand-ins are shell scripts: they need the system's tools, also when the test
        // was started with no environment at all.
        const QString systemPath = oldPath.isEmpty() ? QString("/usr/local/bin:/usr/bin:/bin")
                                                     : QString::fromLocal8Bit(oldPath);
        // Without a JDK on PATH, the system's tools stay reachable only through a folder that
        // has no javac of its own.
        if (jdk == NoJdkOnPath)
            path << systemTools();
        else
            path << (jdk == NoTerminal ? QString("/nonexistent") : systemPath);
        qputenv("PATH", path.join(':').toLocal8Bit());
    }
    ~BuildEnvironment() {
        qputenv("PATH", oldPath);
        if (platform::kOnWindows)
            qputenv("ComSpec", oldComSpec);
    }

    // A folder of links to the system tools the stand-ins use, and no javac or java.
    QString systemTools() const {
        const QString folder = logDir.filePath("tools");
        QDir().mkpath(folder);
        for (const char *tool : {"sh", "sleep", "cp", "rm", "mkdir", "dirname", "cat"}) {
            const QString found = QStandardPaths::findExecutable(tool, {"/usr/bin", "/bin"});
            if (!found.isEmpty())
                QFile::link(found, folder + "/" + tool);
        }
        return folder;
    }

    // A process id that a stand-in wrote to a file; 0 when there is none.
    static qint64 pidIn(const QString &file) { return fileBytes(file).trimmed().toLongLong(); }
    // Whether the process has ended (and is no zombie) within the time.
    static bool waitUntilGone(qint64 pid, int ms) {
        if (pid <= 0)
            return false;
        QDeadlineTimer deadline(ms);
        for (;;) {
            const QByteArray stat = fileBytes(QString("/proc/%1/stat").arg(pid));
            const bool gone = stat == "<missing>" || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
            if (gone || deadline.hasExpired())
                return gone;
            QTest::qWait(50);
        }
    }

    QString consoleLog() const { return logDir.filePath("console.log"); }
    QString console() const { return platform::fromSystemCodePage(fileBytes(consoleLog())); }
    // The work folder as the compiler saw it during the build.
    QString snapshot() const { return logDir.filePath("snapshot"); }
    QByteArray snapshotFile(const QString &name) const {
        return fileBytes(snapshot() + "/" + name);
    }
    int compilerRuns() const { return fileBytes(snapshot() + ".runs").count("run"); }
};
