// The warm compiler on Linux: a compile that found none starts one; with the real JDKs, the
// server prints what javac prints, and leaves the compile to javac when stopped or when its JDK
// changed.
#include "LauncherRun.h"
#include "TestFiles.h"
#include "jdklaunch/JdkLaunch.h"

#include <QDirIterator>
#include <QtTest>
#include <csignal>

namespace {
// The learner's files of the real-JDK tests: an error, warnings, a Chinese class, a package,
// a good compile.
const QList<QPair<QString, QString>> kSources{
    {"Syntax.java", "public class Syntax {\n  public static void main(String[] a) {\n"
                    "    System.out.println(\"x\")\n  }\n}\n"},
    {"Types.java", "public class Types {\n  public static void main(String[] a) {\n"
                   "    int x = \"你好\";\n    String s = 3；\n  }\n}\n"},
    {"Unchecked.java", "import java.util.*;\npublic class Unchecked {\n"
                       "  public static void main(String[] a) {\n    List l = new ArrayList();\n"
                       "    l.add(1);\n    new Date(2000, 1, 1);\n  }\n}\n"},
    {"你好.java", "public class 你好 {\n  public static void main(String[] a) {\n"
                  "    System.out.println(未知);\n  }\n}\n"},
    {"Pack.java", "package a.b;\npublic class Pack {\n  public static void main(String[] a) {\n"
                  "    System.out.println(\"包\");\n  }\n}\n"},
    {"Fine.java", "public class Fine {\n  public static void main(String[] a) {}\n}\n"}};

struct RealJdkRun {
    QTemporaryDir root;
    QString name; // the server's
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    RealJdkRun(const QString &locale, const QString &encoding) {
        name = root.filePath("run/javac-1-2");
        QDir().mkpath(root.filePath("run"));
        QFile::setPermissions(root.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(root.filePath("cache"));
        environment.insert("LC_ALL", locale);
        environment.insert("LOCPATH", kTestLocaleFolder);
        environment.insert("TARNELJAVA_JAVAC_START", "fast");
        environment.insert("TARNELJAVA_JAVAC_ENCODING", encoding);
        environment.insert("TARNELJAVA_JAVAC_ARCHIVE", root.filePath("cache/javac-1-2.jsa"));
        for (const QString folder : {"cold", "warm"}) {
            QDir().mkpath(root.filePath(folder));
            for (const auto &[file, text] : kSources)
                platform::replaceEntry(root.filePath(folder + "/" + file),
                                       QStringEncoder(encoding.toLatin1()).encode(text));
        }
    }
    ~RealJdkRun() { QFile::remove(name + ".sock"); } // the server ends with its socket
    // javac's launcher in the folder; with a server, the build's script started it.
    Ran javac(const QString &bin, const QString &folder, const QStringList &arguments,
              bool server) {
        QProcess script;
        QProcessEnvironment told = environment;
        told.insert("TARNELJAVA_JDK_BIN", bin);
        if (server)
            told.insert("TARNELJAVA_JAVAC_SERVER", name);
        script.setProcessEnvironment(told);
        script.setWorkingDirectory(root.filePath(folder));
        script.start("/bin/sh",
                     QStringList{"-c", "exec \"$0\" \"$@\"", jdkLauncherFolder() + "/javac"} +
                         arguments);
        script.waitForFinished(120000);
        return {script.exitCode(), script.readAllStandardOutput(), script.readAllStandardError()};
    }
    // Starts the JDK's server with a first compile and waits until it is ready.
    bool startServer(const QString &bin) {
        QProcess script;
        QProcessEnvironment told = environment;
        told.insert("TARNELJAVA_JDK_BIN", bin);
        told.insert("TARNELJAVA_JAVAC_SERVER", name);
        script.setProcessEnvironment(told);
        script.setWorkingDirectory(root.filePath("cold"));
        script.start("/bin/sh", {"-c", "\"$0\" Fine.java", jdkLauncherFolder() + "/javac"});
        script.waitForFinished(120000);
        return QTest::qWaitFor([&] { return QFile::exists(name + ".sock"); }, 120000);
    }
    QStringList classFiles(const QString &folder) const {
        QStringList files;
        QDirIterator found(root.filePath(folder), {"*.class"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (found.hasNext())
            files << found.next().mid(root.filePath(folder).size());
        files.sort();
        return files;
    }
};

// The process of the server named `name`.
pid_t serverProcess(const QString &name) {
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray command = fileBytes("/proc/" + entry + "/cmdline");
        if (command.contains("tarneljava.javacserver.JavacServer") &&
            command.contains(QFile::encodeName(name)))
            return pid_t(entry.toInt());
    }
    return 0;
}

} // namespace

class TestJavacServerOnLinux : public QObject {
    Q_OBJECT

private slots:
    // A compile that found no server starts one for the next, once the build's script has
    // ended: the JDK's java with the server's jar, in the cache folder, the sample on its input.
    void aCompileWithoutAServerStartsOne() {
        QTemporaryDir root;
        QVERIFY(makeStandInJdk(root.filePath("jdk/bin")));
        QVERIFY(QDir().mkpath(root.filePath("cache")));
        QVERIFY(QDir().mkpath(root.filePath("work")));
        QVERIFY(platform::writeLines(root.filePath("work/A.java"), {"class A {}"}));
        const QString name = root.filePath("javac-1-2");
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TARNELJAVA_JDK_BIN", root.filePath("jdk/bin"));
        environment.insert("TARNELJAVA_JAVAC_START", "fast");
        environment.insert("TARNELJAVA_JAVAC_ARCHIVE", root.filePath("cache/javac-1-2.jsa"));
        environment.insert("TARNELJAVA_JAVAC_SERVER", name);
        environment.insert("TARNEL_TEST_STARTED", root.filePath("started"));
        environment.insert("JDK_JAVA_OPTIONS", "-Duser.language=en"); // java's, not javac's
        script.setProcessEnvironment(environment);
        script.setWorkingDirectory(root.filePath("work"));
        script.start("/bin/sh", {"-c", "\"$0\" A.java >/dev/null", jdkLauncherFolder() + "/javac"});
        QVERIFY(script.waitForFinished(60000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(root.filePath("started")), 30000);
        const QString started = fileBytes(root.filePath("started"));
        for (const QString &expected :
             QStringList{"[-Xmx256m]\n", "/jdk-launchers/tarneljava-javacserver.jar]\n",
                         "[tarneljava.javacserver.JavacServer]\n[" + name + "]\n",
                         QFileInfo(root.filePath("cache")).canonicalFilePath() + "\n",
                         QString("public class TarnelJavaSample {")})
            QVERIFY2(started.contains(expected), qPrintable(started));
        QVERIFY2(!started.contains("TARNELJAVA_") && !started.contains("JDK_JAVA_OPTIONS"),
                 qPrintable(started));
    }

    // With the real JDKs: the server prints, byte for byte, what javac prints, with the same
    // exit code and class files.
    void theServerPrintsWhatJavacPrints_data() {
        QTest::addColumn<QString>("bin");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("encoding");
        for (const QString &bin : {kTestJdkBin, kTestNewJdkBin}) {
            if (bin.isEmpty())
                continue;
            QTest::newRow(qPrintable(bin + " UTF-8")) << bin << "C.UTF-8"
                                                      << "UTF-8";
            QTest::newRow(qPrintable(bin + " GB18030")) << bin << "zh_CN.GB18030"
                                                        << "GB18030";
        }
    }
    void theServerPrintsWhatJavacPrints() {
        QFETCH(QString, bin);
        QFETCH(QString, locale);
        QFETCH(QString, encoding);
        RealJdkRun run(locale, encoding);
        QTemporaryDir standIn; // its javac shows when the server did not compile
        QVERIFY(makeStandInJdk(standIn.filePath("bin")));
        QVERIFY(run.startServer(bin));
        for (const auto &[file, text] : kSources) {
            const QStringList arguments =
                file == "Pack.java" ? QStringList{"-d", ".", file} : QStringList{file};
            const Ran cold = run.javac(bin, "cold", arguments, false);
            const Ran warm = run.javac(standIn.filePath("bin"), "warm", arguments, true);
            QCOMPARE(warm.output, cold.output);
            QCOMPARE(warm.errorOutput, cold.errorOutput);
            QCOMPARE(warm.exitCode, cold.exitCode);
        }
        QCOMPARE(run.classFiles("warm"), run.classFiles("cold"));
        QVERIFY(run.classFiles("warm").contains("/a/b/Pack.class"));
    }

    // The server on a loopback port with its secret in a file of the user's alone, as it runs
    // on JDK 9-15 and on Windows: javac's output as javac prints it; it ends when its file goes.
    void aServerOnALoopbackPort() {
        RealJdkRun run("C.UTF-8", "UTF-8");
        static QProcessEnvironment told;
        told = run.environment;
        const auto variable = [](const char *name) -> const char * {
            static QByteArray value;
            value = told.value(name).toLocal8Bit();
            return told.contains(name) ? value.constData() : nullptr;
        };
        QStringList arguments{"-Dtarneljava.javacserver.loopback=true"};
        for (const std::string &option : jdklaunch::serverOptions(
                 (jdkLauncherFolder() + "/tarneljava-javacserver.jar").toStdString(),
                 run.name.toStdString(), jdklaunch::serverContext(variable)))
            arguments << QString::fromStdString(option);
        QProcess server;
        server.setProcessEnvironment(run.environment);
        server.setWorkingDirectory(run.root.filePath("cache"));
        server.start(kTestJdkBin + "/java", arguments);
        server.write(QByteArray::fromStdString(jdklaunch::sampleSource()));
        server.closeWriteChannel();
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(run.name + ".port"); }, 120000));
        QVERIFY(!QFile::exists(run.name + ".sock"));
        QCOMPARE(QFile::permissions(run.name + ".port") & 0x00FF, QFile::Permissions());
        QTemporaryDir standIn; // its javac shows when the server did not compile
        QVERIFY(makeStandInJdk(standIn.filePath("bin")));
        const Ran cold = run.javac(kTestJdkBin, "cold", {"Types.java"}, false);
        const Ran warm = run.javac(standIn.filePath("bin"), "warm", {"Types.java"}, true);
        QCOMPARE(warm.errorOutput, cold.errorOutput);
        QCOMPARE(warm.exitCode, cold.exitCode);
        QVERIFY(QFile::remove(run.name + ".port"));
        QVERIFY(server.waitForFinished(30000));
    }

    // A server that does not answer at once leaves the compile to javac; one whose JDK changed
    // under it takes no compile and ends.
    void aServerStoppedOrOfAChangedJdk() {
        RealJdkRun run("C.UTF-8", "UTF-8");
        // A JDK of the test's own: its JVM library a copy (the JDK's folder is found from it),
        // the rest links to the test's JDK.
        const QString real = QFileInfo(kTestJdkBin).canonicalPath();
        const QString jdk = run.root.filePath("jdk");
        for (const QString folder : {"bin", "lib/server"})
            QVERIFY(QDir().mkpath(jdk + "/" + folder));
        for (const QString folder : {"", "/lib", "/lib/server"})
            for (const QFileInfo &entry :
                 QDir(real + folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
                if (!QFileInfo::exists(jdk + folder + "/" + entry.fileName()) &&
                    entry.fileName() != "libjvm.so" && entry.fileName() != "release")
                    QVERIFY(QFile::link(entry.filePath(), jdk + folder + "/" + entry.fileName()));
        for (const QString file : {"bin/java", "bin/javac", "lib/server/libjvm.so", "release"})
            QVERIFY(QFile::copy(real + "/" + file, jdk + "/" + file));
        QTemporaryDir standIn;
        QVERIFY(makeStandInJdk(standIn.filePath("bin")));
        QVERIFY(run.startServer(jdk + "/bin"));
        QCOMPARE(run.javac(standIn.filePath("bin"), "warm", {"Fine.java"}, true).output,
                 QByteArray());
        const pid_t server = serverProcess(run.name);
        QVERIFY(server > 0);
        const Ran cold = run.javac(jdk + "/bin", "cold", {"Syntax.java"}, false);
        kill(server, SIGSTOP);
        const Ran unanswered = run.javac(jdk + "/bin", "warm", {"Syntax.java"}, true);
        kill(server, SIGCONT);
        QCOMPARE(unanswered.errorOutput, cold.errorOutput);
        QCOMPARE(unanswered.exitCode, cold.exitCode);
        QFile release(jdk + "/release");
        QVERIFY(release.open(QIODevice::Append));
        release.write("UPDATED=1\n");
        release.close();
        QCOMPARE(run.javac(standIn.filePath("bin"), "warm", {"Fine.java"}, true).output,
                 bracketed({"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC", "-J-XX:-UsePerfData",
                            "-encoding", "UTF-8", "Fine.java"})
                     .toLocal8Bit());
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(run.name + ".sock"), 30000);
    }
};

QTEST_GUILESS_MAIN(TestJavacServerOnLinux)
#include "test_javac_server_unix.moc"
