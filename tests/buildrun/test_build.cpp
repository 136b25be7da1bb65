// The build of one text without any window: what stands in the work folder before the run,
// while the compiler runs and after the clean-up, and how the run ended.
#include "BuildEnvironment.h"
#include "buildrun/Build.h"
#include "buildrun/JdkSearch.h"
#include "platform/PathMapping.h"

#include <QtTest>

namespace {
QStringList filesOfSnapshot(const BuildEnvironment &env) {
    return filesIn(env.snapshot());
}
} // namespace

class TestBuild : public QObject {
    Q_OBJECT

private slots:
    void filesBeforeDuringAndAfter_data() {
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QStringList>("scanned");
        QTest::addColumn<int>("compileType");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QString>("compiled"); // the class files the compiler makes
        QTest::addColumn<QStringList>("during");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("console");
        const QString compile = "------------编译中...------------\n";
        const QString done = "----------编译+运行完成----------\n";
        const QString pause = "请按任意键继续. . . \n";
        QTest::newRow("standard program")
            << "D:\\MyJava"
            << "Hello" << QStringList{"Hello"} << 0 << false << ""
            << QStringList{"Hello.java", "Korvath.bat"} << QStringList{"Korvath.bat"}
            << compile + "javac Hello.java\n" + done + "ran Hello\n" + pause;
        QTest::newRow("applet: the page beside the source")
            << "D:\\MyJava"
            << "Hello" << QStringList{"Hello"} << 1 << false << ""
            << QStringList{"Hello.HTML", "Hello.java", "Korvath.bat"} << QStringList{"Korvath.bat"}
            << compile + "javac Hello.java\n" + done +
                   "'appletviewer' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n" +
                   pause;
        QTest::newRow("compile only")
            << "D:\\MyJava"
            << "A" << QStringList{"A"} << 2 << false << "" << QStringList{"A.java", "Korvath.bat"}
            << QStringList{"Korvath.bat"} << compile + "javac A.java\n" + done + pause;
        QTest::newRow("class files kept") << "D:\\MyJava"
                                          << "B" << QStringList{"A", "B"} << 0 << true << "A B"
                                          << QStringList{"B.java", "Korvath.bat"}
                                          << QStringList{"A.class", "B.class", "Korvath.bat"}
                                          << compile + "javac B.java\n" + done + "ran B\n" + pause;
        QTest::newRow("every scanned name's class file goes")
            << "D:\\MyJava"
            << "B" << QStringList{"A", "B", "C"} << 0 << false << "A B C"
            << QStringList{"B.java", "Korvath.bat"} << QStringList{"Korvath.bat"}
            << compile + "javac B.java\n" + done + "ran B\n" + pause;
        QTest::newRow("every class file the compiler made goes")
            << "D:\\MyJava"
            << "A" << QStringList{"A"} << 0 << false << "A A$1 A$Inner Animal sub/Deep"
            << QStringList{"A.java", "Korvath.bat"} << QStringList{"Korvath.bat"}
            << compile + "javac A.java\n" + done + "ran A\n" + pause;
        QTest::newRow("no class name: a file named by its extension")
            << "D:\\MyJava"
            << "" << QStringList{} << 0 << false << "" << QStringList{".java", "Korvath.bat"}
            << QStringList{"Korvath.bat"} << compile + "javac .java\n" + done + "ran \n" + pause;
        QTest::newRow("a name that leaves the work folder names no file")
            << "D:\\MyJava"
            << "..\\x" << QStringList{"..\\x"} << 1 << false << "" << QStringList{"Korvath.bat"}
            << QStringList{"Korvath.bat"}
            << compile + "javac ..\\x.java\njavac: file not found: ..\\x.java\n" + done +
                   "'appletviewer' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n" +
                   pause;
        // The command interpreter would expand "%PATH%" and drop a lone "%".
        QTest::newRow("percent signs in the folder")
            << "D:\\100%PATH%x %"
            << "A" << QStringList{"A"} << 0 << false << "" << QStringList{"A.java", "Korvath.bat"}
            << QStringList{"Korvath.bat"} << compile + "javac A.java\n" + done + "ran A\n" + pause;
        QTest::newRow("Chinese folder and name")
            << "D:\\我的 Java"
            << "你好" << QStringList{"你好"} << 0 << false << ""
            << QStringList{"Korvath.bat", "你好.java"} << QStringList{"Korvath.bat"}
            << compile + "javac 你好.java\n" + done + "ran 你好\n" + pause;
    }
    void filesBeforeDuringAndAfter() {
        QFETCH(QString, javaPath);
        QFETCH(QString, className);
        QFETCH(QStringList, scanned);
        QFETCH(int, compileType);
        QFETCH(bool, keep);
        QFETCH(QString, compiled);
        QFETCH(QStringList, during);
        QFETCH(QStringList, after);
        QFETCH(QString, console);
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        if (!compiled.isEmpty())
            qputenv("TARNEL_FAKE_CLASSES", compiled.toUtf8());
        BuildRequest request;
        request.javaPath = javaPath;
        request.source = "class " + className + " {}";
        request.className = className;
        request.scannedNames = scanned;
        request.compileType = qint16(compileType);
        Build build(request);
        const QString folder = platform::toHostPath(javaPath + "\\ClassFiles");
        QVERIFY(!QFileInfo::exists(folder));
        // Files beside the work folder that a name leaving it ("..\\x") would reach.
        const QStringList victims{platform::toHostPath(javaPath + "\\x.java"),
                                  platform::toHostPath(javaPath + "\\x.HTML")};
        QVERIFY(QDir().mkpath(platform::toHostPath(javaPath)));
        for (const QString &victim : victims)
            QVERIFY(platform::writeLines(victim, {"keep me"}));
        build.writeFiles();
        QCOMPARE(filesIn(folder), during);
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        QCOMPARE(filesOfSnapshot(env), during);
        if (platform::kOnWindows) // the command interpreter's own texts are its own
            QVERIFY2(env.console().contains("javac " + className + ".java"),
                     qPrintable(env.console()));
        else
            QCOMPARE(env.console(), console);
        build.cleanUp(keep);
        QCOMPARE(filesIn(folder), after);
        for (const QString &victim : victims)
            QCOMPARE(fileBytes(victim), QByteArray("keep me\r\n"));
        QCOMPARE(build.scriptPath(), javaPath + "\\ClassFiles\\Korvath.bat");
    }

    // The class files that were in the work folder before the build are not the build's: they
    // stay, whatever the compiler does with them (another learner's program in the folder).
    void classFilesFromBeforeStay() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        const QString folder = start.home("MyJava/ClassFiles");
        QVERIFY(QDir().mkpath(folder + "/lib"));
        for (const char *old : {"/Animal.class", "/lib/Tool.class", "/Other$1.class"})
            QVERIFY(platform::writeLines(folder + old, {"old"}));
        qputenv("TARNEL_FAKE_CLASSES", "Zoo Zoo$1 Animal lib/Tool lib/New");
        BuildRequest request = buildOfA();
        request.className = "Zoo";
        request.scannedNames = {"Zoo"};
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        build.cleanUp(false);
        QCOMPARE(filesIn(folder), QStringList({"Animal.class", "Korvath.bat", "Other$1.class"}));
        QCOMPARE(filesIn(folder + "/lib"), QStringList{"Tool.class"});
    }

    // Class files that an earlier build kept are gone before the compiler runs: a text that no
    // longer compiles runs nothing old. What this build makes is kept.
    void noStaleRun() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QVERIFY(QDir().mkpath(start.home("MyJava/ClassFiles")));
        for (const char *old : {"MyJava/ClassFiles/A.class", "MyJava/ClassFiles/Other.class"})
            QVERIFY(platform::writeLines(start.home(old), {"old"}));
        qputenv("TARNEL_FAKE_CLASSES", "B"); // A does not compile any more
        BuildRequest request;
        request.javaPath = "D:\\MyJava";
        request.className = "A";
        request.scannedNames = {"A", "B"};
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        QCOMPARE(filesOfSnapshot(env), QStringList({"A.java", "Korvath.bat", "Other.class"}));
        build.cleanUp(true);
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")),
                 QStringList({"B.class", "Korvath.bat", "Other.class"}));
    }

    // A package program: compiled into its folders, run by its full name; the clean-up removes
    // its class files (unless kept) and the package folders the build made, when empty.
    void packagePrograms_data() {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("class files deleted") << false << QStringList{"Korvath.bat"};
        QTest::newRow("class files kept") << true << QStringList{"Korvath.bat", "p"};
    }
    void packagePrograms() {
        QFETCH(bool, keep);
        QFETCH(QStringList, after);
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_FAKE_CLASSES", "p/q/Hi p/q/Hi$1");
        BuildRequest request;
        request.javaPath = "D:\\MyJava";
        request.className = "Hi";
        request.packageName = "p.q";
        request.scannedNames = {"Hi", "Hi$1"};
        request.source = "package p.q; public class Hi {}";
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        if (!platform::kOnWindows)
            QVERIFY2(env.console().contains("javac -d . Hi.java\n") &&
                         env.console().contains("ran p.q.Hi\n"),
                     qPrintable(env.console()));
        const QString folder = start.home("MyJava/ClassFiles");
        QVERIFY(QFileInfo::exists(folder + "/p/q/Hi.class"));
        build.cleanUp(keep);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 after);
        if (keep)
            QCOMPARE(filesIn(folder + "/p/q"), QStringList({"Hi$1.class", "Hi.class"}));
    }

    // The build writes its files whole, as the run then finds them; the source copy is what
    // javac reads, without the byte-order mark an editor may have written.
    void theFilesAsTheCompilerFindsThem() {
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        BuildRequest request;
        request.javaPath = "D:\\MyJava";
        const QString source = "public class Hi {\r\n}\r\n// 注释 after the brace";
        request.source = QChar(0xFEFF) + source;
        request.className = "Hi";
        request.compileType = 1;
        request.appletHeight = -1;
        request.appletWidth = 32767;
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        QCOMPARE(env.snapshotFile("Hi.java"), platform::toSystemCodePage(source + "\r\n"));
        QCOMPARE(env.snapshotFile("Hi.HTML"),
                 QByteArray("<html>\r\n<applet code=\"Hi.class\" height=-1 width=32767>\r\n"
                            "</applet>\r\n</html>\r\n"));
        QCOMPARE(env.snapshotFile("Korvath.bat"),
                 platform::toSystemCodePage("@echo off\r\nD:\r\ncd D:\\MyJava\\ClassFiles\r\n"
                                            "echo ------------编译中...------------\r\n"
                                            "javac Hi.java\r\n"
                                            "echo ----------编译+运行完成----------\r\n"
                                            "appletviewer Hi.HTML\r\npause\r\n"));
    }

    // The applet page goes to the program's own viewer, found at the end of PATH, unless a
    // real appletviewer comes earlier. Without a display the viewer says so in one line (on
    // Windows the stand-in java.exe shows what the launcher handed it); either way the script
    // goes on to its pause.
    void whichAppletViewerRuns_data() {
        QTest::addColumn<bool>("realViewerEarlier");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the program's viewer")
            << false
            << (platform::kOnWindows ? QString("ran -jar")
                                     : QString("无法打开小应用程序的窗口: 没有图形显示。"));
        QTest::newRow("a real appletviewer earlier on PATH") << true << "ran Hello.HTML";
        if (platform::kOnWindows) // CreateProcess would take it before PATH's
            QTest::newRow("a java.exe in the work folder is not the viewer's")
                << false << "ran -jar";
    }
    void whichAppletViewerRuns() {
        QFETCH(bool, realViewerEarlier);
        QFETCH(QString, shown);
        if (!platform::kOnWindows && kTestJdkBin.isEmpty())
            QSKIP("no JDK was found when the project was configured");
        FreshFolders start;
        BuildEnvironment env(platform::kOnWindows ? BuildEnvironment::FakeJdk
                                                  : BuildEnvironment::RealJdk);
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        if (realViewerEarlier) {
            // The stand-in java under the name appletviewer: it says what it ran.
            const QString stand = start.home("jdk8/bin");
            const QString java = platform::kOnWindows ? "java.exe" : "java";
            QVERIFY(QDir().mkpath(stand));
            QVERIFY(QFile::copy(
                (platform::kOnWindows ? kTestWindowsToolsFolder : kTestToolsFolder + "/fakejdk") +
                    "/" + java,
                stand + (platform::kOnWindows ? "/appletviewer.exe" : "/appletviewer")));
            system.insert("PATH", QDir::toNativeSeparators(stand) + QDir::listSeparator() +
                                      system.value("PATH"));
        }
        const bool javaInWorkFolder = QString(QTest::currentDataTag()).contains("work folder");
        if (javaInWorkFolder) { // the stand-in javac under the name java.exe: it says "javac"
            QVERIFY(QDir().mkpath(start.home("MyJava/ClassFiles")));
            QVERIFY(QFile::copy(kTestWindowsToolsFolder + "/javac.exe",
                                start.home("MyJava/ClassFiles/java.exe")));
        }
        BuildRequest request = buildOfA();
        request.className = "Hello";
        request.scannedNames = {"Hello"};
        request.source = "public class Hello extends java.applet.Applet {}";
        request.compileType = 1;
        request.environment =
            buildEnvironment(system, Jdk{}, JdkLaunch{}, "UTF-8", QString(), appletViewerFolder());
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        const QString console = env.console();
        QVERIFY2(console.contains(shown), qPrintable(console));
        if (!platform::kOnWindows) // the command interpreter's pause text is its own
            QVERIFY2(console.indexOf(shown) < console.lastIndexOf("请按任意键继续"),
                     qPrintable(console));
        QVERIFY2(!console.contains("javac -jar"), qPrintable(console));
        build.cleanUp(false);
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")),
                 javaInWorkFolder ? QStringList({"Korvath.bat", "java.exe"})
                                  : QStringList{"Korvath.bat"});
    }

    // Whatever the terminal does with its command, the script runs in the build's environment
    // (handed over the socket) and the interpreter ends when the window closes; the program's
    // own Qt platform does not reach the terminal.
    void consoleOfAnyTerminal_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notShown");
        QTest::newRow("a terminal with an environment of its own")
            << "foreign"
            << "ran A\nmark=交给了 the script\n"
            << "QT_QPA_PLATFORM";
        QTest::newRow("the terminal's own environment is not the script's") << "foreign"
                                                                            << "ran A\n"
                                                                            << "terminal-only";
        QTest::newRow("a terminal that starts it with SIGHUP ignored, closed") << "hangup"
                                                                               << "javac A.java\n"
                                                                               << "survived SIGHUP";
    }
    void consoleOfAnyTerminal() {
        QFETCH(QString, mode);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        SKIP_WITHOUT_LINUX_CONSOLE();
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_TERMINAL_MODE", mode.toUtf8());
        qputenv("TARNEL_TERMINAL_DELAY", "0");
        QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        system.insert("TARNEL_TEST_MARK", "交给了 the script");
        system.insert("QT_QPA_PLATFORM", "offscreen");
        BuildRequest request = buildOfA();
        request.environment = system;
        Build build(request);
        build.writeFiles();
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        if (mode == "hangup") // until the stand-in has looked whether the script lived on
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(env.consoleLog() + ".looked"), 30000);
        const QString console = env.console();
        QVERIFY2(console.contains(shown), qPrintable(console));
        QVERIFY2(!console.contains(notShown), qPrintable(console));
        build.cleanUp(false);
    }

    // How a run ends, and that the clean-up follows in every case.
    void outcomes_data() {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QString>("terminalMode");
        QTest::addColumn<bool>("folderBlocked");
        QTest::addColumn<RunOutcome>("outcome");
        QTest::newRow("ended") << true << "" << false << RunOutcome::Ended;
        if (!platform::kOnWindows) { // Windows always has its command interpreter
            QTest::newRow("no terminal") << false << "" << false << RunOutcome::NoConsoleProgram;
            QTest::newRow("the terminal fails at once")
                << true << "fail" << false << RunOutcome::ConsoleFailed;
        }
        QTest::newRow("no script: the folder cannot be made")
            << true << "" << true << RunOutcome::NotStarted;
    }
    void outcomes() {
        QFETCH(bool, terminal);
        QFETCH(QString, terminalMode);
        QFETCH(bool, folderBlocked);
        QFETCH(RunOutcome, outcome);
        FreshFolders start;
        BuildEnvironment env(terminal ? BuildEnvironment::FakeJdk : BuildEnvironment::NoTerminal);
        qputenv("TARNEL_TERMINAL_MODE", terminalMode.toUtf8());
        if (folderBlocked) {
            QFile plain(start.home("MyJava"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        Build build(buildOfA());
        build.writeFiles();
        // A failing terminal is told at once: after the grace time allowed to a terminal that
        // hands on, the run would have ended as if the script had.
        QCOMPARE(build.run(1).outcome, outcome);
        build.cleanUp(false);
        if (!folderBlocked)
            QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
        QCOMPARE(
            runInConsole(build.scriptPath(), 1, QProcessEnvironment::systemEnvironment()).outcome,
            outcome);
    }
};

QTEST_GUILESS_MAIN(TestBuild)
#include "test_build.moc"
