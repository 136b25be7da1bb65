#include "TestSupport.h"
#include "buildrun/BuildEnvironment.h"
#include "buildrun/JdkSearch.h"
#include "buildrun/RunAndWait.h"
#include "buildrun/WorkFolderLock.h"
#include "platform/TextFiles.h"
#include "platform/TextGuess.h"

#include <QtTest>

namespace {
const QString kHello = "public class Hello {\r\n"
                       "    public static void main(String[] args) {\r\n"
                       "        System.out.println(\"你好, TarnelJava\");\r\n"
                       "    }\r\n"
                       "}\r\n\r\n// after the last brace";

QByteArray crlf(const QStringList &lines) {
    return platform::toSystemCodePage(lines.join("\r\n") + "\r\n");
}

void clickBuild(Frm_java &w) {
    control<QPushButton>(&w, "Cmd_byyx")->click();
}

// The build refused with one message, "出错" and critical: its text; else what was shown.
QString refusalOfBuild(Frm_java &w) {
    MessageBoxAnswerer told(QMessageBox::Ok);
    clickBuild(w);
    if (told.seen.size() != 1 || told.seen[0].title != "出错" ||
        told.seen[0].icon != QMessageBox::Critical)
        return QString("<%1 messages, the first: %2>")
            .arg(told.seen.size())
            .arg(told.seen.empty() ? QString() : told.seen[0].title);
    return told.seen[0].text;
}

// A JDK of the stand-in tools in a folder the build searches (no javac on PATH), its release
// file giving the version.
bool searchedJdk(const QTemporaryDir &jvm, const QString &version, const QStringList &tools) {
    if (!QDir().mkpath(jvm.filePath("jdk/bin")) ||
        !platform::writeLines(jvm.filePath("jdk/release"), {"JAVA_VERSION=\"" + version + "\""}))
        return false;
    for (const QString &tool : tools)
        if (!QFile::copy(kTestToolsFolder + "/fakejdk/" + tool, jvm.filePath("jdk/bin/" + tool)))
            return false;
    const QString folder = jvm.path();
    Frm_java::jdkPlaces = [folder] {
        JdkPlaces places;
        places.folders = {folder};
        return places;
    };
    return true;
}
} // namespace

class TestComp : public QObject {
    Q_OBJECT

private slots:
    // What stops a build before anything is written needs no console: it runs on Windows too.
    void init() {
        const QString function = QTest::currentTestFunction();
        if (function != "namesAndFoldersThatStopTheBuild" &&
            function != "charactersTheCodePageCannotHold" &&
            function != "interpreterThatCannotStart")
            SKIP_WITHOUT_LINUX_CONSOLE();
    }

    void standardBuild() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        w.setEditorText(kHello);
        clickBuild(w);
        // During the build: the source copy (text plus one line end) and the script.
        QCOMPARE(env.snapshotFile("Hello.java"), platform::toSystemCodePage(kHello + "\r\n"));
        QCOMPARE(env.snapshotFile("Korvath.bat"),
                 crlf({"@echo off", "D:", "cd D:\\MyJava\\ClassFiles",
                       "echo ------------编译中...------------", "javac Hello.java",
                       "echo ----------编译+运行完成----------", "java Hello", "pause"}));
        QCOMPARE(env.snapshotFile("Hello.HTML"), QByteArray("<missing>"));
        QCOMPARE(env.console(), QString("------------编译中...------------\n"
                                        "javac Hello.java\n"
                                        "----------编译+运行完成----------\n"
                                        "ran Hello\n"
                                        "请按任意键继续. . . \n"));
        // Afterwards only the build script is left; nothing of the window changed.
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
        QVERIFY(!w.IsSaved);
        QCOMPARE(w.editorText(), kHello);
        QVERIFY(!w.isBuilding());
    }

    void appletBuild() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        MainModule::CompileType = 1;
        MainModule::AppletHeight = 200;
        MainModule::AppletWidth = 400;
        w.setEditorText("public class Hello extends java.applet.Applet {\r\n}");
        clickBuild(w);
        QCOMPARE(env.snapshotFile("Hello.HTML"),
                 crlf({"<html>", "<applet code=\"Hello.class\" height=200 width=400>", "</applet>",
                       "</html>"}));
        QVERIFY(
            env.snapshotFile("Korvath.bat").contains("\r\nappletviewer Hello.HTML\r\npause\r\n"));
        // The JDK has no appletviewer: the program's own runs, by the java on PATH (the
        // stand-in here).
        QVERIFY2(env.console().contains("ran -jar " + appletViewerFolder() +
                                        "/tarneljava-appletviewer.jar Hello.HTML\n"),
                 qPrintable(env.console()));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    void edgeCases_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("compileType");
        QTest::addColumn<int>("classExist");
        QTest::addColumn<QString>("classes");
        QTest::addColumn<QStringList>("leftAfter");
        QTest::newRow("compile type 2: compile only")
            << "class A {}" << 2 << 0 << "A" << QStringList{"Korvath.bat"};
        QTest::newRow("keep class files") << "class A {} class B {}" << 0 << 1 << "A B"
                                          << QStringList{"A.class", "B.class", "Korvath.bat"};
        QTest::newRow("class files not in the list go too")
            << "class A {}" << 0 << 0 << "A A$1" << QStringList{"Korvath.bat"};
    }
    void edgeCases() {
        QFETCH(QString, source);
        QFETCH(int, compileType);
        QFETCH(int, classExist);
        QFETCH(QString, classes);
        QFETCH(QStringList, leftAfter);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_FAKE_CLASSES", classes.toLocal8Bit());
        Frm_java w;
        MainModule::CompileType = qint16(compileType);
        MainModule::ClassExist = qint16(classExist);
        w.setEditorText(source);
        clickBuild(w);
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), leftAfter);
        const QByteArray script = env.snapshotFile("Korvath.bat");
        if (compileType == 2)
            QVERIFY(script.endsWith("编译+运行完成----------\r\npause\r\n"));
    }

    void emptyJavaPathWorksBelowTheRoot() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        start.writeIni("JavaPath=Z:" + QString(start.home("w")).replace('/', '\\').toUtf8() +
                       "\r\n");
        Frm_java w;
        w.setEditorText("class A {}");
        clickBuild(w);
        QVERIFY(env.snapshotFile("Korvath.bat").contains("\r\nZ:\r\ncd Z:"));
        QCOMPARE(filesIn(start.home("w/ClassFiles")), QStringList{"Korvath.bat"});
    }

    void chineseFolderAndSource() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        start.writeIni("JavaPath=D:\\我的Java\r\n");
        Frm_java w;
        w.setEditorText("class 你好 { String s = \"中文\"; }");
        clickBuild(w);
        QCOMPARE(env.snapshotFile("你好.java"),
                 platform::toSystemCodePage("class 你好 { String s = \"中文\"; }\r\n"));
        QVERIFY(env.console().contains("ran 你好"));
        QCOMPARE(filesIn(start.home("我的Java/ClassFiles")), QStringList{"Korvath.bat"});
    }

    // No name for the build (no class found, 文件 empty): nothing is written or run, and the
    // learner is told to type the name into 文件.
    void noNameNoBuild() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        w.setEditorText("System.out.println(1);");
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString());
        MessageBoxAnswerer told(QMessageBox::Ok);
        clickBuild(w);
        QCOMPARE(int(told.seen.size()), 1);
        QCOMPARE(told.seen[0].title, QString("出错"));
        QVERIFY2(told.seen[0].text.contains("没有找到主类名") &&
                     told.seen[0].text.contains("“文件”"),
                 qPrintable(told.seen[0].text));
        QVERIFY(!QFile::exists(env.consoleLog()));
        QVERIFY(!QFileInfo::exists(start.home("MyJava")));
    }

    void folderThatCannotBeCreated() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QFile plain(start.home("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        start.writeIni("JavaPath=D:\\plain\r\n");
        Frm_java w;
        w.setEditorText("class A {}");
        MessageBoxAnswerer told(QMessageBox::Ok);
        clickBuild(w); // nothing to run, no console, no wait: the user is told why
        QCOMPARE(int(told.seen.size()), 1);
        QCOMPARE(told.seen[0].title, QString("出错"));
        QVERIFY(told.seen[0].text.contains("D:\\plain\\ClassFiles"));
        QVERIFY(told.seen[0].text.contains("保存设置"));
        QVERIFY(!QFile::exists(env.consoleLog())); // no console was started
    }

    void secondBuildOverwritesTheScript() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        w.setEditorText("class First {}");
        clickBuild(w);
        w.setEditorText("class Second {}");
        clickBuild(w);
        const QByteArray script = fileBytes(start.home("MyJava/ClassFiles/Korvath.bat"));
        QVERIFY(script.contains("java Second\r\n"));
        QVERIFY(!script.contains("First"));
    }

    void namesThatLeaveTheWorkFolderAreNeverTouched() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QDir().mkpath(start.home("MyJava/ClassFiles"));
        // ".class" is what a name that was set aside would wrongly delete.
        for (const char *name :
             {"MyJava/victim.java", "MyJava/victim.class", "MyJava/ClassFiles/.class"}) {
            QFile f(start.home(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep me");
        }
        Frm_java w;
        w.setEditorText("class ..\\victim {} class ../victim {}");
        QCOMPARE(w.ClassNames, QStringList({"..\\victim", "../victim"}));
        MessageBoxAnswerer told(QMessageBox::Ok);
        clickBuild(w);
        QCOMPARE(int(told.seen.size()), 1);
        QCOMPARE(told.seen[0].title, QString("出错"));
        QCOMPARE(fileBytes(start.home("MyJava/victim.java")), QByteArray("keep me"));
        QCOMPARE(fileBytes(start.home("MyJava/victim.class")), QByteArray("keep me"));
        QCOMPARE(fileBytes(start.home("MyJava/ClassFiles/.class")), QByteArray("keep me"));
    }

    // A control character in the class name (a NUL cuts a file name short) names no file:
    // nothing is written, run on or deleted under it.
    void nameWithAControlCharacter() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QDir().mkpath(start.home("MyJava/ClassFiles"));
        QFile notes(start.home("MyJava/ClassFiles/notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("keep me");
        notes.close();
        Frm_java w;
        w.setEditorText(QString("class notes.txt") + QChar(0) + "x {}");
        QCOMPARE(w.ClassNames.size(), 1);
        MessageBoxAnswerer told(QMessageBox::Ok);
        clickBuild(w);
        QCOMPARE(int(told.seen.size()), 1);
        QCOMPARE(fileBytes(notes.fileName()), QByteArray("keep me"));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList({"notes.txt"}));
    }

    // A name no system takes as a file name, or one that would end the script's commands (a
    // quote undoes the quoting on Windows), stops the build with a message before anything is
    // written; so does a folder of that kind.
    void namesAndFoldersThatStopTheBuild_data() {
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("told");
        QTest::newRow("quotes in the name")
            << "D:\\MyJava"
            << "/* see class \"&calc&\" { public static void main } */ public class Real { }"
            << "类名“\"&calc&\"”不能用作文件名";
        QTest::newRow("device name") << "D:\\MyJava"
                                     << "public class CON {}"
                                     << "类名“CON”";
        QTest::newRow("quote in the folder") << "D:\\a\"&calc&\""
                                             << "public class Hello {}"
                                             << "目录“D:\\a\"&calc&\"”不能用于编译";
        QTest::newRow("a package part that names a device")
            << "D:\\MyJava"
            << "package lessons.con;\npublic class Hello {}"
            << "类名“con”";
        if (platform::kOnWindows) { // the command interpreter's limits
            QTest::newRow("a class name the code page cannot hold")
                << "D:\\MyJava"
                << "public class 한글 {}"
                << "类名“한글”中有系统编码（代码页）无法表示的字符";
            QTest::newRow("a package the code page cannot hold")
                << "D:\\MyJava"
                << "package año;\npublic class Hello {}"
                << "类名“año”中有系统编码";
            QTest::newRow("a network folder") << "\\\\server\\share\\java"
                                              << "public class Hello {}"
                                              << "“\\\\server\\share\\java\\ClassFiles”是网络路径";
            QTest::newRow("a folder too long for a console")
                << "D:\\" + QString(250, 'a') << "public class Hello {}"
                << "编译用的文件夹";
        } else { // no folder of the user's alone for the console's socket and the lock
            QTest::newRow("no private runtime folder") << "<open runtime>"
                                                       << "public class Hello {}"
                                                       << "没有只属于当前用户的临时文件夹";
        }
    }
    void namesAndFoldersThatStopTheBuild() {
        QFETCH(QString, javaPath);
        QFETCH(QString, source);
        QFETCH(QString, told);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        const QByteArray oldTemp = qgetenv("TMPDIR");
        const auto back = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
        if (javaPath == "<open runtime>") {
            javaPath = "D:\\MyJava";
            QVERIFY(QFile::setPermissions(start.runtimeDir.path(), QFile::Permissions(0x7777)));
            const QString own = start.userDir.filePath(
                QString("tarneljava-%1").arg(QFileInfo(start.homeDir.path()).ownerId()));
            QVERIFY(QDir().mkpath(own));
            QVERIFY(QFile::setPermissions(own, QFile::Permissions(0x7777)));
            qputenv("TMPDIR", start.userDir.path().toLocal8Bit());
        }
        start.writeIni("JavaPath=" + javaPath.toUtf8() + "\r\n");
        Frm_java w;
        w.setEditorText(source);
        const QString refusal = refusalOfBuild(w);
        QVERIFY2(refusal.startsWith(told), qPrintable(refusal));
        QCOMPARE(env.compilerRuns(), 0);
        QCOMPARE(QDir(start.home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A text the code page cannot hold whole (Korean under GBK): 编译+运行 asks first, as
    // 保存 does; No builds nothing. (Every character fits a UTF-8 or GB18030 code page.)
    void charactersTheCodePageCannotHold() {
        if (platform::fitsSystemCodePage("한글"))
            QSKIP("the system's code page holds every character");
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        w.setEditorText("\uFEFFpublic class Hello { String s = \"한글\"; }");
        MessageBoxAnswerer answer(QMessageBox::No);
        clickBuild(w);
        QCOMPARE(int(answer.seen.size()), 1);
        QCOMPARE(answer.seen[0].title, QString("编码"));
        QVERIFY(answer.seen[0].text.contains("仍要编译运行吗？"));
        QCOMPARE(env.compilerRuns(), 0);
        QCOMPARE(QDir(start.home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // "%" in a folder is the folder's own character: the script doubles it and the console
    // reads it back, expanding no variable.
    void percentSignsInTheFolder() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        start.writeIni("JavaPath=D:\\100%PATH%x %\r\n");
        Frm_java w;
        w.setEditorText("public class Hello {}");
        clickBuild(w);
        QCOMPARE(env.snapshotFile("Hello.java"), QByteArray("public class Hello {}\r\n"));
        QVERIFY2(env.console().contains("ran Hello"), qPrintable(env.console()));
        QCOMPARE(filesIn(start.home("100%PATH%x %/ClassFiles")), QStringList{"Korvath.bat"});
    }

    // Links left in the work folder are replaced, never written through.
    void linksInTheWorkFolder() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QDir().mkpath(start.home("MyJava/ClassFiles"));
        for (const char *name : {"outside.bat", "outside.java", "outside.HTML"}) {
            QFile f(start.home(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep me");
        }
        QVERIFY(
            QFile::link(start.home("outside.bat"), start.home("MyJava/ClassFiles/Korvath.bat")));
        QVERIFY(
            QFile::link(start.home("outside.java"), start.home("MyJava/ClassFiles/Hello.java")));
        QVERIFY(
            QFile::link(start.home("outside.HTML"), start.home("MyJava/ClassFiles/Hello.HTML")));
        Frm_java w;
        MainModule::CompileType = 1;
        w.setEditorText("public class Hello {}");
        clickBuild(w);
        for (const char *name : {"outside.bat", "outside.java", "outside.HTML"})
            QCOMPARE(fileBytes(start.home(name)), QByteArray("keep me"));
        QCOMPARE(env.snapshotFile("Hello.java"), QByteArray("public class Hello {}\r\n"));
        QVERIFY(env.snapshotFile("Hello.HTML").startsWith("<html>"));
        QVERIFY(!QFileInfo(start.home("MyJava/ClassFiles/Korvath.bat")).isSymLink());
        QVERIFY(env.snapshotFile("Korvath.bat").startsWith("@echo off"));
    }

    // Two copies of the program never build in one work folder at once: the second is told.
    void folderInUseByAnotherBuild() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        Frm_java w;
        w.setEditorText("public class Hello {}");
        {
            const auto other = lockWorkFolder(start.home("MyJava/ClassFiles"));
            QVERIFY(other);
            MessageBoxAnswerer told(QMessageBox::Ok);
            clickBuild(w);
            QCOMPARE(int(told.seen.size()), 1);
            QCOMPARE(told.seen[0].title, QString("出错"));
            QCOMPARE(told.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(env.compilerRuns(), 0);
        }
        clickBuild(w); // the other build has ended
        QCOMPARE(env.compilerRuns(), 1);
        // Another spelling of the folder, through a link, is the same folder.
        QVERIFY(QFile::link(start.home("MyJava"), start.home("alias")));
        {
            const auto other = lockWorkFolder(start.home("alias//ClassFiles/"));
            QVERIFY(other);
            MessageBoxAnswerer told(QMessageBox::Ok);
            clickBuild(w);
            QCOMPARE(int(told.seen.size()), 1);
            QCOMPARE(env.compilerRuns(), 1);
        }
        // The lock lives outside the work folder.
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    // With no javac on PATH the build runs with a JDK found on the machine; with none at all
    // (a runtime alone) the user is told what to install, and nothing is written or run.
    void jdkNotOnPath_data() {
        QTest::addColumn<bool>("jdk");
        QTest::newRow("a JDK found in the folders") << true;
        QTest::newRow("only a runtime") << false;
    }
    void jdkNotOnPath() {
        QFETCH(bool, jdk);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::NoJdkOnPath);
        QTemporaryDir jvm;
        const auto searched = qScopeGuard([] { Frm_java::jdkPlaces = systemJdkPlaces; });
        QVERIFY(searchedJdk(jvm, "21", jdk ? QStringList{"javac", "java"} : QStringList{"java"}));
        Frm_java w;
        w.setEditorText("public class Hello {}");
        MessageBoxAnswerer told(QMessageBox::Ok);
        clickBuild(w);
        if (jdk) {
            QVERIFY(told.seen.empty());
            QVERIFY2(env.console().contains("ran Hello"), qPrintable(env.console()));
            QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
        } else {
            QCOMPARE(int(told.seen.size()), 1);
            QCOMPARE(told.seen[0].title, QString("出错"));
            QVERIFY(told.seen[0].text.contains("JAVA_HOME"));
            QVERIFY(told.seen[0].text.contains("sudo apt install default-jdk"));
            QVERIFY(!QFile::exists(env.consoleLog()));
            QVERIFY(!QFileInfo::exists(start.home("MyJava")));
        }
    }

    // No console: the learner is told why, with the terminal's name where it would not start.
    void noConsole_data() {
        QTest::addColumn<QString>("terminal"); // "": none
        QTest::addColumn<QString>("told");
        QTest::newRow("no terminal") << ""
                                     << "没有找到终端程序（x-terminal-emulator 或 xterm）";
        QTest::newRow("a terminal that fails at once (by its real name)")
            << "fail"
            << "终端程序 xterm 无法启动";
        QTest::newRow("a terminal that cannot be started")
            << "unrunnable"
            << "终端程序 x-terminal-emulator 无法启动";
    }
    void noConsole() {
        QFETCH(QString, terminal);
        QFETCH(QString, told);
        SKIP_WITHOUT_LINUX_CONSOLE();
        FreshStart start;
        BuildEnvironment env(terminal.isEmpty() ? BuildEnvironment::NoTerminal
                                                : BuildEnvironment::FakeJdk);
        qputenv("TARNEL_TERMINAL_MODE", terminal == "fail" ? "fail" : "");
        QTemporaryDir unrunnable; // a terminal whose interpreter is missing: exec fails
        if (terminal == "unrunnable") {
            QFile program(unrunnable.filePath("x-terminal-emulator"));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/nonexistent/interpreter\n");
            program.close();
            QVERIFY(program.setPermissions(program.permissions() | QFile::ExeOwner));
            qputenv("PATH", unrunnable.path().toLocal8Bit() + ":" + qgetenv("PATH"));
        }
        QCOMPARE(runInConsole("D:\\no\\such\\script.bat", 1, QProcessEnvironment()).outcome,
                 RunOutcome::NotStarted);
        Frm_java w;
        w.setEditorText("class A {}");
        const QString refusal = refusalOfBuild(w);
        QVERIFY2(refusal.contains(told), qPrintable(refusal));
        if (!terminal.isEmpty()) // what to do, by what is installed
            QVERIFY2(refusal.contains(QStandardPaths::findExecutable("xterm").isEmpty()
                                          ? "sudo apt install xterm"
                                          : "xterm 已经安装"),
                     qPrintable(refusal));
        // The clean-up ran: only the build script is left.
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    // Windows: a command interpreter that cannot start (a ComSpec that names nothing, a program
    // the system's rules forbid) is told, naming it; nothing of the build is left but the script.
    void interpreterThatCannotStart() {
        if (!platform::kOnWindows)
            QSKIP("the Linux console is a terminal: noConsole");
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("ComSpec", "C:\\no\\such\\cmd.exe");
        Frm_java w;
        w.setEditorText("class A {}");
        const QString refusal = refusalOfBuild(w);
        QVERIFY2(refusal.startsWith("命令解释程序“C:\\no\\such\\cmd.exe”无法启动"),
                 qPrintable(refusal));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    // However the terminal's own process behaves, the build waits for its script and cleans
    // up right after it, and nothing of the build is left running.
    void theWaitFollowsTheScript_data() {
        QTest::addColumn<QByteArray>("mode");
        QTest::newRow("terminal that runs the script and ends with it") << QByteArray();
        QTest::newRow("terminal that hands the script to a running instance")
            << QByteArray("handoff");
        QTest::newRow("terminal that lives on after the script") << QByteArray("linger");
    }
    void theWaitFollowsTheScript() {
        QFETCH(QByteArray, mode);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_TERMINAL_MODE", mode);
        qputenv("TARNEL_TERMINAL_DELAY", "1");
        qputenv("TARNEL_TERMINAL_LINGER", "10");
        Frm_java w;
        w.setEditorText("public class Hello {}");
        clickBuild(w);
        qunsetenv("TARNEL_TERMINAL_MODE");
        // The script had run to its end (it starts a second late) before the clean-up...
        QCOMPARE(env.snapshotFile("Hello.java"), QByteArray("public class Hello {}\r\n"));
        QVERIFY(env.console().endsWith("请按任意键继续. . . \n"));
        // ...and the wait did not wait for a terminal that lives on.
        const qint64 terminal = env.pidIn(env.consoleLog() + ".terminal");
        if (mode == "linger" && terminal > 0)
            QVERIFY2(!env.waitUntilGone(terminal, 0), "the clean-up waited for the terminal");
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
        QVERIFY(env.waitUntilGone(env.pidIn(env.consoleLog() + ".pid"), 2000));
        QVERIFY(env.waitUntilGone(env.pidIn(env.consoleLog() + ".terminal"), 15000));
    }

    // A second 编译+运行 while a build runs starts nothing, and says why and where the running
    // program's console is.
    void windowsAnswerDuringTheBuildAndOneBuildRunsAtATime() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_TERMINAL_DELAY", "1");
        Frm_java w;
        w.setEditorText("public class Hello {}");
        MessageBoxAnswerer told(QMessageBox::Ok);
        int ticks = 0;
        bool clickedAgain = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            if (w.isBuilding() && !clickedAgain) {
                clickedAgain = true;
                clickBuild(w);                                 // told, nothing started
                control<QPushButton>(&w, "Cmd_save")->click(); // saving works meanwhile
                MainModule::ClassExist = 1; // applied options reach this build's clean-up
            }
        });
        timer.start(50);
        qputenv("TARNEL_FAKE_CLASSES", "Hello");
        clickBuild(w);
        QVERIFY(ticks >= 10);
        QVERIFY(clickedAgain);
        QCOMPARE(env.compilerRuns(), 1);
        QCOMPARE(int(told.seen.size()), 1);
        QVERIFY2(told.seen[0].text.contains("上一个程序仍在运行") &&
                     told.seen[0].text.contains("D:\\MyJava\\ClassFiles\\Korvath.bat"),
                 qPrintable(told.seen[0].text));
        QVERIFY(QFile::exists(start.home("MyJava/Hello.java")));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")),
                 QStringList({"Hello.class", "Korvath.bat"}));
    }

    // What the console says before javac runs: the full-width punctuation of the text, and for
    // a compact source file on a JDK before 25 that it needs 25; nothing for other texts.
    void notesBeforeJavac_data() {
        QTest::addColumn<QString>("version"); // the JDK's release file's JAVA_VERSION
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("notes");
        const QString compact = "void main() { int a = 1； }";
        const QString needs25 =
            "提示：这个程序有写在类外面的方法或变量（JDK 25 的精简源文件写法），"
            "需要 JDK 25 或更高版本才能编译；现在用的是 JDK 24。";
        const QString semicolon =
            "提示：第 1 行第 24 列是中文标点“；”，Java 程序里要用英文标点“;”。";
        QTest::newRow("JDK 24: both") << "24" << compact << QStringList{needs25, semicolon};
        QTest::newRow("JDK 25: the punctuation") << "25" << compact << QStringList{semicolon};
        QTest::newRow("a JDK that does not say") << "" << compact << QStringList{semicolon};
        QTest::newRow("a classic program") << "24"
                                           << "class A {}" << QStringList{};
    }
    void notesBeforeJavac() {
        QFETCH(QString, version);
        QFETCH(QString, text);
        QFETCH(QStringList, notes);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::NoJdkOnPath);
        QTemporaryDir jvm;
        const auto searched = qScopeGuard([] { Frm_java::jdkPlaces = systemJdkPlaces; });
        QVERIFY(searchedJdk(jvm, version, {"javac", "java"}));
        Frm_java w;
        w.setEditorText(text);
        clickBuild(w);
        const QString console = env.console();
        const QString banner = "------------编译中...------------\n";
        const qsizetype javac = console.indexOf("\njavac ");
        QVERIFY2(javac > 0, qPrintable(console));
        const QString before = console.mid(0, javac + 1);
        QCOMPARE(before.mid(before.indexOf(banner) + banner.size()),
                 notes.isEmpty() ? QString() : notes.join('\n') + "\n");
    }

    // A build with a JDK that says what it is starts the JDK's warm compiler, named in the
    // user's own runtime folder, once its console has ended.
    void theWarmCompilerIsNamedInTheUsersOwnFolder() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::NoJdkOnPath);
        QTemporaryDir jvm;
        const auto searched = qScopeGuard([] { Frm_java::jdkPlaces = systemJdkPlaces; });
        QVERIFY(searchedJdk(jvm, "17", {"javac", "java"}));
        Frm_java w;
        w.setEditorText("public class Hello {}");
        clickBuild(w);
        const QString started = env.snapshot() + ".server";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 30000);
        const QStringList arguments = QString(fileBytes(started)).split('\n');
        const qsizetype server = arguments.indexOf("tarneljava.javacserver.JavacServer");
        QVERIFY2(server > 0, qPrintable(arguments.join(' ')));
        QCOMPARE(QFileInfo(arguments.value(server + 1)).path(), start.runtimeDir.path());
        QVERIFY(QFileInfo(arguments.value(server + 1)).fileName().startsWith("javac-"));
    }

    // A build file that cannot be written whole stops the build with a message naming it:
    // no console runs an earlier build's script, nothing of the build is left.
    void unwritableBuildFilesStopTheBuild_data() {
        QTest::addColumn<QString>("taken"); // a folder stands where the file goes
        QTest::addColumn<int>("compileType");
        QTest::newRow("the build script") << "Korvath.bat" << 0;
        QTest::newRow("the source copy") << "A.java" << 0;
        QTest::newRow("the applet page") << "A.HTML" << 1;
    }
    void unwritableBuildFilesStopTheBuild() {
        QFETCH(QString, taken);
        QFETCH(int, compileType);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        const QString folder = start.home("MyJava/ClassFiles");
        QVERIFY(QDir().mkpath(folder + "/" + taken));
        Frm_java w;
        MainModule::CompileType = qint16(compileType);
        w.setEditorText("class A {}");
        const QString refusal = refusalOfBuild(w);
        MainModule::CompileType = 0;
        QVERIFY2(refusal.startsWith("无法写入编译用的文件“D:\\MyJava\\ClassFiles\\" + taken + "”"),
                 qPrintable(refusal));
        QCOMPARE(env.compilerRuns(), 0);
        QCOMPARE(filesIn(folder), QStringList()); // the source copy written before is gone
        QVERIFY(QFileInfo(folder + "/" + taken).isDir());
    }

    // A compile that failed marks the editor where javac said, when the text is still the one
    // it compiled; a text edited while the console ran gets no marks.
    void failedCompileMarksTheEditor_data() {
        QTest::addColumn<bool>("edited");
        QTest::newRow("the compiled text") << false;
        QTest::newRow("edited while the console ran") << true;
    }
    void failedCompileMarksTheEditor() {
        QFETCH(bool, edited);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        qputenv("TARNEL_FAKE_ERRORS", "A.java:2: error: boom\\n  int x\\n    ^\\n1 error\\n");
        qputenv("TARNEL_TERMINAL_DELAY", edited ? "1" : "0");
        Frm_java w;
        auto *editor = control<QPlainTextEdit>(&w, "Txt_edit");
        w.setEditorText("class A {\n  int x\n}");
        QTimer edit;
        QObject::connect(&edit, &QTimer::timeout, [&] {
            if (QFile::exists(env.consoleLog() + ".pid")) { // the console runs
                edit.stop();
                editor->appendPlainText("// x");
            }
        });
        if (edited)
            edit.start(20);
        clickBuild(w);
        qunsetenv("TARNEL_FAKE_ERRORS");
        qunsetenv("TARNEL_TERMINAL_DELAY");
        QVERIFY2(env.console().contains("编译没有成功，程序没有运行。"), qPrintable(env.console()));
        QCOMPARE(editor->extraSelections().size(), edited ? 0 : 1);
        QCOMPARE(editor->textCursor().blockNumber(), edited ? 0 : 1); // else where it was
        if (!edited)
            QCOMPARE(editor->textCursor().positionInBlock(), 4);
    }

    // The program quits while a build's console runs (the window closed): the console and the
    // learner's program go on to the pause, what the build wrote stays for them, and the next
    // build in the folder removes it, the class files its compiler made included (a class file
    // that was there before stays). (Last: the quit is undone for the test program after.)
    void quittingLeavesTheConsoleRunning() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::FakeJdk);
        QVERIFY(QDir().mkpath(start.home("MyJava/ClassFiles")));
        QVERIFY(platform::writeLines(start.home("MyJava/ClassFiles/Old.class"), {"old"}));
        qputenv("TARNEL_TERMINAL_DELAY", "2");
        qputenv("TARNEL_FAKE_CLASSES", "A A$1");
        {
            Frm_java w;
            w.setEditorText("class A {}");
            w.IsSaved = true;
            QTimer quit;
            QObject::connect(&quit, &QTimer::timeout, [&] {
                if (QFile::exists(env.consoleLog() + ".pid")) { // the console runs
                    quit.stop();
                    w.close();
                    QCoreApplication::exit(0); // as when the last window closes
                }
            });
            quit.start(20);
            clickBuild(w);
            QVERIFY(!w.isBuilding());
            // The console's process is left to itself, not ended.
            QVERIFY(!env.waitUntilGone(env.pidIn(env.consoleLog() + ".terminal"), 0));
        }
        // Undo the quit, so that the event loops of later tests run.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        QVERIFY(env.waitUntilGone(env.pidIn(env.consoleLog() + ".pid"), 15000));
        QVERIFY2(env.console().contains("ran A\n") &&
                     env.console().endsWith("请按任意键继续. . . \n"),
                 qPrintable(env.console()));
        const QString folder = start.home("MyJava/ClassFiles");
        QVERIFY(QFile::exists(folder + "/A.java"));
        qunsetenv("TARNEL_TERMINAL_DELAY");
        qputenv("TARNEL_FAKE_CLASSES", "B");
        Frm_java next;
        next.setEditorText("class B {}");
        clickBuild(next);
        QCOMPARE(filesIn(folder), QStringList({"Korvath.bat", "Old.class"}));
    }
};

QTEST_MAIN(TestComp)
#include "test_comp.moc"
