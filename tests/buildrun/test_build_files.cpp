#include "CommandInterpreterModel.h"
#include "ReadOnlyFolder.h"
#include "TestFiles.h"
#include "buildrun/BuildFiles.h"
#include "buildrun/CreateNewDirectory.h"
#include "buildrun/JdkSearch.h"
#include "buildrun/SaveText.h"
#include "platform/PathMapping.h"
#include "platform/System.h"
#include "platform/TextFiles.h"

#include "buildrun/JavacArchive.h"
#include "jdklaunch/JdkLaunch.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <utime.h>

namespace {
QString exe() {
    return platform::kOnWindows ? ".exe" : "";
}

// A JDK's folder: its tools as programs in bin/, and (where `jdk`) its release file.
bool makeJdk(const QString &home, const QStringList &tools = {"javac", "java"}, bool jdk = true,
             const QByteArray &release = "JAVA_VERSION=\"17.0.2\"\n") {
    if (!QDir().mkpath(home + "/bin"))
        return false;
    for (const QString &tool : tools) {
        QFile file(home + "/bin/" + tool + exe());
        if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n") < 0)
            return false;
        file.close();
        if (!file.setPermissions(file.permissions() | QFile::ExeOwner))
            return false;
    }
    QFile file(home + "/release");
    return !jdk || (file.open(QIODevice::WriteOnly) && file.write(release) == release.size());
}
} // namespace

class TestBuildFiles : public QObject {
    Q_OBJECT

private slots:
    void scriptLines_data() {
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("compileType");
        QTest::addColumn<QStringList>("lines");
        const QString compiling = "echo ------------编译中...------------";
        const QString done = "echo ----------编译+运行完成----------";
        QTest::newRow("worked example, applet")
            << "D:\\MyJava"
            << "Hello" << 1
            << QStringList{"@echo off",        "D:", "cd D:\\MyJava\\ClassFiles", compiling,
                           "javac Hello.java", done, "appletviewer Hello.HTML",   "pause"};
        QTest::newRow("standard program") << "E:\\Work"
                                          << "Main" << 0 << QStringList{"@echo off",
                                                                        "E:",
                                                                        "cd E:\\Work\\ClassFiles",
                                                                        compiling,
                                                                        "javac Main.java",
                                                                        done,
                                                                        "java Main",
                                                                        "pause"};
        QTest::newRow("other compile type: no run line")
            << "D:\\MyJava"
            << "A" << 2 << QStringList{"@echo off", "D:",           "cd D:\\MyJava\\ClassFiles",
                                       compiling,   "javac A.java", done,
                                       "pause"};
        QTest::newRow("empty class name")
            << "D:\\MyJava"
            << "" << 0 << QStringList{"@echo off", "D:",          "cd D:\\MyJava\\ClassFiles",
                                      compiling,   "javac .java", done,
                                      "java ",     "pause"};
        QTest::newRow("empty JavaPath")
            << ""
            << "A" << 0 << QStringList{"@echo off",    "",   "cd \\ClassFiles", compiling,
                                       "javac A.java", done, "java A",          "pause"};
        // "&" and its kind would end the command and start another.
        QTest::newRow("command separators quoted")
            << "D:\\a&calc"
            << "x|y" << 0 << QStringList{"@echo off",
                                         "D:",
                                         "cd \"D:\\a&calc\\ClassFiles\"",
                                         compiling,
                                         "javac \"x|y.java\"",
                                         done,
                                         "java \"x|y\"",
                                         "pause"};
        // "^" escapes the next character, "<" and ">" redirect: quoted as well.
        QTest::newRow("escape and redirection quoted") << "D:\\a^b"
                                                       << "x<y>z" << 1
                                                       << QStringList{"@echo off",
                                                                      "D:",
                                                                      "cd \"D:\\a^b\\ClassFiles\"",
                                                                      compiling,
                                                                      "javac \"x<y>z.java\"",
                                                                      done,
                                                                      "appletviewer \"x<y>z.HTML\"",
                                                                      "pause"};
        // The command interpreter expands "%PATH%" and drops a lone "%"; "%%" reads as "%".
        QTest::newRow("percent signs doubled")
            << "D:\\100%PATH%x"
            << "A%1" << 0 << QStringList{"@echo off",
                                         "D:",
                                         "cd D:\\100%%PATH%%x\\ClassFiles",
                                         compiling,
                                         "javac A%%1.java",
                                         done,
                                         "java A%%1",
                                         "pause"};
        // Line 2 changes the drive, or is empty: "ls" or " D" would run as a command.
        QTest::newRow("no drive letter: no drive change")
            << "ls\\x"
            << "A" << 0
            << QStringList{
                   "@echo off", "",     "cd ls\\x\\ClassFiles", compiling, "javac A.java", done,
                   "java A",    "pause"};
        QTest::newRow("space before the drive")
            << " D:\\x"
            << "A" << 2
            << QStringList{"@echo off", "",     "cd  D:\\x\\ClassFiles", compiling, "javac A.java",
                           done,        "pause"};
        // The rest of a line after a line break would run as a command of its own.
        QTest::newRow("line breaks in the values")
            << "D:\\MyJava\ntouch INJECTED" << QString("A") + QChar(0) + "\r\ncalc" << 0
            << QStringList{"@echo off", "D:",           "cd D:\\MyJava\\ClassFiles",
                           compiling,   "javac A.java", done,
                           "java A",    "pause"};
    }
    // Folders that no system takes, or that would end the script's commands, stop the build.
    void workingFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("valid");
        QTest::newRow("default") << "D:\\MyJava" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("space, &, ^, %, parentheses") << "D:\\my java (1) & co ^ 100%" << true;
        QTest::newRow("Chinese") << "D:\\我的Java" << true;
        QTest::newRow("relative") << "work" << true;
        for (const char *bad : {"D:\\a\"&calc&\"", "D:\\a*", "D:\\a?", "D:\\a<b", "D:\\a>b",
                                "D:\\a|b", "D:\\a:b", "D::", ":x"})
            QTest::newRow(bad) << bad << false;
        QTest::newRow("tab") << "D:\\a\tb" << false;
        QTest::newRow("direction override") << QString("D:\\\u202Ex") << false;
    }
    void workingFolders() {
        QFETCH(QString, folder);
        QFETCH(bool, valid);
        QCOMPARE(isValidWorkingFolder(folder), valid);
    }

    // Generated names and folders: whatever the build takes makes a script whose every line
    // is one command of the build's own; a quote in a name or folder is never taken.
    void hostileNamesAndFoldersRunOnlyTheBuild() {
        QRandomGenerator random(20261208);
        int taken = 0;
        for (int n = 0; n < 20000; ++n) {
            const QString folder =
                (random.bounded(2) ? QString("D:\\") : QString()) + hostileText(random, 12);
            const QString name = hostileText(random, 8);
            const bool quote = folder.contains('"') || name.contains('"');
            if (!isValidWorkingFolder(folder) || !isValidClassName(name))
                continue;
            QVERIFY2(!quote, qPrintable(folder + " / " + name));
            ++taken;
            const QString fault = checkScriptOf(folder, name, qint16(n % 3));
            QVERIFY2(fault.isEmpty(), qPrintable(folder + " / " + name + ": " + fault));
        }
        QVERIFY(taken > 1000);
    }

    void scriptLines() {
        QFETCH(QString, javaPath);
        QFETCH(QString, className);
        QFETCH(int, compileType);
        QFETCH(QStringList, lines);
        QCOMPARE(buildScriptLines(javaPath, className, qint16(compileType)), lines);
    }

    void appletPage_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("appletLine");
        QTest::newRow("start values")
            << 200 << 400 << "<applet code=\"Hello.class\" height=200 width=400>";
        QTest::newRow("negative") << -1 << 12 << "<applet code=\"Hello.class\" height=-1 width=12>";
    }
    // The source copy's name, read back from the script as the console will run it.
    void sourceCopyNames() {
        for (const QString name : {"九九乘法表", "a%b", "x%%y%"})
            for (const QString package : {"", "p.q"})
                QCOMPARE(sourceCopyNameInScript(buildScriptLines("D:\\MyJava", name, 0, package)),
                         name);
        QCOMPARE(sourceCopyNameInScript({"@echo off", "java A"}), QString());
        QCOMPARE(sourceCopyNameInScript({"javac A.class"}), QString());
    }
    // A package program is compiled into its folders and run by its full name.
    void packagePrograms() {
        const QStringList standard = buildScriptLines("D:\\MyJava", "九九乘法表", 0, "base2");
        QCOMPARE(standard.at(4), QString("javac -d . 九九乘法表.java"));
        QCOMPARE(standard.at(6), QString("java base2.九九乘法表"));
        const QStringList applet = buildScriptLines("D:\\MyJava", "Clock", 1, "a.b");
        QCOMPARE(applet.at(4), QString("javac -d . Clock.java"));
        QCOMPARE(applet.at(6), QString("appletviewer Clock.HTML"));
        QCOMPARE(appletPageLines("Clock", 200, 400, "a.b").at(1),
                 QString("<applet code=\"a.b.Clock.class\" height=200 width=400>"));
        QCOMPARE(packageFolder("a.b"), QString("a\\b"));
        // Without a package, exactly the script of every other build.
        QCOMPARE(buildScriptLines("D:\\MyJava", "A", 0, ""),
                 buildScriptLines("D:\\MyJava", "A", 0));
    }

    void appletPage() {
        QFETCH(int, height);
        QFETCH(int, width);
        QFETCH(QString, appletLine);
        QCOMPARE(appletPageLines("Hello", qint16(height), qint16(width)),
                 QStringList({"<html>", appletLine, "</applet>", "</html>"}));
    }

    void classNamesThatNameFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("class") << "Hello" << true;
        QTest::newRow("type parameter: no Windows file name") << "Foo<T>" << false;
        QTest::newRow("dollar and digits") << "A$1" << true;
        QTest::newRow("Chinese") << "九九乘法表" << true;
        for (const char *bad : {"\"&calc&\"", "a*b", "a?b", "a:b", "a|b", "a>b"})
            QTest::newRow(bad) << bad << false;
        QTest::newRow("trailing dot") << "A." << false;
        QTest::newRow("trailing space") << "A " << false;
        QTest::newRow("inner dot") << "a.b" << true;
        for (const char *device : {"CON", "prn", "Aux", "NUL", "COM1", "lpt9", "con.txt"})
            QTest::newRow(device) << device << false;
        QTest::newRow("device-like, longer") << "CONSOLE" << true;
        QTest::newRow("COM0 is no device") << "COM0" << true;
        QTest::newRow("direction override") << QString("A\u202Eavaj.exe") << false;
        QTest::newRow("zero-width space") << QString("A\u200BB") << false;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("backslash") << "..\\..\\x" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("NUL") << QString("notes.txt") + QChar(0) + "x" << false;
        QTest::newRow("control character") << "A\x01"
                                              "B"
                                           << false;
        QTest::newRow("C1 control") << "A\u0085" << false;
        QTest::newRow("255 characters") << QString(255, 'x') << true;
        QTest::newRow("256 characters") << QString(256, 'x') << false;
    }
    void classNamesThatNameFiles() {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(isValidClassName(name), plain);
    }

    void foldersAreCreatedOutermostFirst() {
        QTemporaryDir dir;
        const QString root = platform::toWindowsPath(dir.path());
        createFoldersAlong(root + "\\a\\b\\c");
        QVERIFY(QDir(dir.filePath("a/b/c")).exists());
        createFoldersAlong(root + "\\a\\b\\c\\"); // all there: nothing to do, nothing fails
        QVERIFY(QDir(dir.filePath("a/b/c")).exists());
        QFile file(dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        createFoldersAlong(root + "\\file\\below\\"); // cannot be made; ignored
        QVERIFY(!QDir(dir.filePath("file/below")).exists());
    }

    void savedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cut");
        QTest::addColumn<bool>("written");
        QTest::newRow("blank lines after") << "class A {\r\n}\r\n\r\n"
                                           << "class A {\r\n}" << true;
        QTest::newRow("ends in brace") << "class A {}"
                                       << "class A {}" << true;
        QTest::newRow("stray characters") << "{ } x y"
                                          << "{ }" << true;
        QTest::newRow("no brace") << "class A"
                                  << "class A" << false;
    }
    void savedText() {
        QFETCH(QString, text);
        QFETCH(QString, cut);
        QFETCH(bool, written);
        const auto result = textUpToLastBrace(text);
        QCOMPARE(result.has_value(), written);
        QCOMPARE(result.value_or(text), cut);
    }

    void savedPaths() {
        QCOMPARE(savedSourcePath("D:\\MyJava", "Hello"), QString("D:\\MyJava\\Hello.java"));
        QCOMPARE(savedSourcePath("D:\\MyJava", ""), QString("D:\\MyJava\\None_Name.java"));
        QCOMPARE(savedSourcePath("D:\\", "A"), QString("D:\\\\A.java"));
    }

    // Where no javac is on PATH: JAVA_HOME, the installers' entries, the preferred homes, then
    // the newest JDK of the folders; a runtime without javac is no JDK.
    // The source saved over an earlier one in a folder that takes no new file: written in
    // place, the text and one CR LF.
    void sourceSavedInAFolderThatTakesNoNewFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("A.java");
        QVERIFY(platform::writeLines(path, {"old"}));
        ReadOnlyFolder folder;
        if (!folder.make(dir.path()))
            QSKIP("no way to keep new files out of a folder here");
        QVERIFY(writeSourceFile(path, "class A {}").saved);
        folder.undo();
        QCOMPARE(fileBytes(path), QByteArray("class A {}\r\n"));
    }

    void jdkSearch_data() {
        QTest::addColumn<QStringList>("jdks"); // JDK folders made (others: a JRE, a fake)
        QTest::addColumn<QString>("javaHome");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("found"); // the home whose bin is found; "" none
        const QStringList machine{"jvm/java-17-openjdk-amd64", "jvm/temurin-25-jdk-amd64",
                                  "jvm/jdk1.8.0_402", "jvm/java-9-openjdk"};
        QTest::newRow("JAVA_HOME first") << machine << "jvm/java-17-openjdk-amd64"
                                         << ""
                                         << "jvm/java-17-openjdk-amd64";
        QTest::newRow("JAVA_HOME of a runtime only: passed over") << machine << "jre-only"
                                                                  << ""
                                                                  << "jvm/temurin-25-jdk-amd64";
        QTest::newRow("the preferred home before the newest") << machine << ""
                                                              << "jvm/java-9-openjdk"
                                                              << "jvm/java-9-openjdk";
        QTest::newRow("the newest: 25 over 17, 9 and 1.8") << machine << ""
                                                           << ""
                                                           << "jvm/temurin-25-jdk-amd64";
        QTest::newRow("1.8 is 8, older than 17")
            << QStringList{"jvm/jdk1.8.0_402", "jvm/java-17-openjdk-amd64"} << ""
            << ""
            << "jvm/java-17-openjdk-amd64";
        QTest::newRow("only a runtime: none") << QStringList{} << ""
                                              << "jvm/jre"
                                              << "";
        // Taken from the program's current folder, and found by its whole path.
        QTest::newRow("a relative JAVA_HOME") << machine << "./jvm/jdk1.8.0_402"
                                              << ""
                                              << "jvm/jdk1.8.0_402";
        // bin/javac that is no program, or a program of no JDK (a link to a shell).
        QTest::newRow("javac not executable: passed over") << QStringList{} << "not-executable"
                                                           << ""
                                                           << "";
        QTest::newRow("tools of no JDK: passed over") << QStringList{} << "no-jdk"
                                                      << ""
                                                      << "";
    }
    void jdkSearch() {
        QFETCH(QStringList, jdks);
        QFETCH(QString, javaHome);
        QFETCH(QString, preferred);
        QFETCH(QString, found);
        if (platform::kOnWindows && javaHome == "not-executable")
            QSKIP("on Windows a file's mode does not make it a program");
        QTemporaryDir root;
        for (const QString &jdk : jdks)
            QVERIFY(makeJdk(root.filePath(jdk)));
        for (const char *jre : {"jre-only", "jvm/jre"}) // java, and no javac
            QVERIFY(makeJdk(root.filePath(jre), {"java"}));
        QVERIFY(makeJdk(root.filePath("not-executable")));
        QVERIFY(QFile::setPermissions(root.filePath("not-executable/bin/javac") + exe(),
                                      QFile::ReadOwner | QFile::WriteOwner) ||
                platform::kOnWindows);
        QVERIFY(makeJdk(root.filePath("no-jdk"), {"javac", "java"}, false));
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.path()));
        const auto back = qScopeGuard([&] { QDir::setCurrent(current); });
        JdkPlaces places;
        places.javaHome = javaHome.startsWith("./") ? javaHome
                          : javaHome.isEmpty()      ? QString()
                                                    : root.filePath(javaHome);
        if (!preferred.isEmpty())
            places.preferredHomes = {root.filePath(preferred)};
        places.folders = {root.filePath("jvm"), root.filePath("nothing here")};
        QCOMPARE(findJdkBin(places), found.isEmpty()
                                         ? QString()
                                         : QDir::toNativeSeparators(root.filePath(found + "/bin")));
    }

    // The homes in their order: JAVA_HOME, the installers', the preferred one, each passed over
    // when it holds no JDK; the newest of the folders after them all.
    void jdkHomesInTheirOrder_data() {
        QTest::addColumn<QString>("javaHome");
        QTest::addColumn<QStringList>("installer");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("found");
        QTest::newRow("JAVA_HOME first") << "a" << QStringList{"b"} << "c"
                                         << "a";
        QTest::newRow("the installers' before the preferred") << "" << QStringList{"b"} << "c"
                                                              << "b";
        QTest::newRow("the installers' in their order") << "" << QStringList{"none", "c", "b"} << ""
                                                        << "c";
        QTest::newRow("the preferred after the installers' that hold none")
            << "none" << QStringList{"none"} << "c"
            << "c";
        QTest::newRow("the folders' newest last") << "none" << QStringList{} << "none"
                                                  << "jvm/jdk-21";
    }
    void jdkHomesInTheirOrder() {
        QFETCH(QString, javaHome);
        QFETCH(QStringList, installer);
        QFETCH(QString, preferred);
        QFETCH(QString, found);
        QTemporaryDir root;
        for (const char *jdk : {"a", "b", "c", "jvm/jdk-17", "jvm/jdk-21"})
            QVERIFY(makeJdk(root.filePath(jdk)));
        JdkPlaces places;
        places.javaHome = javaHome.isEmpty() ? QString() : root.filePath(javaHome);
        for (const QString &home : installer)
            places.installerHomes << root.filePath(home);
        places.preferredHomes = {root.filePath(preferred)};
        places.folders = {root.filePath("jvm")};
        QCOMPARE(findJdkBin(places), QDir::toNativeSeparators(root.filePath(found + "/bin")));
    }

    // The build's JDK: the one whose javac comes first on PATH, through its links, whatever
    // java comes earlier (a runtime's, the installers' javapath); the program's own launchers
    // and a javac without java beside it are passed over; else the search.
    void jdkChoice_data() {
        QTest::addColumn<QStringList>("path"); // folders below the test's root
        QTest::addColumn<QString>("chosen");   // the bin folder chosen; "" none
        QTest::newRow("a runtime's java earlier on PATH")
            << QStringList{"jre8/bin", "jdk17/bin"} << "jdk17/bin";
        QTest::newRow("javac through a link") << QStringList{"links", "jdk25/bin"} << "jdk17/bin";
        QTest::newRow("the launchers passed over")
            << QStringList{"launchers/bin", "jdk25/bin"} << "jdk25/bin";
        QTest::newRow("javac without java passed over")
            << QStringList{"lonely/bin", "jdk25/bin"} << "jdk25/bin";
        QTest::newRow("no javac on PATH: the search") << QStringList{"jre8/bin"} << "jvm/jdk21/bin";
        QTest::newRow("none at all") << QStringList{} << "";
    }
    void jdkChoice() {
        QFETCH(QStringList, path);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        QVERIFY(makeJdk(root.filePath("jre8"), {"java"}, false));
        QVERIFY(makeJdk(root.filePath("jdk17")));
        QVERIFY(makeJdk(root.filePath("jdk25"), {"javac", "java"}, true, "JAVA_VERSION=\"25\""));
        QVERIFY(makeJdk(root.filePath("launchers"), {"javac", "java"}, false));
        QVERIFY(makeJdk(root.filePath("lonely"), {"javac"}));
        QVERIFY(QDir().mkpath(root.filePath("links")));
        if (!platform::kOnWindows) // a link to javac alone, as /usr/bin/javac is
            QVERIFY(QFile::link(root.filePath("jdk17/bin/javac"), root.filePath("links/javac")));
        else if (path.contains("links"))
            QSKIP("links to programs are the Linux installers' way");
        JdkPlaces places;
        if (!chosen.isEmpty())
            QVERIFY(makeJdk(root.filePath("jvm/jdk21")));
        places.folders = {root.filePath("jvm")};
        QStringList folders;
        for (const QString &folder : path)
            folders << QDir::toNativeSeparators(root.filePath(folder));
        QProcessEnvironment environment;
        environment.insert("PATH", folders.join(QDir::listSeparator()));
        const std::optional<Jdk> jdk =
            chooseJdk(environment, places, root.filePath("launchers/bin"));
        QCOMPARE(jdk.has_value(), !chosen.isEmpty());
        if (!jdk)
            return;
        QCOMPARE(QFileInfo(jdk->bin).canonicalFilePath(),
                 QFileInfo(root.filePath(chosen)).canonicalFilePath());
        QCOMPARE(jdk->version, chosen.startsWith("jdk25") ? 25 : 17);
    }

    // What the launchers add, by the JDK: a fast javac start; from JDK 13 an archive of javac's
    // classes per JDK build in the cache, made beside the first compile, used when whole (a
    // cut one is made anew), the JVM's own checks from JDK 19; none where the cache takes no
    // file; COMPAT for programs on JDK 18+ under a code page that is not UTF-8.
    void jdkLaunches_data() {
        QTest::addColumn<QByteArray>("release"); // "": no release file
        QTest::addColumn<QString>("archive");    // "none", "whole", "cut", "read-only", "stale"
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("encoding");
        QTest::newRow("a JDK that does not say") << QByteArray() << "none" << false << ""
                                                 << "";
        QTest::newRow("OpenJ9 takes no HotSpot option")
            << QByteArray("JAVA_VERSION=\"21\"\nJVM_VARIANT=\"Openj9\"") << "none" << true << ""
            << "";
        QTest::newRow("JDK 8: fast, no archive")
            << QByteArray("JAVA_VERSION=\"1.8.0_402\"") << "none" << false << "fast"
            << "";
        QTest::newRow("JDK 9: fast, the first with a warm compiler")
            << QByteArray("JAVA_VERSION=\"9.0.4\"") << "none" << false << "fast"
            << "";
        QTest::newRow("JDK 12: fast, no archive at exit yet")
            << QByteArray("JAVA_VERSION=\"12.0.2\"") << "none" << false << "fast"
            << "";
        QTest::newRow("JDK 13, first build: the first made beside it")
            << QByteArray("JAVA_VERSION=\"13\"") << "none" << true << "make"
            << "";
        QTest::newRow("JDK 18, first build: not yet the JVM's own")
            << QByteArray("JAVA_VERSION=\"18.0.2\"") << "none" << true << "make"
            << "";
        QTest::newRow("JDK 19, first build: the JVM's own")
            << QByteArray("JAVA_VERSION=\"19\"") << "none" << true << "make-auto"
            << "";
        QTest::newRow("JDK 17 under GB18030: no COMPAT before 18")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "whole" << false << "use"
            << "";
        QTest::newRow("JDK 17, first build: made beside it")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "none" << false << "make"
            << "";
        QTest::newRow("JDK 17, made: used")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "whole" << true << "use"
            << "";
        QTest::newRow("JDK 17, cut: made anew")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "cut" << true << "make"
            << "";
        QTest::newRow("JDK 17, damaged, of its size: made anew")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "damaged" << true << "make"
            << "";
        QTest::newRow("JDK 17, of an earlier build: made anew, the old one gone")
            << QByteArray("JAVA_VERSION=\"17.0.15\"") << "stale" << true << "make"
            << "";
        QTest::newRow("JDK 18 under GB18030: COMPAT")
            << QByteArray("JAVA_VERSION=\"18\"") << "whole" << false << "use"
            << "COMPAT";
        QTest::newRow("JDK 25, first build")
            << QByteArray("JAVA_VERSION=\"25.0.3\"") << "none" << true << "make-auto"
            << "";
        QTest::newRow("JDK 25, made: the JVM checks it")
            << QByteArray("JAVA_VERSION=\"25.0.3\"") << "whole" << false << "auto"
            << "COMPAT";
        QTest::newRow("JDK 25, read-only: only read")
            << QByteArray("JAVA_VERSION=\"25.0.3\"") << "read-only" << true << "use"
            << "";
        QTest::newRow("a cache that takes no file: fast")
            << QByteArray("JAVA_VERSION=\"25.0.3\"") << "no-cache" << true << "fast"
            << "";
    }
    void jdkLaunches() {
        QFETCH(QByteArray, release);
        QFETCH(QString, archive);
        QFETCH(bool, utf8);
        QFETCH(QString, start);
        QFETCH(QString, encoding);
        QTemporaryDir root;
        QVERIFY(makeJdk(root.filePath("jdk"), {"javac", "java"}, !release.isEmpty(), release));
        const Jdk jdk = jdkOfBin(root.filePath("jdk/bin"));
        QString cache = root.filePath("cache");
        if (archive == "no-cache") {
            QVERIFY(platform::writeLines(root.filePath("a file"), {}));
            cache = root.filePath("a file/cache");
        }
        const JdkLaunch first = jdkLaunchFor(jdk, cache, utf8);
        if (archive == "whole" || archive == "read-only" || archive == "cut" ||
            archive == "damaged") {
            QByteArray bytes(1000, 'a');
            const std::string record = jdklaunch::archiveRecord(bytes.constData(), 1000);
            if (archive == "damaged")
                bytes[996] = 'b'; // the size it was, not the bytes
            QVERIFY(platform::replaceEntry(first.javacArchive,
                                           bytes.left(archive == "cut" ? 500 : 1000)));
            QVERIFY(platform::replaceEntry(first.javacArchive + ".size",
                                           QByteArray::fromStdString(record)));
            if (archive == "read-only") {
                QVERIFY(QFile::setPermissions(first.javacArchive, QFile::ReadOwner));
                if (QFileInfo(first.javacArchive).isWritable())
                    QSKIP("this user writes read-only files (root)");
            }
        }
        if (archive == "stale") {
            QVERIFY(platform::replaceEntry(first.javacArchive, "old"));
            QVERIFY(platform::replaceEntry(root.filePath("jdk/release"), release + "\nX=1"));
        }
        const JdkLaunch launch = jdkLaunchFor(jdk, cache, utf8);
        QCOMPARE(launch.javacStart, start);
        QCOMPARE(launch.fileEncoding, encoding);
        // The warm compiler of every JDK from 9 that says what it is, named as its archive is: a
        // JDK updated in its folder gets another.
        const QString server = javacServerName(jdk, root.filePath("run"));
        QCOMPARE(server.isEmpty(), start.isEmpty() || release.contains("\"1.8"));
        QCOMPARE(javacServerName(jdk, QString()), QString());
        if (!server.isEmpty())
            QCOMPARE(QFileInfo(server).path(), root.filePath("run"));
        if (!launch.javacArchive.isEmpty())
            QCOMPARE(QFileInfo(server).fileName() + ".jsa",
                     QFileInfo(launch.javacArchive).fileName());
        const bool archived = start == "use" || start.startsWith("make") || start == "auto";
        QCOMPARE(!launch.javacArchive.isEmpty(), archived);
        if (!archived)
            return;
        QCOMPARE(QFileInfo(launch.javacArchive).path(), QFileInfo(cache).absoluteFilePath());
        // Made anew: the archive that was is gone, the maker writes in its place.
        QCOMPARE(QFile::exists(launch.javacArchive), !start.startsWith("make"));
        if (archive == "stale") {
            QVERIFY(launch.javacArchive != first.javacArchive);
            QVERIFY(!QFile::exists(first.javacArchive));
        }
    }

    // The JDK installers' registry entries, written with reg below a key of the test's own:
    // installer by installer in the search's order, each one's newest version first by its
    // numbers ("21" before "17.0.2" before "9").
    void installerRegistryEntries() {
        if (!platform::kOnWindows)
            QSKIP("the registry is Windows's");
        const QString root = "HKEY_CURRENT_USER\\Software\\TarnelJavaTest" +
                             QString::number(QCoreApplication::applicationPid());
        const auto reg = [](const QStringList &arguments) {
            QProcess process;
            process.start("reg", arguments);
            return process.waitForFinished(60000) && process.exitCode() == 0;
        };
        const char *const entries[][3] = {
            {"JavaSoft\\JDK\\9", "JavaHome", "C:\\jdk9"},
            {"JavaSoft\\JDK\\17.0.2", "JavaHome", "C:\\jdk17"},
            {"JavaSoft\\JDK\\21", "JavaHome", "C:\\jdk21"},
            {"Azul Systems\\Zulu\\zulu-17", "InstallationPath", "C:\\zulu17"},
            {"Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI", "Path", "C:\\adoptium21"},
            {"Microsoft\\JDK\\11.0.2\\hotspot\\MSI", "Path", "C:\\ms11"},
            {"Microsoft\\JDK\\17.0.1\\hotspot", "Other", "C:\\not a path value"},
        };
        for (const auto &entry : entries)
            QVERIFY(reg({"add", root + "\\" + entry[0], "/v", entry[1], "/d", entry[2], "/f"}));
        const QStringList homes = installerJdkHomes({root});
        QVERIFY(reg({"delete", root, "/f"}));
        QCOMPARE(homes, QStringList({"C:\\jdk21", "C:\\jdk17", "C:\\jdk9", "C:\\adoptium21",
                                     "C:\\ms11", "C:\\zulu17"}));
    }

    // The archives of a JDK whose folder is gone (updated into a new one) go at the next build
    // with any JDK; those of a JDK that is still there stay.
    void archivesOfAGoneJdkGo() {
        QTemporaryDir root;
        const QByteArray release = "JAVA_VERSION=\"17.0.15\"";
        for (const char *folder : {"jdk-17.0.15", "jdk-17.0.16", "jdk-21"})
            QVERIFY(makeJdk(root.filePath(folder), {"javac", "java"}, true, release));
        const QString cache = root.filePath("cache");
        QStringList archives;
        for (const char *folder : {"jdk-17.0.15", "jdk-21"}) {
            archives
                << jdkLaunchFor(jdkOfBin(root.filePath(folder) + "/bin"), cache, true).javacArchive;
            QVERIFY(platform::replaceEntry(archives.last(), "archive"));
            QVERIFY(platform::replaceEntry(archives.last() + ".size", "7 0"));
        }
        QVERIFY(QDir(root.filePath("jdk-17.0.15")).removeRecursively());
        jdkLaunchFor(jdkOfBin(root.filePath("jdk-17.0.16/bin")), cache, true);
        QVERIFY(!QFile::exists(archives[0]) && !QFile::exists(archives[0] + ".size"));
        QVERIFY(QFile::exists(archives[1]) && QFile::exists(archives[1] + ".size"));
        QCOMPARE(QDir(cache).entryList({"*.home"}).size(), 2); // jdk-21's, jdk-17.0.16's
    }

    // The archive's record: its size and a checksum of every byte, whole eight-byte words and
    // the bytes after them (values worked out apart from the program).
    void archiveRecords_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("record");
        QTest::newRow("none") << QByteArray() << "0 cbf29ce484222325";
        QTest::newRow("one byte") << QByteArray("a") << "1 af63dc4c8601ec8c";
        QTest::newRow("one word") << QByteArray("abcdefgh") << "8 3919eeb00ee1e68c";
        QTest::newRow("a word and a byte") << QByteArray("abcdefghi") << "9 e8f77a2949db571f";
        QTest::newRow("two words") << QByteArray("abcdefghijklmnop") << "16 5ee9dd2e716d691f";
    }
    void archiveRecords() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, record);
        QCOMPARE(QString::fromStdString(
                     jdklaunch::archiveRecord(bytes.constData(), size_t(bytes.size()))),
                 record);
    }

    // What a maker that died left (untouched for more than ten minutes) goes at the next build;
    // what a maker at work writes stays.
    void whatADeadMakerLeftGoes() {
        if (platform::kOnWindows)
            QSKIP("a folder's time is set with utime: Linux");
        QTemporaryDir root;
        QVERIFY(makeJdk(root.filePath("jdk"), {"javac", "java"}, true, "JAVA_VERSION=\"17.0.15\""));
        const Jdk jdk = jdkOfBin(root.filePath("jdk/bin"));
        const QString cache = root.filePath("cache");
        const QString archive = jdkLaunchFor(jdk, cache, true).javacArchive;
        const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-11 * 60);
        for (const QString made : {".111.new", ".222.new"}) {
            QVERIFY(platform::replaceEntry(archive + made, "cut"));
            QVERIFY(QDir().mkpath(archive + made + ".d"));
            QVERIFY(platform::replaceEntry(archive + made + ".d/TarnelJavaSample.java", "x"));
        }
        for (const QString dead : {".111.new", ".111.new.d"}) {
            utimbuf times{longAgo.toSecsSinceEpoch(), longAgo.toSecsSinceEpoch()};
            QCOMPARE(utime(QFile::encodeName(archive + dead).constData(), &times), 0);
        }
        jdkLaunchFor(jdk, cache, true);
        QVERIFY(!QFileInfo::exists(archive + ".111.new"));
        QVERIFY(!QFileInfo::exists(archive + ".111.new.d"));
        QVERIFY(QFileInfo::exists(archive + ".222.new"));
        QVERIFY(QFileInfo::exists(archive + ".222.new.d/TarnelJavaSample.java"));
    }

    // Links in the cache, named like its archives or a maker's folder, are removed as links:
    // what they point to keeps its mode and its files.
    void linksInTheCacheAreNotFollowed() {
        if (platform::kOnWindows)
            QSKIP("links are made by administrators on Windows");
        QTemporaryDir root;
        QVERIFY(makeJdk(root.filePath("jdk"), {"javac", "java"}, true, "JAVA_VERSION=\"17.0.15\""));
        const Jdk jdk = jdkOfBin(root.filePath("jdk/bin"));
        const QString cache = root.filePath("cache");
        const QString archive = jdkLaunchFor(jdk, cache, true).javacArchive;
        const QString prefix = archive.left(archive.lastIndexOf('-') + 1);
        QVERIFY(QDir().mkpath(root.filePath("theirs/folder")));
        QVERIFY(platform::writeLines(root.filePath("theirs/folder/keep.txt"), {"x"}));
        QVERIFY(platform::writeLines(root.filePath("theirs/file.txt"), {"x"}));
        QVERIFY(QFile::setPermissions(root.filePath("theirs/file.txt"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(QFile::link(root.filePath("theirs/file.txt"), archive));
        QVERIFY(QFile::link(root.filePath("theirs/file.txt"), prefix + "0ld.jsa"));
        QVERIFY(QFile::link(root.filePath("theirs/folder"), prefix + "0ld.jsa.123.new.d"));
        QVERIFY(QFile::link(root.filePath("nowhere"), prefix + "0ld.jsa.size"));
        const JdkLaunch launch = jdkLaunchFor(jdk, cache, true);
        QCOMPARE(launch.javacStart, QString("make")); // a link is no archive
        QCOMPARE(QDir(cache)
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
                     .filter(".jsa"),
                 QStringList{});
        QVERIFY(QFile::exists(root.filePath("theirs/folder/keep.txt")));
        QCOMPARE(QFile::permissions(root.filePath("theirs/file.txt")) & QFile::ReadOther,
                 QFile::ReadOther);
    }

    // The build's environment: the program's launchers first on PATH, then the chosen JDK, the
    // program's applet viewer last; the launchers told the JDK, what to add and the source
    // copy's encoding; the user's own JDK_JAVAC_OPTIONS as they were.
    void buildEnvironments_data() {
        QTest::addColumn<QString>("userOptions"); // "<unset>": none
        QTest::addColumn<QString>("options");
        QTest::newRow("no options of the user's") << "<unset>"
                                                  << "";
        QTest::newRow("the user's options kept") << "-Xlint"
                                                 << "-Xlint";
        QTest::newRow("the user's encoding kept") << "-encoding UTF-8"
                                                  << "-encoding UTF-8";
    }
    void buildEnvironments() {
        QFETCH(QString, userOptions);
        QFETCH(QString, options);
        QProcessEnvironment system;
        system.insert("PATH", "/usr/bin");
        system.insert("TARNELJAVA_JAVAC_ARCHIVE", "/a/stale/one");
        if (userOptions != "<unset>")
            system.insert("JDK_JAVAC_OPTIONS", userOptions);
        const JdkLaunch launch{
            "use", "", "COMPAT", "提示", "/run/user/1/javac.txt", "/run/user/1/javac-1-2"};
        const QProcessEnvironment built = buildEnvironment(
            system, Jdk{"/opt/jdk/bin", 17, true}, launch, "GB18030", "/opt/launch", "/opt/viewer");
        QCOMPARE(built.value("PATH").split(QDir::listSeparator()),
                 QStringList({"/opt/launch", "/opt/jdk/bin", "/usr/bin", "/opt/viewer"}));
        QCOMPARE(built.value("JDK_JAVAC_OPTIONS"), options);
        QCOMPARE(built.value("TARNELJAVA_JDK_BIN"), QString("/opt/jdk/bin"));
        QCOMPARE(built.value("TARNELJAVA_JAVAC_START"), QString("use"));
        QVERIFY(!built.contains("TARNELJAVA_JAVAC_ARCHIVE"));
        QCOMPARE(built.value("TARNELJAVA_JAVA_FILE_ENCODING"), QString("COMPAT"));
        QCOMPARE(built.value("TARNELJAVA_JAVAC_NOTE"), QString("提示"));
        QCOMPARE(built.value("TARNELJAVA_JAVAC_ENCODING"), QString("GB18030"));
        QCOMPARE(built.value("TARNELJAVA_JAVAC_OUTPUT"),
                 QDir::toNativeSeparators("/run/user/1/javac.txt"));
        QCOMPARE(built.value("TARNELJAVA_JAVAC_SERVER"),
                 QDir::toNativeSeparators("/run/user/1/javac-1-2"));
    }
};

QTEST_GUILESS_MAIN(TestBuildFiles)
#include "test_build_files.moc"
