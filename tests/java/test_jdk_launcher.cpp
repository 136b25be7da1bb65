// The program's javac and java launchers: the chosen JDK's tool runs with the learner's
// arguments as they were given (spaces, Chinese, quotes), with what the launchers add in front
// of them, and its exit code comes back; the launchers' variables do not reach it; a tool that
// cannot be run is reported as the command interpreter would.
#include "LauncherRun.h"
#include "TestFiles.h"

#include <QtTest>

class TestJdkLauncher : public QObject {
    Q_OBJECT

private slots:
    void runsTheChosenTool_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("note"); // printed before the tool runs
        QTest::addColumn<QString>("copy"); // the source copy's encoding, for javac
        const QStringList fast{"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                               "-J-XX:-UsePerfData"};
        const QString archive = "归档 a/javac.jsa";
        const QStringList quiet =
            QStringList{"-J-XX:+SuppressFatalErrorMessage"} +
            (platform::kOnWindows ? QStringList{"-J-XX:-CreateCoredumpOnCrash"} : QStringList{});
        QTest::newRow("javac of a JDK that does not say: as it is")
            << "javac"
            << ""
            << "" << QStringList{"A.java"} << 0 << QStringList{} << QString() << QString();
        QTest::newRow("javac, fast")
            << "javac"
            << "fast"
            << "" << QStringList{"A.java"} << 0 << fast << QString() << QString();
        QTest::newRow("javac with the archive (JDK 13-18)")
            << "javac"
            << "use"
            << "" << QStringList{"-d", ".", "A.java"} << 0
            << fast + QStringList{"-J-XX:SharedArchiveFile=" + archive, "-J-Xlog:disable"} + quiet
            << QString() << QString();
        QTest::newRow("javac with the archive (JDK 19+)")
            << "javac"
            << "auto"
            << "" << QStringList{"A.java"} << 0
            << fast +
                   QStringList{"-J-XX:+AutoCreateSharedArchive",
                               "-J-XX:SharedArchiveFile=" + archive, "-J-Xlog:disable"} +
                   quiet
            << QString() << QString();
        QTest::newRow("javac's exit code")
            << "javac"
            << ""
            << "" << QStringList{"Bad.java"} << 3 << QStringList{} << QString() << QString();
        QTest::newRow("java: arguments as given")
            << "java"
            << ""
            << "" << QStringList{"Hello", "a b", "你好", "say \"hi\"", "back\\"} << 0
            << QStringList{} << QString() << QString();
        QTest::newRow("java under a code page not UTF-8, JDK 18+")
            << "java"
            << ""
            << "COMPAT" << QStringList{"Hello", "x"} << 0 << QStringList{"-Dfile.encoding=COMPAT"}
            << QString() << QString();
        QTest::newRow("javac of a compact source file on JDK 17: a note first")
            << "javac"
            << ""
            << "" << QStringList{"Main.java"} << 1 << QStringList{} << "提示：需要 JDK 25"
            << QString();
        QTest::newRow("java: javac's note is not its")
            << "java"
            << ""
            << "" << QStringList{"Main"} << 0 << QStringList{} << "提示：需要 JDK 25" << QString();
        QTest::newRow("javac told the copy's encoding last, whatever the start")
            << "javac"
            << "use"
            << "" << QStringList{"A.java"} << 0
            << fast + QStringList{"-J-XX:SharedArchiveFile=" + archive, "-J-Xlog:disable"} + quiet +
                   QStringList{"-encoding", "GB18030"}
            << QString() << "GB18030";
        QTest::newRow("javac of a JDK that does not say, told the copy's encoding")
            << "javac"
            << ""
            << "" << QStringList{"A.java"} << 0 << QStringList{"-encoding", "GBK"} << QString()
            << "GBK";
        QTest::newRow("java: the copy's encoding is not its")
            << "java"
            << ""
            << "" << QStringList{"A"} << 0 << QStringList{} << QString() << "GBK";
        QTest::newRow("java's exit code")
            << "java"
            << ""
            << "" << QStringList{"Hello"} << 1 << QStringList{} << QString() << QString();
    }
    void runsTheChosenTool() {
        QFETCH(QString, tool);
        QFETCH(QString, start);
        QFETCH(QString, encoding);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, added);
        QFETCH(QString, note);
        QFETCH(QString, copy);
        QTemporaryDir jdk;
        QVERIFY(makeStandInJdk(jdk.filePath("bin")));
        const QString bin = QDir::toNativeSeparators(jdk.filePath("bin"));
        const Ran ran = runLauncher(tool, arguments,
                                    {{"TARNELJAVA_JDK_BIN", bin},
                                     {"TARNELJAVA_JAVAC_START", start},
                                     {"TARNELJAVA_JAVAC_ARCHIVE", "归档 a/javac.jsa"},
                                     {"TARNELJAVA_JAVA_FILE_ENCODING", encoding},
                                     {"TARNELJAVA_JAVAC_NOTE", note},
                                     {"TARNELJAVA_JAVAC_ENCODING", copy}},
                                    exitCode);
        // The tool's output alone, and no TARNELJAVA_ variable.
        const bool noted = !note.isEmpty() && tool == "javac";
        QCOMPARE(ran.output, (noted ? note + "\n" : QString()) + bracketed(added + arguments));
        QCOMPARE(ran.exitCode, exitCode);
    }

    // A build's compile is recorded: javac's error output reaches the console byte for byte and
    // the record alike, its exit code beside it; java then runs the program only after a
    // compile that succeeded, or when nothing was recorded.
    void aCompileIsRecorded_data() {
        QTest::addColumn<QByteArray>("errors");
        QTest::addColumn<int>("javacCode");
        QTest::addColumn<QString>("exitFile"); // "<javac>": as javac's launcher left it
        QTest::addColumn<bool>("javaRuns");
        const QByteArray chinese = platform::toSystemCodePage(
            "A.java:3: 错误: 需要';'\n        int a = 1\n                 ^\n1 个错误\n");
        QTest::newRow("a failed compile: no run") << chinese << 1 << "<javac>" << false;
        QTest::newRow("ended by a Ctrl+C: no run") << QByteArray() << 130 << "<javac>" << false;
        QTest::newRow("a good compile with warnings: the run")
            << QByteArray("A.java:2: warning: [removal] x\n") << 0 << "<javac>" << true;
        QTest::newRow("nothing recorded: the run") << QByteArray() << 0 << "<none>" << true;
        QTest::newRow("a record cut short: the run") << QByteArray() << 0 << "" << true;
        QTest::newRow("zeros are success") << QByteArray() << 0 << "000" << true;
        QTest::newRow("a code after zeros is failure") << QByteArray() << 0 << "01" << false;
    }
    void aCompileIsRecorded() {
        QFETCH(QByteArray, errors);
        QFETCH(int, javacCode);
        QFETCH(QString, exitFile);
        QFETCH(bool, javaRuns);
        QTemporaryDir jdk;
        QVERIFY(makeStandInJdk(jdk.filePath("bin")));
        const QString record = QDir::toNativeSeparators(jdk.filePath("编译 record.txt"));
        const QList<QPair<QString, QString>> told{
            {"TARNELJAVA_JDK_BIN", QDir::toNativeSeparators(jdk.filePath("bin"))},
            {"TARNELJAVA_JAVAC_OUTPUT", record},
            {"TARNEL_TEST_STDERR", platform::fromSystemCodePage(errors)}};
        if (exitFile == "<javac>") {
            const Ran javac =
                runLauncher("javac", {"A.java"}, told, javacCode, QProcess::SeparateChannels);
            QCOMPARE(javac.exitCode, javacCode);
            QCOMPARE(javac.output, bracketed({"A.java"}));
            // (The Windows stand-in writes its lines with CR LF.)
            QCOMPARE(QByteArray(javac.errorOutput).replace("\r\n", "\n"), errors);
            QFile recorded(record);
            QVERIFY(recorded.open(QIODevice::ReadOnly));
            QCOMPARE(recorded.readAll(), javac.errorOutput);
        } else if (exitFile != "<none>") {
            QFile cut(record + ".exit");
            QVERIFY(cut.open(QIODevice::WriteOnly));
            cut.write(exitFile.toLatin1());
        }
        const Ran java = runLauncher("java", {"A"}, told.mid(0, 2), 0);
        const QString refusal = "编译没有成功，程序没有运行。请按上面的错误提示修改程序后再试。\n";
        QCOMPARE(java.output, javaRuns ? bracketed({"A"}) : refusal);
        QCOMPARE(java.exitCode, javaRuns ? 0 : 1);
    }

    // The learner's program meets the PATH it would meet by hand: the launchers' folder is gone
    // from it, however it was written there; everything else stays, in its order.
    void theLearnersProgramMeetsThePathAsByHand() {
        QTemporaryDir jdk;
        QVERIFY(makeStandInJdk(jdk.filePath("bin")));
        const QString bin = QDir::toNativeSeparators(jdk.filePath("bin"));
        const QString own = jdkLauncherFolder();
        const QString system = platform::kOnWindows ? "C:\\Windows\\system32" : "/usr/bin";
        QStringList path{own, bin, own + QDir::separator(), system, own.toUpper(), "/bin"};
        if (!platform::kOnWindows) {
            path[4] = jdk.filePath("a link to the launchers");
            QVERIFY(QFile::link(own, path[4]));
        }
        const QString kept = QStringList{bin, system, "/bin"}.join(QDir::listSeparator());
        for (const QString tool : {"javac", "java"}) {
            const Ran ran = runLauncher(tool, {"A"},
                                        {{"TARNELJAVA_JDK_BIN", bin},
                                         {"TARNEL_TEST_PATH", "1"},
                                         {"PATH", path.join(QDir::listSeparator())}});
            QVERIFY2(ran.output.contains("PATH=" + kept + "\n"), qPrintable(ran.output));
        }
    }

    // A JVM that crashes on its archive (damaged after the program checked it) is run again at
    // once without it; the learner sees the second compile's output alone, and the archive goes,
    // to be made anew. A Ctrl+C is no crash: javac ends with it; nor is javac's own failure,
    // which says why (on Windows a crashed JVM ends with 1 too, saying nothing).
    void aCrashOnTheArchiveIsCompiledAgain_data() {
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("said"); // javac's own failure, with its message
        QTest::addColumn<bool>("again");
        QTest::newRow("SIGSEGV") << "SEGV"
                                 << "" << true;
        QTest::newRow("SIGABRT (the JVM's fatal error)") << "ABRT"
                                                         << "" << true;
        QTest::newRow("SIGBUS") << "BUS"
                                << "" << true;
        QTest::newRow("a Ctrl+C") << "INT"
                                  << "" << false;
        QTest::newRow("javac's own failure") << ""
                                             << "A.java:1: 错误: 需要';'\n"
                                             << false;
    }
    void aCrashOnTheArchiveIsCompiledAgain() {
        QFETCH(QString, signal);
        QFETCH(QString, said);
        QFETCH(bool, again);
        if (platform::kOnWindows && signal == "INT")
            QSKIP("no signal ends a program on Windows");
        QTemporaryDir jdk;
        QVERIFY(makeStandInJdk(jdk.filePath("bin")));
        const QString archive = jdk.filePath("javac.jsa");
        QVERIFY(platform::writeLines(archive, {"damaged"}));
        QVERIFY(platform::writeLines(archive + ".size", {"8 0"}));
        const QString record = jdk.filePath("record.txt");
        const Ran javac = runLauncher("javac", {"A.java"},
                                      {{"TARNELJAVA_JDK_BIN", jdk.filePath("bin")},
                                       {"TARNELJAVA_JAVAC_START", "use"},
                                       {"TARNELJAVA_JAVAC_ARCHIVE", archive},
                                       {"TARNELJAVA_JAVAC_OUTPUT", record},
                                       {"TARNEL_TEST_CRASH", signal},
                                       {"TARNEL_TEST_STDERR", said}},
                                      said.isEmpty() ? 0 : 1);
        const QStringList fast{"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                               "-J-XX:-UsePerfData"};
        if (again) {
            QCOMPARE(javac.output, bracketed(fast + QStringList{"A.java"}));
            QCOMPARE(javac.exitCode, 0);
            QCOMPARE(fileBytes(record + ".exit"), QByteArray("0"));
        } else {
            QVERIFY(javac.exitCode != 0); // ended by the same signal, or failed
            QCOMPARE(javac.output.count("[A.java]"), said.isEmpty() ? 0 : 1);
        }
        QCOMPARE(QFile::exists(archive), !again);
        QCOMPARE(QFile::exists(archive + ".size"), !again);
    }

    // The archive maker runs once the build's script has ended, in the cache folder (not the
    // learner's), removes what a maker that died left, and leaves the archive with its size.
    void theMakerWorksInTheCache() {
        QTemporaryDir root;
        QVERIFY(makeStandInJdk(root.filePath("jdk/bin")));
        QVERIFY(QDir().mkpath(root.filePath("cache")));
        QVERIFY(QDir().mkpath(root.filePath("learner")));
        const QString archive = QDir::toNativeSeparators(root.filePath("cache/javac-1-2.jsa"));
        QVERIFY(platform::writeLines(archive + ".999999.new", {"cut"}));
        QVERIFY(QDir().mkpath(archive + ".999999.new.d"));
        QVERIFY(platform::writeLines(archive + ".999999.new.d/TarnelJavaSample.java", {"x"}));
        QProcess script; // the build script's interpreter: the maker waits for its end
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TARNELJAVA_JDK_BIN", root.filePath("jdk/bin"));
        environment.insert("TARNELJAVA_JAVAC_START", "make");
        environment.insert("TARNELJAVA_JAVAC_ARCHIVE", archive);
        environment.insert("TARNEL_TEST_MAKER", root.filePath("maker's folder"));
        environment.insert("TARNEL_TEST_ARGS", "1");
        script.setProcessEnvironment(environment);
        script.setWorkingDirectory(root.filePath("learner"));
        const QString javac = QDir::toNativeSeparators(launcherPath("javac"));
        if (platform::kOnWindows) // the maker holds no handle of the interpreter's
            script.start("cmd.exe", {"/c", javac, "A.java"});
        else
            script.start("/bin/sh", {"-c", "\"$0\" A.java >/dev/null", javac});
        QVERIFY(script.waitForFinished(60000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(archive + ".size"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(archive), 30000);
        const QString makersFolder = QString(fileBytes(root.filePath("maker's folder"))).trimmed();
        QCOMPARE(QFileInfo(makersFolder).canonicalFilePath(),
                 QFileInfo(root.filePath("cache")).canonicalFilePath());
        // The lock goes with the maker on Windows; on Linux it stays, unlocked.
        const QStringList left =
            platform::kOnWindows
                ? QStringList({"javac-1-2.jsa", "javac-1-2.jsa.size"})
                : QStringList({"javac-1-2.jsa", "javac-1-2.jsa.lock", "javac-1-2.jsa.size"});
        QTRY_COMPARE_WITH_TIMEOUT(
            QDir(root.filePath("cache")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), left,
            30000);
        // The archive's record is the user's alone.
        if (!platform::kOnWindows)
            QCOMPARE(QFile::permissions(archive + ".size") & (QFile::ReadGroup | QFile::WriteGroup |
                                                              QFile::ReadOther | QFile::WriteOther),
                     QFile::Permissions());
        // Gone once the maker has ended: Windows removes no folder a program works in.
        QTRY_VERIFY_WITH_TIMEOUT(QDir(root.filePath("cache")).removeRecursively(), 30000);
    }

    // A tool that cannot be run: one line, as the command interpreter says it, and its code;
    // a launcher never runs itself.
    void aToolThatCannotBeRun_data() {
        QTest::addColumn<QString>("bin");
        QTest::newRow("no JDK told") << "";
        QTest::newRow("a JDK that is gone") << "no such folder";
        QTest::newRow("the launchers' own folder") << "<launchers>";
    }
    void aToolThatCannotBeRun() {
        QFETCH(QString, bin);
        QTemporaryDir root;
        if (bin == "<launchers>")
            bin = jdkLauncherFolder();
        else if (!bin.isEmpty())
            bin = root.filePath(bin);
        for (const QString tool : {"javac", "java"}) {
            const Ran ran = runLauncher(tool, {"A.java"}, {{"TARNELJAVA_JDK_BIN", bin}});
            QCOMPARE(ran.output,
                     "'" + tool + "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
            QCOMPARE(ran.exitCode, platform::kOnWindows ? 9009 : 127);
        }
    }
};

QTEST_GUILESS_MAIN(TestJdkLauncher)
#include "test_jdk_launcher.moc"
