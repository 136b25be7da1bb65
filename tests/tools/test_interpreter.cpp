#include "platform/PathMapping.h"
#include "tools/ScriptInterpreter.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The real interpreter on a pseudo-terminal, as a terminal window runs it.
class ConsoleOnPty {
public:
    // Runs the script's lines; `arguments` are the interpreter's, with "SCRIPT" for the
    // script's path.
    explicit ConsoleOnPty(const QStringList &scriptLines,
                          const QStringList &arguments = {"SCRIPT"}) {
        QFile script(m_dir.filePath("Korvath.bat"));
        if (script.open(QIODevice::WriteOnly))
            script.write(platform::toSystemCodePage(scriptLines.join("\r\n") + "\r\n"));
        script.close();
        std::vector<QByteArray> words{
            (QCoreApplication::applicationDirPath() + "/tarneljava-cmd").toLocal8Bit()};
        for (const QString &argument : arguments)
            words.push_back((argument == "SCRIPT" ? script.fileName() : argument).toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        m_pid = forkpty(&m_master, nullptr, nullptr, nullptr);
        if (m_pid == 0) {
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~ConsoleOnPty() {
        if (m_pid > 0 && !ended(0)) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_master >= 0)
            close(m_master);
    }
    void type(const QByteArray &keys) {
        QVERIFY(write(m_master, keys.constData(), keys.size()) == keys.size());
    }
    // Reads until the text has appeared (true) or the time has passed (false).
    bool waitFor(const QString &text, int ms) {
        QDeadlineTimer deadline(ms);
        while (!platform::fromSystemCodePage(m_output).contains(text)) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, int(qMax<qint64>(0, deadline.remainingTime()))) <= 0)
                return false;
            char buffer[512];
            const ssize_t n = read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            m_output.append(buffer, n);
        }
        return true;
    }
    QString output() const { return platform::fromSystemCodePage(m_output); }
    bool ended(int ms) {
        QDeadlineTimer deadline(ms);
        do {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = 0;
                return true;
            }
            QTest::qWait(20);
        } while (!deadline.hasExpired());
        return false;
    }

private:
    QTemporaryDir m_dir;
    int m_master = -1;
    pid_t m_pid = 0;
    QByteArray m_output;
};
// A shell script of the test's, made executable.
bool writeProgram(const QString &path, const QString &text) {
    QFile program(path);
    if (!program.open(QIODevice::WriteOnly) || program.write(text.toUtf8()) != text.toUtf8().size())
        return false;
    program.close();
    return program.setPermissions(program.permissions() | QFile::ExeOwner);
}
} // namespace

// The build-script interpreter with a console that records what happens.
class TestInterpreter : public QObject {
    Q_OBJECT

    QString m_output;
    QStringList m_runs;
    int m_keys = 0;
    QString m_folder = "/start";
    QStringList m_knownPrograms{"javac", "java"};
    QString m_interruptDuring; // the command during which Ctrl+C is pressed
    QStringList m_answers;     // the lines typed at the question; then the end of input
    bool m_interrupt = false;

    ScriptInterpreter interpreter() {
        return ScriptInterpreter({
            [this](const QString &text) { m_output += text; },
            [this] {
                ++m_keys;
                m_interrupt = m_interruptDuring == "pause";
            },
            {},
            [this](const QString &program, const QStringList &args) {
                if (!m_knownPrograms.contains(program))
                    return false;
                m_runs << (QStringList{program} + args).join(' ');
                m_interrupt = program == m_interruptDuring;
                return true;
            },
            [this](const QString &folder) {
                if (folder.contains("missing"))
                    return false;
                m_folder = folder;
                return true;
            },
            [this] { return m_folder; },
            [this] { return std::exchange(m_interrupt, false); },
            [this]() -> std::optional<QString> {
                if (m_answers.isEmpty())
                    return std::nullopt;
                return m_answers.takeFirst();
            },
        });
    }

private slots:
    // The scripts call the system's programs (sleep), also when the test was started with no
    // environment at all.
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("PATH"))
            qputenv("PATH", "/usr/local/bin:/usr/bin:/bin");
    }

    void init() {
        m_output.clear();
        m_runs.clear();
        m_keys = 0;
        m_folder = "/start";
        m_interruptDuring.clear();
        m_interrupt = false;
    }

    // "%" as the Windows interpreter reads it in a batch file.
    void percentSigns_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("read");
        QTest::newRow("doubled") << "cd D:\\100%%x"
                                 << "cd D:\\100%x";
        QTest::newRow("variable") << "echo %HOME%."
                                  << "echo /home/u.";
        QTest::newRow("unknown variable: nothing") << "echo [%NOPE%]"
                                                   << "echo []";
        QTest::newRow("lone sign dropped") << "echo 100% done"
                                           << "echo 100 done";
        QTest::newRow("at the end") << "echo 100%"
                                    << "echo 100";
        QTest::newRow("script arguments: none") << "echo %0%1%*."
                                                << "echo .";
        QTest::newRow("doubled around a name") << "echo %%HOME%%"
                                               << "echo %HOME%";
    }
    void percentSigns() {
        QFETCH(QString, line);
        QFETCH(QString, read);
        const auto variable = [](const QString &name) {
            return name == "HOME" ? QString("/home/u") : QString();
        };
        QCOMPARE(ScriptInterpreter::expandPercents(line, variable), read);
    }

    // The interpreter's command line: a title for the window, or the usage text, which names
    // every option, for anything it does not take.
    void commandLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shown");
        const QString usage = "用法: tarneljava-cmd [--title 标题] [--hold 套接字] 脚本文件";
        QTest::newRow("a title") << QStringList{"--title", "D:\\我的 Java\\Korvath.bat", "SCRIPT"}
                                 << "\033]0;D:\\我的 Java\\Korvath.bat\aready";
        QTest::newRow("no script") << QStringList{} << usage;
        QTest::newRow("two scripts") << QStringList{"SCRIPT", "SCRIPT"} << usage;
        QTest::newRow("an unknown option") << QStringList{"--wait", "SCRIPT"} << usage;
        QTest::newRow("a title without its value") << QStringList{"--title"} << usage;
    }
    void commandLines() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shown);
        ConsoleOnPty console({"@echo off", "echo ready"}, arguments);
        QVERIFY2(console.waitFor(shown, 10000), qPrintable(console.output()));
        QVERIFY(console.ended(10000));
    }

    void buildScriptRuns() {
        interpreter().runScript({"@echo off", "D:", "cd D:\\MyJava\\ClassFiles",
                                 "echo ------------编译中...------------", "javac Hello.java",
                                 "echo ----------编译+运行完成----------", "java Hello", "pause"});
        QCOMPARE(m_folder, platform::toHostPath("D:\\MyJava\\ClassFiles"));
        QCOMPARE(m_runs, QStringList({"javac Hello.java", "java Hello"}));
        QCOMPARE(m_keys, 1);
        QCOMPARE(m_output, QString("------------编译中...------------\n"
                                   "----------编译+运行完成----------\n"
                                   "请按任意键继续. . . \n"));
    }

    void missingProgramIsReportedAndTheScriptGoesOn() {
        interpreter().runScript({"@echo off", "appletviewer Hello.HTML", "pause"});
        QCOMPARE(m_output, QString("'appletviewer' 不是内部或外部命令，也不是可运行的程序\n"
                                   "或批处理文件。\n请按任意键继续. . . \n"));
        QCOMPARE(m_keys, 1);
    }

    void echoOnShowsTheCommands() {
        interpreter().runScript({"echo hi", "@echo off", "echo there"});
        QCOMPARE(m_output, "\n" + platform::toWindowsPath("/start") + ">echo hi\nhi\nthere\n");
    }

    void quotedPathsAndArguments() {
        interpreter().runScript({"@echo off", "cd \"D:\\a&b\\ClassFiles\"", "javac \"x|y.java\""});
        QCOMPARE(m_folder, platform::toHostPath("D:\\a&b\\ClassFiles"));
        QCOMPARE(m_runs, QStringList{"javac x|y.java"});
        // A lone quote, or quotes inside, stay as they are.
        m_runs.clear();
        interpreter().runScript({"@echo off", "java \" a\"b \"\""});
        QCOMPARE(m_runs, QStringList{"java \" a\"b "});
    }

    void folderThatIsMissing() {
        interpreter().runScript({"@echo off", "cd D:\\missing"});
        QCOMPARE(m_output, QString("系统找不到指定的路径。\n"));
        QCOMPARE(m_folder, QString("/start"));
    }

    void emptyLinesAndOtherDrives() {
        interpreter().runScript({"@echo off", "", "D:", "cd E:\\Other", "java "});
        QCOMPARE(m_folder, platform::toHostPath("D:\\")); // cd to another drive stays put
        QCOMPARE(m_runs, QStringList{"java"});
    }

    // Ctrl+C ends the running program; the user chooses whether the script goes on.
    void ctrlCAsksWhetherToEndTheScript_data() {
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("asked");
        const QStringList both{"javac Hello.java", "java Hello"};
        QTest::newRow("no Ctrl+C") << "" << true << both << 1 << false;
        QTest::newRow("in javac, N: the script goes on") << "javac" << false << both << 1 << true;
        QTest::newRow("in javac, Y: the script ends")
            << "javac" << true << QStringList{"javac Hello.java"} << 0 << true;
        QTest::newRow("in java, N: the pause still comes") << "java" << false << both << 1 << true;
        QTest::newRow("at the pause, Y") << "pause" << true << both << 1 << true;
    }
    void ctrlCAsksWhetherToEndTheScript() {
        QFETCH(QString, during);
        QFETCH(bool, yes);
        QFETCH(QStringList, runs);
        QFETCH(int, keys);
        QFETCH(bool, asked);
        m_interruptDuring = during;
        m_answers = {yes ? "Y" : "N"};
        ScriptInterpreter script = interpreter();
        script.runScript({"@echo off", "javac Hello.java", "java Hello", "pause"});
        QCOMPARE(m_runs, runs);
        QCOMPARE(m_keys, keys);
        QCOMPARE(m_output.contains(ScriptInterpreter::kTerminateQuestion), asked);
        QCOMPARE(script.stopped(), asked && yes);
    }

    // The question takes a whole line, as the Windows interpreter does: Y or N in either case,
    // around spaces; any other line asks again; the end of input ends the script.
    void terminateQuestionReadsLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<int>("questions");
        QTest::newRow("y") << QStringList{"y"} << true << 1;
        QTest::newRow("n, with spaces") << QStringList{" n "} << false << 1;
        QTest::newRow("empty line, then N") << QStringList{"", "N"} << false << 2;
        QTest::newRow("yes is no answer") << QStringList{"yes", "x", "Y"} << true << 3;
        QTest::newRow("end of input") << QStringList{"maybe"} << true << 2;
    }
    void terminateQuestionReadsLines() {
        QFETCH(QStringList, lines);
        QFETCH(bool, stopped);
        QFETCH(int, questions);
        m_interruptDuring = "javac";
        m_answers = lines;
        ScriptInterpreter script = interpreter();
        script.runScript({"@echo off", "javac Hello.java", "java Hello", "pause"});
        QCOMPARE(script.stopped(), stopped);
        QCOMPARE(m_output.count(ScriptInterpreter::kTerminateQuestion), questions);
        QCOMPARE(m_runs.size(), stopped ? 1 : 2);
    }

    // The real interpreter on a terminal: keys typed ahead do not answer the pause.
    void typedAheadKeysDoNotAnswerThePause() {
        // A program that runs until told to end, and reads no keys.
        QTemporaryDir tools;
        const QString started = tools.filePath("started"), go = tools.filePath("go");
        QVERIFY(writeProgram(tools.filePath("runner"), "#!/bin/sh\n: >'" + started +
                                                           "'\nwhile [ ! -e '" + go +
                                                           "' ]; do sleep 0.01; done\n"));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", tools.path().toLocal8Bit() + ":" + oldPath);
        ConsoleOnPty console({"@echo off", "echo ready", "runner", "pause", "echo after"});
        qputenv("PATH", oldPath);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(started), 10000);
        console.type("\r\r"); // one Enter too many while the program runs
        QVERIFY(platform::writeLines(go, {}));
        QVERIFY(console.waitFor(ScriptInterpreter::kPauseText, 5000));
        QVERIFY2(!console.waitFor("after", 500), "a key typed ahead answered the pause");
        console.type("x");
        QVERIFY(console.waitFor("after", 5000));
        QVERIFY(console.ended(5000));
    }

    void ctrlCOnATerminal_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("N Enter: the script goes on") << QByteArray("n\r") << true;
        QTest::newRow("Y Enter: the script ends") << QByteArray("Y\r") << false;
        QTest::newRow("another line is no answer") << QByteArray("x\rN\r") << true;
        QTest::newRow("Enter alone is no answer") << QByteArray("\rn\r") << true;
    }
    void ctrlCOnATerminal() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, goesOn);
        // A program that says when it has started, then sleeps.
        QTemporaryDir tools;
        const QString started = tools.filePath("started");
        QVERIFY(writeProgram(tools.filePath("napper"),
                             "#!/bin/sh\n: >'" + started + "'\nexec sleep 30\n"));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", tools.path().toLocal8Bit() + ":" + oldPath);
        ConsoleOnPty console({"@echo off", "echo ready", "napper", "echo after", "pause"});
        qputenv("PATH", oldPath);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(started), 10000);
        console.type("\x03"); // Ctrl+C ends it at once
        QVERIFY(console.waitFor(ScriptInterpreter::kTerminateQuestion, 3000));
        console.type(answer);
        if (goesOn) {
            QVERIFY(console.waitFor(ScriptInterpreter::kPauseText, 5000));
            QVERIFY(console.output().contains("after"));
            console.type("x");
        }
        QVERIFY(console.ended(5000));
        QCOMPARE(console.output().contains("after"), goesOn);
    }

    // What the console shows of typed keys: nothing while the compiler runs (not into the
    // banners), the keys while a program runs that may read them; a Ctrl+C shows "^C" once.
    void whatTheConsoleEchoes_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QString>("shown");    // after the banner before the pause
        QTest::addColumn<QString>("notShown"); // anywhere
        QTest::newRow("keys typed while compiling") << "javac A.java" << QByteArray("abc") << ""
                                                    << "abc";
        QTest::newRow("keys typed while the program runs") << "java A" << QByteArray("xyz") << "xyz"
                                                           << "";
        QTest::newRow("Ctrl+C while compiling") << "javac A.java" << QByteArray("\x03") << "^C"
                                                << "^C^C";
        QTest::newRow("Ctrl+C while the program runs") << "java Long" << QByteArray("\x03") << "^C"
                                                       << "^C^C";
    }
    void whatTheConsoleEchoes() {
        QFETCH(QString, program);
        QFETCH(QByteArray, typed);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        // A compiler and a program that say when they have started and end when told (the
        // program Long after half a minute); the compiler reads no keys, the program may.
        QTemporaryDir tools;
        const QString started = tools.filePath("started"), go = tools.filePath("go");
        const QString untilGo = "while [ ! -e '" + go + "' ]; do sleep 0.01; done\n";
        QVERIFY(
            writeProgram(tools.filePath("javac"), "#!/bin/sh\n: >'" + started + "'\n" + untilGo));
        QVERIFY(writeProgram(tools.filePath("java"), "#!/bin/sh\n: >'" + started +
                                                         "'\n[ \"$1\" = Long ] && exec sleep 30\n" +
                                                         untilGo));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", tools.path().toLocal8Bit() + ":" + oldPath);
        ConsoleOnPty console({"@echo off", "echo ready", program, "echo done", "pause"});
        qputenv("PATH", oldPath);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(started), 10000); // the program runs
        console.type(typed);
        QVERIFY(platform::writeLines(go, {})); // the keys are in; the program may end
        if (typed == "\x03") {
            QVERIFY(console.waitFor(ScriptInterpreter::kTerminateQuestion, 5000));
            console.type("n\r");
        }
        QVERIFY(console.waitFor(ScriptInterpreter::kPauseText, 5000));
        console.type("x");
        QVERIFY(console.ended(5000));
        const QString output = console.output();
        const QString afterReady = output.mid(output.indexOf("ready") + 5);
        if (!shown.isEmpty())
            QVERIFY2(afterReady.contains(shown), qPrintable(output));
        if (!notShown.isEmpty())
            QVERIFY2(!output.contains(notShown), qPrintable(output));
        QVERIFY2(output.contains("done"), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestInterpreter)
#include "test_interpreter.moc"
