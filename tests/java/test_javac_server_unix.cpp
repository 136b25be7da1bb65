// The warm compiler: what the javac launcher asks of it, what it does with each answer (the
// stand-in server), and, with the real JDKs, that the server prints what javac prints.
#include "LauncherRun.h"
#include "StandInServer_unix.h"
#include "TestSupport.h"
#include "java/launch/JdkLaunch.h"

#include <QtTest>
#include <csignal>
#include <sys/stat.h>

namespace {
QStringList existingFiles; // what serverRequest finds on the disk

QStringList toList(const std::vector<std::string> &strings) {
    QStringList list;
    for (const std::string &string : strings)
        list << QString::fromStdString(string);
    return list;
}

QMap<QByteArray, QByteArray> variables;
const char *variable(const char *name) {
    const auto found = variables.constFind(name);
    return found == variables.constEnd() ? nullptr : found->constData();
}

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
        const QByteArray command = FreshStart::readFile("/proc/" + entry + "/cmdline");
        if (command.contains("tarneljava.javacserver.JavacServer") &&
            command.contains(QFile::encodeName(name)))
            return pid_t(entry.toInt());
    }
    return 0;
}

QByteArray exitFrame(int code) {
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += char((code >> shift) & 0xff);
    return StandInServer::frame('X', bytes);
}
} // namespace

class TestJavacServer : public QObject {
    Q_OBJECT

private slots:
    // What the server is asked: paths whole against javac's folder (the server runs in its
    // own), each file beside its name as given, the class path javac would search; nothing it
    // would take otherwise than javac.
    void serverRequests_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("classPath");   // CLASSPATH, or <unset>
        QTest::addColumn<QStringList>("options"); // <none>: not asked
        QTest::addColumn<QStringList>("files");
        const QStringList none{"<none>"};
        const QStringList a{"/w/A.java", "A.java"};
        QTest::newRow("the script's compile")
            << QStringList{"-encoding", "GBK", "A.java"} << "<unset>"
            << QStringList{"-encoding", "GBK", "-classpath", "/w"} << a;
        QTest::newRow("a package's compile") << QStringList{"-d", ".", "A.java"} << "<unset>"
                                             << QStringList{"-d", "/w/.", "-classpath", "/w"} << a;
        QTest::newRow("CLASSPATH, made whole")
            << QStringList{"A.java"} << "lib.jar:/opt/x"
            << QStringList{"-classpath", "/w/lib.jar:/opt/x"} << a;
        QTest::newRow("CLASSPATH set empty") << QStringList{"A.java"} << "" << none << a;
        QTest::newRow("CLASSPATH with an empty entry")
            << QStringList{"A.java"} << "a::b" << none << a;
        QTest::newRow("a class path of the command wins")
            << QStringList{"-cp", "lib", "A.java"} << "/opt/x" << QStringList{"-cp", "/w/lib"} << a;
        QTest::newRow("--class-path, -sourcepath")
            << QStringList{"--class-path", "/c", "-sourcepath", "s:/t", "A.java"} << "<unset>"
            << QStringList{"--class-path", "/c", "-sourcepath", "/w/s:/t"} << a;
        QTest::newRow("flags and values kept")
            << QStringList{"-g", "-Xlint:all", "-nowarn", "--release", "17", "-Werror", "A.java"}
            << "<unset>" << QStringList{"-g", "-Xlint:all", "-nowarn",    "--release",
                                        "17", "-Werror",    "-classpath", "/w"}
            << a;
        QTest::newRow("a whole file name")
            << QStringList{"/w/A.java"} << "<unset>" << QStringList{"-classpath", "/w"}
            << QStringList{"/w/A.java", "/w/A.java"};
        QTest::newRow("two files")
            << QStringList{"A.java", "B.java"} << "<unset>" << QStringList{"-classpath", "/w"}
            << a + QStringList{"/w/B.java", "B.java"};
        for (const QStringList &refused :
             {QStringList{"-J-Xmx1g", "A.java"}, QStringList{"@options", "A.java"},
              QStringList{"-processor", "P", "A.java"},
              QStringList{"-processorpath", "p", "A.java"},
              QStringList{"--processor-path", "p", "A.java"}, QStringList{"-version"},
              QStringList{"-encoding", "GBK"}, QStringList{"A.java", "-encoding"},
              QStringList{"A.java", "-d"}, QStringList{"Gone.java"}, QStringList{"A.txt"},
              QStringList{"-Xplugin:P", "A.java"}, QStringList{"-proc:only", "A.java"},
              QStringList{"A.java", "-cp"}, QStringList{"-d", "", "A.java"}, QStringList{}})
            QTest::newRow(qPrintable("refused: " + refused.join(' ')))
                << refused << "<unset>" << none << QStringList{};
    }
    void serverRequests() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, classPath);
        QFETCH(QStringList, options);
        QFETCH(QStringList, files);
        existingFiles = {"/w/A.java", "/w/B.java", "/w/A.txt"};
        std::vector<std::string> given;
        for (const QString &argument : arguments)
            given.push_back(argument.toStdString());
        const std::string path = classPath.toStdString();
        jdklaunch::ServerRequest request;
        const bool asked = jdklaunch::serverRequest(
            given, "/w", classPath == "<unset>" ? nullptr : &path,
            [](const std::string &file) { return existingFiles.contains(file.c_str()); }, request);
        QCOMPARE(asked, options != QStringList{"<none>"});
        if (asked) {
            QCOMPARE(toList(request.options), options);
            QCOMPARE(toList(request.wholeAndShown), files);
        }
    }

    // The server's JVM reads no variables of its own: a compile under one is javac's.
    void serverTakes_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("value"); // <unset>
        QTest::addColumn<bool>("takes");
        QTest::newRow("none") << QByteArray("LANG") << QByteArray("C") << true;
        for (const char *name : {"JDK_JAVAC_OPTIONS", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS"}) {
            QTest::newRow(name) << QByteArray(name) << QByteArray("-Xlint") << false;
            QTest::newRow(qPrintable(QString(name) + " empty"))
                << QByteArray(name) << QByteArray("") << true;
        }
    }
    void serverTakes() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, value);
        QFETCH(bool, takes);
        variables = {{name, value}};
        QCOMPARE(jdklaunch::serverTakes(variable), takes);
        // The messages' language is in the context a request carries.
        const std::string context = jdklaunch::serverContext(variable);
        variables = {{name, value + "x"}};
        QCOMPARE(context != jdklaunch::serverContext(variable), name == "LANG");
    }

    // Each answer of the server: its output and code where it took the compile, else javac
    // runs itself and nothing of the server shows.
    void answersOfTheServer_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("hangs");
        QTest::addColumn<QByteArray>("errors");
        QTest::addColumn<int>("exitCode"); // -1: javac ran itself
        const QByteArray error = "A.java:1: 错误: 需要';'\n";
        const QByteArray taken = StandInServer::frame('A', "");
        QTest::newRow("taken: javac's output and code")
            << taken + StandInServer::frame('O', error) + exitFrame(1) << false << error << 1;
        QTest::newRow("taken: output in pieces, code 0")
            << taken + StandInServer::frame('O', "a") + StandInServer::frame('O', "b\n") +
                   exitFrame(0)
            << false << QByteArray("ab\n") << 0;
        QTest::newRow("declined") << StandInServer::frame('N', "") << false << QByteArray() << -1;
        QTest::newRow("lost after taking it") << taken << false << QByteArray() << -1;
        QTest::newRow("timed out")
            << taken + StandInServer::frame('T', "") << false << QByteArray() << -1;
        QTest::newRow("no answer at once") << QByteArray() << true << QByteArray() << -1;
        QTest::newRow("not a server")
            << QByteArray("HTTP/1.0 400\r\n\r\n") << false << QByteArray() << -1;
        QTest::newRow("output before taking it")
            << StandInServer::frame('O', error) + exitFrame(0) << false << QByteArray() << -1;
        QTest::newRow("an exit code of the wrong size")
            << taken + StandInServer::frame('X', "\1") << false << QByteArray() << -1;
    }
    void answersOfTheServer() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, hangs);
        QFETCH(QByteArray, errors);
        QFETCH(int, exitCode);
        QTemporaryDir root;
        QVERIFY(makeStandInJdk(root.filePath("jdk/bin")));
        QVERIFY(QDir().mkpath(root.filePath("work")));
        QVERIFY(platform::writeLines(root.filePath("work/A.java"), {"class A {}"}));
        const QString name = root.filePath("javac-1-2");
        const QString record = root.filePath("record.txt");
        StandInServer server(name, answer, hangs);
        const Ran javac = runLauncher("javac", {"A.java"},
                                      {{"TARNELJAVA_JDK_BIN", root.filePath("jdk/bin")},
                                       {"TARNELJAVA_JAVAC_START", "fast"},
                                       {"TARNELJAVA_JAVAC_ENCODING", "GBK"},
                                       {"TARNELJAVA_JAVAC_OUTPUT", record},
                                       {"TARNELJAVA_JAVAC_SERVER", name},
                                       {"CLASSPATH", "lib"},
                                       {"LC_ALL", "C"}},
                                      0, QProcess::SeparateChannels, root.filePath("work"));
        const QString work = QFileInfo(root.filePath("work")).canonicalFilePath();
        if (exitCode >= 0) {
            QCOMPARE(javac.output, QString());
            QCOMPARE(javac.errorOutput, errors);
            QCOMPARE(javac.exitCode, exitCode);
            QCOMPARE(FreshStart::readFile(record), errors);
            QCOMPARE(FreshStart::readFile(record + ".exit"), QByteArray::number(exitCode));
        } else {
            const QStringList fast{"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                                   "-J-XX:-UsePerfData"};
            QCOMPARE(javac.output, bracketed(fast + QStringList{"-encoding", "GBK", "A.java"}));
            QCOMPARE(javac.exitCode, 0);
            QCOMPARE(FreshStart::readFile(record + ".exit"), QByteArray("0"));
        }
        server.stop();
        QCOMPARE(server.asked().options,
                 QStringList({"-encoding", "GBK", "-classpath", work + "/lib"}));
        QCOMPARE(server.asked().files, QStringList({work + "/A.java", "A.java"}));
        QVERIFY(server.asked().context.contains("LC_ALL=C\n"));
    }

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
        script.setProcessEnvironment(environment);
        script.setWorkingDirectory(root.filePath("work"));
        script.start("/bin/sh", {"-c", "\"$0\" A.java >/dev/null", jdkLauncherFolder() + "/javac"});
        QVERIFY(script.waitForFinished(60000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(root.filePath("started")), 30000);
        const QString started = FreshStart::readFile(root.filePath("started"));
        for (const QString &expected :
             QStringList{"[-Xmx256m]\n", "/jdk-launchers/tarneljava-javacserver.jar]\n",
                         "[tarneljava.javacserver.JavacServer]\n[" + name + "]\n",
                         QFileInfo(root.filePath("cache")).canonicalFilePath() + "\n",
                         QString("public class TarnelJavaSample {")})
            QVERIFY2(started.contains(expected), qPrintable(started));
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

QTEST_GUILESS_MAIN(TestJavacServer)
#include "test_javac_server_unix.moc"
