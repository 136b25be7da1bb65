#include "TestSupport.h"
#include "buildrun/BuildEnvironment.h"
#include "buildrun/JavacArchive.h"
#include "buildrun/JdkSearch.h"
#include "editor/PackageLine.h"
#include "ui/EditorErrorMarks.h"

#include <QAccessible>
#include <QTextBlock>

#include <QtTest>

namespace {
// javac through the program's launcher, as the console's interpreter runs it (the archive's
// maker waits for the interpreter, here a shell, to end): its exit code and all it printed.
QPair<int, QByteArray> compileWithLauncher(const Jdk &jdk, const JdkLaunch &launch,
                                           const QString &folder) {
    QProcess process;
    process.setProcessEnvironment(buildEnvironment(QProcessEnvironment::systemEnvironment(), jdk,
                                                   launch, "UTF-8", jdkLauncherFolder(),
                                                   QString()));
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("/bin/sh", {"-c", "javac Hello.java"});
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAll()};
}
} // namespace

// Builds through the real window and the real JDK that the tests were configured with.
class TestBuildRealJdk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SKIP_WITHOUT_LINUX_CONSOLE();
        if (kTestJdkBin.isEmpty())
            QFAIL("no JDK was found when the tests were configured (scripts/install-deps.sh "
                  "installs one)");
        useUtf8LocaleWhenNoneIsSet(); // for the javac the tests run themselves too
    }

    // javac's archive with the real JDKs: made beside the first compile, which waits for it no
    // more than for plain javac; used by the next; a cut archive is made anew; every compile
    // prints nothing the learner did not cause.
    void javacArchive_data() {
        QTest::addColumn<QString>("bin");
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("used");
        QTest::newRow("the configured JDK") << kTestJdkBin << "make"
                                            << "use";
        QTest::newRow("the newest JDK") << kTestNewJdkBin << "make-auto"
                                        << "auto";
    }
    void javacArchive() {
        QFETCH(QString, bin);
        QFETCH(QString, made);
        QFETCH(QString, used);
        if (bin.isEmpty())
            QSKIP("no such JDK on this machine");
        const Jdk jdk = jdkOfBin(bin);
        if (jdk.version < 13)
            QSKIP("a JDK before 13 has no archive of its own classes");
        QTemporaryDir root;
        const QString cache = root.filePath("缓存 cache");
        QVERIFY(platform::writeLines(root.filePath("Hello.java"),
                                     {"public class Hello { public static void main(String[] a) "
                                      "{ System.out.println(\"hi\"); } }"}));
        for (const char *step : {"first", "second", "cut"}) {
            const JdkLaunch launch = jdkLaunchFor(jdk, cache, true);
            QCOMPARE(launch.javacStart, QString(step == QString("second") ? used : made));
            QFile::remove(root.filePath("Hello.class"));
            const auto [exitCode, printed] = compileWithLauncher(jdk, launch, root.path());
            QVERIFY2(exitCode == 0 && printed.isEmpty(), printed.constData());
            QVERIFY(QFile::exists(root.filePath("Hello.class")));
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(launch.javacArchive).size() > 0, 120000);
            if (step == QString("second")) { // cut it for the next build
                QFile archive(launch.javacArchive);
                QVERIFY(archive.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
                QVERIFY(archive.resize(archive.size() / 2));
            }
        }
    }

    // The package line as the build reads it against javac's own reading: each text javac
    // accepts is compiled, and the folder its class file went to names the package.
    void packageLinesAsJavacReadsThem() {
        const QStringList heads = {"",
                                   "package a;",
                                   "package a.b.c;",
                                   "\uFEFFpackage a;",
                                   "/* x */ package a /* y */ ;",
                                   "// c\npackage a;",
                                   "\\u0070ackage a;",
                                   "package a\\u002eb;",
                                   "// \\u000a package a;",
                                   "package a\\uuu002eb;",
                                   "package $a;",
                                   "package €b;",
                                   "package a_1.$2;",
                                   "package ‿c;",
                                   "package e\u0301t;",
                                   "package a\u200bb;",
                                   "package 练习.第一章;",
                                   "package 𠀀x;",
                                   "/* package a; */",
                                   "// package a;",
                                   "package\ta\f.\nb;",
                                   "\\u002f\\u002f x\npackage a;",
                                   "\\u002a comment no;"};
        QTemporaryDir root;
        int accepted = 0;
        for (int i = 0; i < heads.size(); ++i) {
            const QString folder = root.filePath(QString::number(i));
            QVERIFY(QDir().mkpath(folder + "/out"));
            const QString text = heads.at(i) + "\npublic class P {}\n";
            QFile file(folder + "/P.java");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
            file.close();
            QProcess javac;
            javac.setWorkingDirectory(folder);
            javac.start(kTestJdkBin + "/javac", {"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                                                 "-encoding", "UTF-8", "-d", "out", "P.java"});
            QVERIFY(javac.waitForFinished(120000));
            if (javac.exitCode() != 0)
                continue; // javac does not take it: no package to agree on
            ++accepted;
            QDirIterator classes(folder + "/out", {"P.class"}, QDir::Files,
                                 QDirIterator::Subdirectories);
            QVERIFY(classes.hasNext());
            const QString where =
                QDir(folder + "/out").relativeFilePath(QFileInfo(classes.next()).path());
            const QString package = where == "." ? QString() : where.split('/').join('.');
            QVERIFY2(declaredPackage(text) == package,
                     qPrintable(heads.at(i) + " -> javac: " + package +
                                ", the build: " + declaredPackage(text)));
        }
        QVERIFY(accepted >= heads.size() - 2);
    }

    // Today's sources opened with 打开 and built: a compact source file (JDK 25) runs on JDK 25
    // under its file's name and, on an older JDK, gets a one-line hint before javac's message;
    // a UTF-8 file with a byte-order mark compiles, its package line seen.
    void todaysSourcesOpenedAndBuilt_data() {
        QTest::addColumn<QString>("jdkBin");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("printed");
        const QByteArray compact = "// A program without a class declaration.\nvoid main() {\n"
                                   "    System.out.println(\"精简 ran\");\n}\n";
        QTest::newRow("compact, the configured JDK: the hint first")
            << kTestJdkBin << compact
            << "提示：这个程序有写在类外面的方法或变量（JDK 25 的精简源文件写法）";
        QTest::newRow("compact, the newest JDK: it runs")
            << kTestNewJdkBin << compact << "精简 ran";
        QTest::newRow("a UTF-8 file with a byte-order mark")
            << kTestJdkBin
            << QByteArray("\xEF\xBB\xBFpackage p;\npublic class Greet { public static void "
                          "main(String[] a) { System.out.println(\"bom 你好 ran\"); } }\n")
            << "bom 你好 ran";
    }
    void todaysSourcesOpenedAndBuilt() {
        QFETCH(QString, jdkBin);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, printed);
        if (jdkBin.isEmpty() || (printed == "精简 ran" && jdkOfBin(jdkBin).version < 25))
            QSKIP("no JDK 25 on this machine");
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        qputenv("PATH", (jdkBin + ":").toLocal8Bit() + qgetenv("PATH"));
        const QString path = start.home("Greet.java");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        Frm_java w;
        const auto dialog = Frm_java::chooseOpenFile;
        Frm_java::chooseOpenFile = [path](QWidget *, const QString &) { return path; };
        control<QPushButton>(&w, "Cmd_open")->click();
        Frm_java::chooseOpenFile = dialog;
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Greet"));
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QVERIFY2(env.console().contains(printed), qPrintable(env.console()));
        QCOMPARE(QDir(start.home("MyJava/ClassFiles"))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Korvath.bat"});
    }

    // A failed compile through the window: the console says the program did not run (and no
    // "main class not found" follows); the editor marks every line with an error, its cursor
    // on the first error's place with the focus; the mouse over a marked line shows javac's
    // messages; F4 goes from error to error and from the last back to the first; an edited line
    // loses its mark; a screen reader hears the current error.
    void compileErrorsShownInTheEditor() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        w.show();
        auto *editor = control<QPlainTextEdit>(&w, "Txt_edit");
        w.setEditorText("public class Marks {\n"
                        "    public static void main(String[] args) {\n"
                        "\tint a = \"text\";\n"
                        "        System.out.println(undefinedName);\n"
                        "        String s = a;\n"
                        "    }\n"
                        "}\n");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        const QString console = env.console();
        QVERIFY2(console.contains("编译没有成功，程序没有运行。请按上面的错误提示修改程序后再试。"),
                 qPrintable(console));
        QVERIFY2(!console.contains("Marks.class") && !console.contains("main class") &&
                     !console.contains("主类"),
                 qPrintable(console));
        auto *marks = w.findChild<EditorErrorMarks *>();
        QVERIFY(marks);
        const auto place = [editor] {
            const QTextCursor cursor = editor->textCursor();
            return QPoint(cursor.blockNumber() + 1, cursor.positionInBlock() + 1);
        };
        QCOMPARE(marks->count(), 3);
        QCOMPARE(editor->extraSelections().size(), 3);
        QCOMPARE(place(), QPoint(3, 10)); // after the tab, in characters
        QTRY_VERIFY(editor->hasFocus());
        QCOMPARE(editor->accessibleDescription(),
                 QString("incompatible types: String cannot be converted to int"));
        const auto lineAt = [editor](int line) {
            QTextCursor cursor(editor->document()->findBlockByNumber(line - 1));
            return editor->cursorRect(cursor).center();
        };
        QCOMPARE(marks->messagesAt(lineAt(4)),
                 QString("cannot find symbol\nsymbol:   variable undefinedName\nlocation: class "
                         "Marks"));
        QCOMPARE(marks->messagesAt(lineAt(2)), QString());
        for (const QPoint next : {QPoint(4, 28), QPoint(5, 20), QPoint(3, 10)}) {
            QTest::keyClick(editor, Qt::Key_F4);
            QCOMPARE(place(), next);
        }
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, " // x");
        QCOMPARE(marks->count(), 2);
        QCOMPARE(marks->messagesAt(lineAt(3)), QString());
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Return); // the marked lines move down with the text
        QCOMPARE(marks->messagesAt(lineAt(5)).left(18), QString("cannot find symbol"));
        w.setEditorText("class Other {}");
        QCOMPARE(marks->count(), 0);
        QCOMPARE(editor->extraSelections().size(), 0);
        QCOMPARE(editor->accessibleDescription(), QString());
    }

    // Punctuation typed with a Chinese input method: named in Chinese before javac's own text,
    // marked in the editor; the program does not run.
    void fullWidthPunctuationNamed() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        w.setEditorText("public class Punct {\n    public static void main(String[] args) {\n"
                        "        System.out.println（\"你好；\"）；\n    }\n}\n");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        const QString console = env.console();
        const QStringList hints{
            "提示：第 3 行第 27 列是中文标点“（”，Java 程序里要用英文标点“(”。",
            "提示：第 3 行第 33 列是中文标点“）”，Java 程序里要用英文标点“)”。",
            "提示：第 3 行第 34 列是中文标点“；”，Java 程序里要用英文标点“;”。"};
        const qsizetype javacSays = console.indexOf("Punct.java:3:");
        QVERIFY2(javacSays > 0 && console.lastIndexOf(hints.last()) < javacSays &&
                     console.contains(hints.join('\n')),
                 qPrintable(console));
        QVERIFY(console.contains("编译没有成功，程序没有运行。"));
        auto *editor = control<QPlainTextEdit>(&w, "Txt_edit");
        QCOMPARE(editor->textCursor().blockNumber(), 2);
        QCOMPARE(editor->textCursor().positionInBlock(), 18); // javac's "not a statement"
        QCOMPARE(editor->extraSelections().size(), 1);        // one line
        QCOMPARE(control<QPlainTextEdit>(&w, "Txt_edit")
                     ->findChild<EditorErrorMarks *>()
                     ->messagesAt(editor->cursorRect().center())
                     .count('\n'),
                 6); // javac's four messages and the three hints
    }

    // An applet whose compile failed is not shown: the project's viewer runs through java.
    void noAppletAfterAFailedCompile() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        qunsetenv("DISPLAY");
        Frm_java w;
        MainModule::CompileType = 1;
        w.setEditorText("public class Board extends java.applet.Applet { int x = }");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        const QString console = env.console();
        QVERIFY2(console.contains("编译没有成功，程序没有运行。") &&
                     !console.contains("小应用程序"),
                 qPrintable(console));
    }

    void helloIsCompiledAndRun() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        auto *editor = control<QPlainTextEdit>(&w, "Txt_edit");
        QTest::keyClicks(editor, "public class Hello { public static void main(String[] a) { "
                                 "System.out.println(\"Hello from TarnelJava\"); } }");
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Hello"));
        // The focus goes back to the editor, its cursor where it was: an Enter typed after the
        // console closed does not start another build.
        w.show();
        editor->moveCursor(QTextCursor::Start);
        control<QPushButton>(&w, "Cmd_byyx")->setFocus();
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QTRY_VERIFY(editor->hasFocus());
        QCOMPARE(editor->textCursor().position(), 0);
        QCOMPARE(editor->extraSelections().size(), 0);
        const QString console = env.console();
        const qsizetype compiling = console.indexOf("------------编译中...------------");
        const qsizetype done = console.indexOf("----------编译+运行完成----------");
        const qsizetype output = console.indexOf("Hello from TarnelJava");
        const qsizetype pause = console.indexOf("请按任意键继续. . .");
        QVERIFY2(compiling >= 0 && compiling < done && done < output && output < pause,
                 qPrintable(console));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    void classFilesAreKeptWhenAsked() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        MainModule::ClassExist = 1;
        w.setEditorText("class Util {}\r\npublic class Main { public static void main(String[] "
                        "a) { System.out.println(\"main ran\"); } }");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QVERIFY2(env.console().contains("main ran"), qPrintable(env.console()));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")),
                 QStringList({"Korvath.bat", "Main.class", "Util.class"}));
    }

    // Exercises made in an IDE begin with a package line: they run as javac -d and java p.Name
    // run them by hand, and the work folder is clean afterwards. An applet in a package is found
    // by the viewer (which, with no display here, says only that it cannot open its window).
    void packageProgramsRun_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("compileType");
        QTest::addColumn<QString>("printed");
        QTest::newRow("Chinese class name")
            << "package base2;\r\n\r\npublic class 九九乘法表 {\r\n    public static void "
               "main(String[] args) {\r\n        System.out.println(\"9 x 9 = \" + 9 * 9);\r\n"
               "    }\r\n}"
            << 0 << "9 x 9 = 81";
        QTest::newRow("deep package, comment first")
            << "// 作业\r\npackage com.example.hw;\r\nclass Util { static int f() { return 7; } "
               "}\r\npublic class Main { public static void main(String[] a) { "
               "System.out.println(\"util \" + Util.f()); } }"
            << 0 << "util 7";
        QTest::newRow("an applet")
            << "package games;\r\npublic class Board extends java.applet.Applet {}" << 1
            << "----------编译+运行完成----------\n无法打开小应用程序的窗口: 没有图形显示。\n";
    }
    void packageProgramsRun() {
        QFETCH(QString, source);
        QFETCH(int, compileType);
        QFETCH(QString, printed);
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        qunsetenv("DISPLAY");
        Frm_java w;
        MainModule::CompileType = qint16(compileType);
        w.setEditorText(source);
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QVERIFY2(env.console().contains(printed), qPrintable(env.console()));
        QCOMPARE(QDir(start.home("MyJava/ClassFiles"))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Korvath.bat"});
    }

    // No javac on PATH: the build finds the JDK under its folders and runs javac and java of
    // it; javac takes the source's encoding from the environment without a word.
    void jdkFoundWhereThePathHasNone() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::NoJdkOnPath);
        QTemporaryDir jvm;
        QVERIFY(QFile::link(QFileInfo(kTestJdkBin).path(), jvm.filePath("java-17-openjdk")));
        Frm_java::jdkPlaces = [&jvm] {
            JdkPlaces places;
            places.folders = {jvm.path()};
            return places;
        };
        Frm_java w;
        w.setEditorText("public class Hello { public static void main(String[] a) { "
                        "System.out.println(\"你好 from the found JDK\"); } }");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QVERIFY2(env.console().contains("你好 from the found JDK"), qPrintable(env.console()));
        QVERIFY2(!env.console().contains("Picked up"), qPrintable(env.console()));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }

    void compileErrorLeavesNothingBehind() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        w.setEditorText("public class Broken { void f() { int x = ; } }");
        control<QPushButton>(&w, "Cmd_byyx")->click();
        QVERIFY2(env.console().contains("Broken.java"), qPrintable(env.console()));
        QCOMPARE(filesIn(start.home("MyJava/ClassFiles")), QStringList{"Korvath.bat"});
    }
};

QTEST_MAIN(TestBuildRealJdk)
#include "test_build_real_jdk.moc"
