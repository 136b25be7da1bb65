// A Chinese program built under a zh_CN.GB18030 locale (the tests' own, through LOCPATH): the
// source copy, the script and the console's own texts are in the locale's encoding, javac is
// told it, and the program's output reads right, as does Chinese typed into a Scanner; with
// JDK 17, which reads the locale's encoding, and with the newest JDK, which would read UTF-8.
// The build runs through the program's own launchers, as the window's builds do.
#include "BuildEnvironment.h"
#include "buildrun/JavacArchive.h"
#include "buildrun/JdkSearch.h"

#include <QtTest>

namespace {
const QString kSource = "public class Hello {\r\n"
                        "    // 注释: 中文\r\n"
                        "    public static void main(String[] args) {\r\n"
                        "        System.out.println(\"中文输出 \" + \"汉字\".length());\r\n"
                        "        java.util.Scanner in = new java.util.Scanner(System.in);\r\n"
                        "        String line = in.nextLine();\r\n"
                        "        System.out.println(\"读到: \" + line + \" \" + line.length());\r\n"
                        "    }\r\n"
                        "}";
} // namespace

class TestBuildGb18030 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFile::exists(kTestLocaleFolder + "/zh_CN.GB18030/LC_CTYPE"))
            QSKIP("the zh_CN.GB18030 locale could not be made (localedef, the locales package)");
        QCOMPARE(platform::javaNameOfSystemCodePage(), QString("GB18030"));
    }

    void chineseProgram_data() {
        QTest::addColumn<QString>("jdkBin");
        QTest::addColumn<QByteArray>("terminalMode");
        QTest::newRow("the configured JDK") << kTestJdkBin << QByteArray();
        QTest::newRow("the newest JDK") << kTestNewJdkBin << QByteArray();
        // A terminal that runs the interpreter in a C locale of its own: the build's locale
        // comes with the build's environment.
        QTest::newRow("a terminal with a locale of its own")
            << kTestJdkBin << QByteArray("foreign");
    }
    void chineseProgram() {
        QFETCH(QString, jdkBin);
        QFETCH(QByteArray, terminalMode);
        if (jdkBin.isEmpty())
            QSKIP("no such JDK on this machine");
        FreshFolders start;
        BuildEnvironment env(BuildEnvironment::RealJdk);
        qputenv("TARNEL_TERMINAL_MODE", terminalMode);
        QStringEncoder gb18030("GB18030");
        qputenv("TARNEL_TERMINAL_INPUT", gb18030.encode(QString("你好世界")));
        const auto typed = qScopeGuard([] { qunsetenv("TARNEL_TERMINAL_INPUT"); });
        BuildRequest request = buildOfA();
        request.javaPath = "D:\\我的Java";
        request.className = "Hello";
        request.scannedNames = {"Hello"};
        request.source = kSource;
        const Jdk jdk = jdkOfBin(jdkBin);
        request.environment =
            buildEnvironment(QProcessEnvironment::systemEnvironment(), jdk,
                             jdkLaunchFor(jdk, start.home(".cache"), false),
                             platform::javaNameOfSystemCodePage(), jdkLauncherFolder(), QString());
        Build build(request);
        build.writeFiles();
        QCOMPARE(fileBytes(start.home("我的Java/ClassFiles/Hello.java")),
                 QByteArray(gb18030.encode(kSource + "\r\n")));
        QCOMPARE(build.run(1).outcome, RunOutcome::Ended);
        const QByteArray console = fileBytes(env.consoleLog());
        for (const QString &text :
             {QString("------------编译中...------------\n"), QString("中文输出 2\n"),
              QString("读到: 你好世界 4\n"), QString("请按任意键继续")})
            QVERIFY2(console.contains(QByteArray(gb18030.encode(text))), console.constData());
        build.cleanUp(false);
        QCOMPARE(filesIn(start.home("我的Java/ClassFiles")), QStringList{"Korvath.bat"});
    }
};

// The locale is the process's from its start.
int main(int argc, char *argv[]) {
    qputenv("LOCPATH", kTestLocaleFolder.toLocal8Bit());
    qputenv("LC_ALL", "zh_CN.GB18030");
    QCoreApplication app(argc, argv);
    TestBuildGb18030 test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_build_gb18030.moc"
