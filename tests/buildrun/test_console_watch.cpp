// Linux: the wait for the build script follows the interpreter's connection to the program's
// private socket, and nothing else.
#include "BuildEnvironment.h"
#include "buildrun/Build.h"
#include "buildrun/ConsoleWatch.h"

#include <QLocalSocket>
#include <QtTest>

class TestConsoleWatch : public QObject {
    Q_OBJECT

private slots:
    // Only the interpreter ends the wait: a connection without its secret, one that drops at
    // once and one that stays are all ignored, and the build ends with the script. A socket
    // that a killed program left behind is removed.
    void onlyTheInterpreterEndsTheWait() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_TERMINAL_START_DELAY", "1"); // the others connect first
        qputenv("TARNEL_TERMINAL_DELAY", "1");
        const QString stale = start.runtimeDir.filePath("tarneljava-999999999-0123456789abcdef");
        QVERIFY(platform::writeLines(stale, {"left by a killed program"}));
        Build build(buildOfA());
        build.writeFiles();
        std::vector<std::unique_ptr<QLocalSocket>> others;
        QFile::Permissions keyMode;
        QTimer intruder;
        QObject::connect(&intruder, &QTimer::timeout, [&] {
            const QByteArray commandLine = fileBytes(
                QString("/proc/%1/cmdline").arg(env.pidIn(env.consoleLog() + ".terminal")));
            const QList<QByteArray> words = commandLine.split('\0');
            const qsizetype hold = words.indexOf("--hold");
            if (hold < 0 || !others.empty())
                return;
            // The secret's file: its owner's alone.
            keyMode = QFileInfo(QString::fromLocal8Bit(words.at(hold + 1) + ".key")).permissions();
            for (const QByteArray &send : {QByteArray("wrong\n"), QByteArray(), QByteArray("x")}) {
                others.push_back(std::make_unique<QLocalSocket>());
                others.back()->connectToServer(QString::fromLocal8Bit(words.at(hold + 1)));
                QVERIFY(others.back()->waitForConnected(2000));
                others.back()->write(send);
                others.back()->flush();
            }
            others.at(1)->disconnectFromServer(); // one that drops at once
        });
        intruder.start(100);
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        QVERIFY2(!others.empty(), "the interpreter's socket was not found");
        QCOMPARE(keyMode,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QVERIFY(!QFileInfo::exists(stale));
        // The secret's file goes with the wait.
        QCOMPARE(QDir(start.runtimeDir.path()).entryList({"*.key"}, QDir::Files | QDir::Hidden),
                 QStringList());
        // The wait ended with the script (it starts two seconds late), not with the others.
        QCOMPARE(env.snapshotFile("A.java"), QByteArray("\r\n"));
        QVERIFY(env.console().endsWith("请按任意键继续. . . \n"));
        qunsetenv("TARNEL_TERMINAL_DELAY");
        qunsetenv("TARNEL_TERMINAL_START_DELAY");
    }

    // A terminal that hands its window to a server and exits 0 at once gets a grace period
    // for the interpreter to come; once it has come, only the script's end ends the wait,
    // however long the script runs beyond the grace period.
    void theWaitHoldsOnceTheInterpreterHasCome() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        const int grace = ConsoleWatch::interpreterGraceMs;
        ConsoleWatch::interpreterGraceMs = 1500;
        qputenv("TARNEL_TERMINAL_MODE", "handoff");
        qputenv("TARNEL_TERMINAL_START_DELAY", "0.3");
        qputenv("TARNEL_TERMINAL_DELAY", "3"); // the key, long after the grace period
        Build build(buildOfA());
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        ConsoleWatch::interpreterGraceMs = grace;
        for (const char *name :
             {"TARNEL_TERMINAL_MODE", "TARNEL_TERMINAL_START_DELAY", "TARNEL_TERMINAL_DELAY"})
            qunsetenv(name);
        QVERIFY2(env.console().endsWith("请按任意键继续. . . \n"), qPrintable(env.console()));
    }

    // gnome-console keeps its window after the command: its process is ended with the script.
    void gnomeConsoleEndsWithTheScript() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QTemporaryDir bin;
        QVERIFY(
            QFile::copy(kTestToolsFolder + "/terminal/x-terminal-emulator", bin.filePath("kgx")));
        QVERIFY(QFile::link(bin.filePath("kgx"), bin.filePath("x-terminal-emulator")));
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + qgetenv("PATH"));
        qputenv("TARNEL_TERMINAL_MODE", "linger");
        qputenv("TARNEL_TERMINAL_LINGER", "60");
        Build build(buildOfA());
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        qunsetenv("TARNEL_TERMINAL_MODE");
        qunsetenv("TARNEL_TERMINAL_LINGER");
        QVERIFY(env.console().contains("ran A\n"));
        QVERIFY(env.waitUntilGone(env.pidIn(env.consoleLog() + ".terminal"), 10000));
    }
};

QTEST_GUILESS_MAIN(TestConsoleWatch)
#include "test_console_watch.moc"
