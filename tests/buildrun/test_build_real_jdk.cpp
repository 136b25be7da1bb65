#include "BuildEnvironment.h"

#include <QtTest>

// Builds through the real window and the real JDK that the tests were configured with.
class TestBuildRealJdk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SKIP_WITHOUT_LINUX_CONSOLE();
        if (kTestJdkBin.isEmpty())
            QFAIL("no JDK was found when the tests were configured (scripts/install-deps.sh "
                  "installs one)");
    }

    void helloIsCompiledAndRun() {
        FreshStart start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        Frm_java w;
        QTest::keyClicks(control<QPlainTextEdit>(&w, "Txt_edit"),
                         "public class Hello { public static void main(String[] a) { "
                         "System.out.println(\"Hello from TarnelJava\"); } }");
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Hello"));
        control<QPushButton>(&w, "Cmd_byyx")->click();
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
