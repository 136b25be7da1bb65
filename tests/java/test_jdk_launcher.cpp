// The program's javac and java launchers: the chosen JDK's tool runs with the learner's
// arguments as they were given (spaces, Chinese, quotes), with what the launchers add in front
// of them, and its exit code comes back; the launchers' variables do not reach it; a tool that
// cannot be run is reported as the command interpreter would.
#include "TestPaths.h"
#include "buildrun/JdkSearch.h"
#include "platform/System.h"
#include "platform/TextFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kExe = platform::kOnWindows ? ".exe" : "";

// The stand-in tools: each argument in brackets, the launchers' variables, the exit code
// TARNEL_TEST_EXIT.
bool makeStandInJdk(const QString &bin) {
    if (!QDir().mkpath(bin))
        return false;
    for (const QString tool : {"javac", "java"}) {
        const QString file = bin + "/" + tool + kExe;
        if (platform::kOnWindows) {
            if (!QFile::copy(kTestWindowsToolsFolder + "/java.exe", file))
                return false;
            continue;
        }
        if (!platform::writeLines(file, {"#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
                                         "done\nenv | grep '^TARNELJAVA_'\nexit "
                                         "${TARNEL_TEST_EXIT:-0}"}) ||
            !QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
    }
    return true;
}

struct Ran {
    int exitCode = -1;
    QString output;
};

Ran runLauncher(const QString &tool, const QStringList &arguments,
                const QList<QPair<QString, QString>> &variables, int exitCode = 0) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNEL_TEST_ARGS", "1");
    environment.insert("TARNEL_TEST_EXIT", QString::number(exitCode));
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(jdkLauncherFolder() + "/" + tool + kExe, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(),
            platform::fromSystemCodePage(process.readAll()).replace("\r\n", "\n")};
}

QString bracketed(const QStringList &arguments) {
    QString text;
    for (const QString &argument : arguments)
        text += "[" + argument + "]\n";
    return text;
}
} // namespace

class TestJdkLauncher : public QObject {
    Q_OBJECT

private slots:
    void runsTheChosenTool_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("note"); // printed before the tool runs
        const QStringList fast{"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                               "-J-XX:-UsePerfData"};
        const QString archive = "归档 a/javac.jsa";
        QTest::newRow("javac of a JDK that does not say: as it is")
            << "javac"
            << ""
            << "" << QStringList{"A.java"} << 0 << QStringList{} << QString();
        QTest::newRow("javac, fast") << "javac"
                                     << "fast"
                                     << "" << QStringList{"A.java"} << 0 << fast << QString();
        QTest::newRow("javac with the archive (JDK 13-18)")
            << "javac"
            << "use"
            << "" << QStringList{"-d", ".", "A.java"} << 0
            << fast + QStringList{"-J-XX:SharedArchiveFile=" + archive, "-J-Xlog:disable"}
            << QString();
        QTest::newRow("javac with the archive (JDK 19+)")
            << "javac"
            << "auto"
            << "" << QStringList{"A.java"} << 0
            << fast + QStringList{"-J-XX:+AutoCreateSharedArchive",
                                  "-J-XX:SharedArchiveFile=" + archive, "-J-Xlog:disable"}
            << QString();
        QTest::newRow("javac's exit code")
            << "javac"
            << ""
            << "" << QStringList{"Bad.java"} << 3 << QStringList{} << QString();
        QTest::newRow("java: arguments as given")
            << "java"
            << ""
            << "" << QStringList{"Hello", "a b", "你好", "say \"hi\"", "back\\"} << 0
            << QStringList{} << QString();
        QTest::newRow("java under a code page not UTF-8, JDK 18+")
            << "java"
            << ""
            << "COMPAT" << QStringList{"Hello", "x"} << 0 << QStringList{"-Dfile.encoding=COMPAT"}
            << QString();
        QTest::newRow("javac of a compact source file on JDK 17: a note first")
            << "javac"
            << ""
            << "" << QStringList{"Main.java"} << 1 << QStringList{} << "提示：需要 JDK 25";
        QTest::newRow("java's exit code")
            << "java"
            << ""
            << "" << QStringList{"Hello"} << 1 << QStringList{} << QString();
    }
    void runsTheChosenTool() {
        QFETCH(QString, tool);
        QFETCH(QString, start);
        QFETCH(QString, encoding);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, added);
        QFETCH(QString, note);
        QTemporaryDir jdk;
        QVERIFY(makeStandInJdk(jdk.filePath("bin")));
        const QString bin = QDir::toNativeSeparators(jdk.filePath("bin"));
        const Ran ran = runLauncher(tool, arguments,
                                    {{"TARNELJAVA_JDK_BIN", bin},
                                     {"TARNELJAVA_JAVAC_START", start},
                                     {"TARNELJAVA_JAVAC_ARCHIVE", "归档 a/javac.jsa"},
                                     {"TARNELJAVA_JAVA_FILE_ENCODING", encoding},
                                     {"TARNELJAVA_JAVAC_NOTE", note}},
                                    exitCode);
        // The tool's output alone, and no TARNELJAVA_ variable.
        QCOMPARE(ran.output,
                 (note.isEmpty() ? QString() : note + "\n") + bracketed(added + arguments));
        QCOMPARE(ran.exitCode, exitCode);
    }

    // A tool that cannot be run: one line, as the command interpreter says it, and its code;
    // a launcher never runs itself.
    void aToolThatCannotBeRun_data() {
        QTest::addColumn<QString>("bin");
        QTest::newRow("no JDK told") << "";
        QTest::newRow("a JDK that is gone") << "no such folder";
        QTest::newRow("the launchers' own folder") << "<launchers>";
    }
    void aToolThatCannotBeRun() {
        QFETCH(QString, bin);
        QTemporaryDir root;
        if (bin == "<launchers>")
            bin = jdkLauncherFolder();
        else if (!bin.isEmpty())
            bin = root.filePath(bin);
        for (const QString tool : {"javac", "java"}) {
            const Ran ran = runLauncher(tool, {"A.java"}, {{"TARNELJAVA_JDK_BIN", bin}});
            QCOMPARE(ran.output,
                     "'" + tool + "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
            QCOMPARE(ran.exitCode, platform::kOnWindows ? 9009 : 127);
        }
    }
};

QTEST_GUILESS_MAIN(TestJdkLauncher)
#include "test_jdk_launcher.moc"
