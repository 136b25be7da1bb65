// The warm compiler as the javac launcher sees it: what it asks of it, and what it does with
// each answer (a stand-in server on the loopback port).
#include "LauncherRun.h"
#include "StandInServer.h"
#include "TestFiles.h"
#include "java/launch/JavacServerClient.h"
#include "jdklaunch/JdkLaunch.h"

#include <QtTest>

namespace {
QStringList existingFiles; // what serverRequest finds on the disk

jdklaunch::String systemText(const QString &text) {
    if constexpr (platform::kOnWindows) {
        const std::wstring wide = text.toStdWString();
        return jdklaunch::String(wide.begin(), wide.end());
    } else {
        const std::string bytes = text.toStdString();
        return jdklaunch::String(bytes.begin(), bytes.end());
    }
}

QString qtText(const jdklaunch::String &text) {
    QString converted;
    for (const auto c : text)
        converted += platform::kOnWindows ? QChar(char16_t(c)) : QChar::fromLatin1(char(c));
    return platform::kOnWindows ? converted : QString::fromUtf8(converted.toLatin1());
}

QStringList toList(const std::vector<jdklaunch::String> &strings) {
    QStringList list;
    for (const jdklaunch::String &string : strings)
        list << qtText(string);
    return list;
}

QMap<QByteArray, jdklaunch::String> variables;
const jdklaunch::Char *variable(const char *name) {
    const auto found = variables.constFind(name);
    return found == variables.constEnd() ? nullptr : found->c_str();
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
        if (platform::kOnWindows) {
            const QStringList a{"C:\\w\\A.java", "A.java"};
            QTest::newRow("Windows: a file in the folder")
                << QStringList{"A.java"} << "a;D:\\b" << QStringList{"-classpath", "C:\\w\\a;D:\\b"}
                << a;
            QTest::newRow("Windows: a whole name, a network name")
                << QStringList{"D:/x/A.java", "\\\\s\\t\\B.java"} << "<unset>"
                << QStringList{"-classpath", "C:\\w"}
                << QStringList{"D:/x/A.java", "D:/x/A.java", "\\\\s\\t\\B.java",
                               "\\\\s\\t\\B.java"};
            for (const QStringList &refused : {QStringList{"C:A.java"}, QStringList{"\\A.java"},
                                               QStringList{"-d", "D:", "A.java"}})
                QTest::newRow(qPrintable("Windows: refused " + refused.join(' ')))
                    << refused << "<unset>" << none << QStringList{};
            return;
        }
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
        existingFiles = {"/w/A.java",     "/w/B.java",   "/w/A.txt",
                         "C:\\w\\A.java", "D:/x/A.java", "\\\\s\\t\\B.java"};
        std::vector<jdklaunch::String> given;
        for (const QString &argument : arguments)
            given.push_back(systemText(argument));
        const jdklaunch::String path = systemText(classPath);
        jdklaunch::ServerRequest request;
        const bool asked = jdklaunch::serverRequest(
            given, systemText(platform::kOnWindows ? "C:\\w" : "/w"),
            classPath == "<unset>" ? nullptr : &path,
            [](const jdklaunch::String &file) { return existingFiles.contains(qtText(file)); },
            request);
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
        variables = {{name, systemText(value)}};
        QCOMPARE(jdklaunch::serverTakes(variable), takes);
        // The messages' language is in the context a request carries.
        const jdklaunch::String context = jdklaunch::serverContext(variable);
        variables = {{name, systemText(value + "x")}};
        QCOMPARE(context != jdklaunch::serverContext(variable), name == "LANG");
    }

    // The port file: "port secret"; anything else names no server.
    void portFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("secret");
        QTest::newRow("as written")
            << QByteArray("40123 5ec7e7\n") << 40123 << QByteArray("5ec7e7");
        QTest::newRow("a Windows line end") << QByteArray("1 ab\r\n") << 1 << QByteArray("ab");
        QTest::newRow("the highest port") << QByteArray("65535 ab") << 65535 << QByteArray("ab");
        for (const char *text : {"0 ab", "65536 ab", "-1 ab", "40123", "40123\tab", "x ab", ""})
            QTest::newRow(qPrintable(QString("none: ") + text))
                << QByteArray(text) << 0 << QByteArray();
    }
    void portFiles() {
        QFETCH(QByteArray, text);
        QFETCH(int, port);
        QFETCH(QByteArray, secret);
        std::string read;
        QCOMPARE(jdklaunch::portAndSecret(text.toStdString(), read), port);
        if (port != 0)
            QCOMPARE(QByteArray::fromStdString(read), secret);
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
        StandInServer server(QDir::toNativeSeparators(name), answer, hangs);
        QVERIFY(server.ready());
        const Ran javac =
            runLauncher("javac", {"A.java"},
                        {{"TARNELJAVA_JDK_BIN", root.filePath("jdk/bin")},
                         {"TARNELJAVA_JAVAC_START", "fast"},
                         {"TARNELJAVA_JAVAC_ENCODING", "GBK"},
                         {"TARNELJAVA_JAVAC_OUTPUT", QDir::toNativeSeparators(record)},
                         {"TARNELJAVA_JAVAC_SERVER", QDir::toNativeSeparators(name)},
                         {"CLASSPATH", "lib"},
                         {"LC_ALL", "C"}},
                        0, QProcess::SeparateChannels, root.filePath("work"));
        const QString work =
            QDir::toNativeSeparators(QFileInfo(root.filePath("work")).canonicalFilePath());
        const QString slash = QDir::separator();
        if (exitCode >= 0) {
            QCOMPARE(javac.output, QString());
            QCOMPARE(javac.errorOutput, errors);
            QCOMPARE(javac.exitCode, exitCode);
            QCOMPARE(fileBytes(record), errors);
            QCOMPARE(fileBytes(record + ".exit"), QByteArray::number(exitCode));
        } else {
            const QStringList fast{"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                                   "-J-XX:-UsePerfData"};
            QCOMPARE(javac.output, bracketed(fast + QStringList{"-encoding", "GBK", "A.java"}));
            QCOMPARE(javac.errorOutput, QByteArray()); // nothing of the server's shows
            QCOMPARE(javac.exitCode, 0);
            QCOMPARE(fileBytes(record + ".exit"), QByteArray("0"));
        }
        server.stop();
        QCOMPARE(server.asked().options,
                 QStringList({"-encoding", "GBK", "-classpath", work + slash + "lib"}));
        QCOMPARE(server.asked().files, QStringList({work + slash + "A.java", "A.java"}));
        QVERIFY(server.asked().context.contains("LC_ALL=C\n"));
    }

    // A port file that is a link, which another user could have put in a shared folder, names
    // no server: javac runs itself at once.
    void aPortFileThatIsALinkIsNotFollowed() {
        if (platform::kOnWindows)
            QSKIP("the port file's link is a Linux file-system entry");
        QTemporaryDir root;
        QVERIFY(makeStandInJdk(root.filePath("jdk/bin")));
        QVERIFY(platform::writeLines(root.filePath("A.java"), {"class A {}"}));
        StandInServer server(root.filePath("elsewhere"),
                             StandInServer::frame('A', "") + exitFrame(0));
        QVERIFY(server.ready());
        QVERIFY(QFile::link(root.filePath("elsewhere.port"), root.filePath("javac-1-2.port")));
        const Ran javac = runLauncher("javac", {"A.java"},
                                      {{"TARNELJAVA_JDK_BIN", root.filePath("jdk/bin")},
                                       {"TARNELJAVA_JAVAC_OUTPUT", root.filePath("record.txt")},
                                       {"TARNELJAVA_JAVAC_SERVER", root.filePath("javac-1-2")}},
                                      0, QProcess::SeparateChannels, root.path());
        QCOMPARE(javac.output, bracketed({"A.java"}));
        QVERIFY(!QFile::exists(root.filePath("elsewhere.asked")));
        server.kill();
    }
};

QTEST_GUILESS_MAIN(TestJavacServer)
#include "test_javac_server.moc"
