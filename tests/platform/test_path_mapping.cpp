#include "platform/PathMapping.h"
#include "platform/TextFiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void hostPath_data() {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("host");
        QTest::newRow("default folder") << "D:\\MyJava"
                                        << "/home/u/MyJava";
        QTest::newRow("work folder") << "D:\\MyJava\\ClassFiles\\"
                                     << "/home/u/MyJava/ClassFiles/";
        QTest::newRow("drive root") << "D:\\"
                                    << "/home/u";
        QTest::newRow("bare drive") << "C:"
                                    << "/home/u";
        QTest::newRow("lower-case drive") << "e:\\x"
                                          << "/home/u/x";
        QTest::newRow("Z is the root") << "Z:\\tmp\\a"
                                       << "/tmp/a";
        QTest::newRow("Z root") << "Z:\\"
                                << "/";
        QTest::newRow("forward slashes") << "D:/a/b"
                                         << "/home/u/a/b";
        QTest::newRow("doubled separator") << "D:\\\\x.java"
                                           << "/home/u/x.java";
        QTest::newRow("no drive, rooted") << "\\ClassFiles"
                                          << "/ClassFiles";
        QTest::newRow("relative") << "MyJava\\x"
                                  << "MyJava/x";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("chinese") << "D:\\我的\\代码"
                                 << "/home/u/我的/代码";
    }
    void hostPath() {
        QFETCH(QString, windows);
        QFETCH(QString, host);
        QCOMPARE(platform::linuxHostPath(windows, "/home/u"), host);
    }

    void windowsPath_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("windows");
        QTest::newRow("home itself") << "/home/u"
                                     << "D:\\";
        QTest::newRow("below home") << "/home/u/MyJava"
                                    << "D:\\MyJava";
        QTest::newRow("deeper") << "/home/u/a/b/"
                                << "D:\\a\\b";
        QTest::newRow("name starting like home") << "/home/user2/x"
                                                 << "Z:\\home\\user2\\x";
        QTest::newRow("root") << "/"
                              << "Z:\\";
        QTest::newRow("outside home") << "/tmp/work"
                                      << "Z:\\tmp\\work";
    }
    void windowsPath() {
        QFETCH(QString, host);
        QFETCH(QString, windows);
        QCOMPARE(platform::linuxWindowsPath(host, "/home/u"), windows);
        // and back again
        QCOMPARE(platform::linuxHostPath(windows, "/home/u"),
                 host.size() > 1 && host.endsWith('/') ? host.chopped(1) : host);
    }

    void linesAreCrLfInTheSystemCodePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.txt");
        QVERIFY(platform::writeLines(path, {"echo 编译中", "", "x"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), platform::toSystemCodePage("echo 编译中\r\n\r\nx\r\n"));
        QCOMPARE(platform::readWholeText(path, 1000), QString("echo 编译中\r\n\r\nx\r\n"));
    }

    void readingRefusesWhatItCannotTake() {
        QTemporaryDir dir;
        QVERIFY(!platform::readWholeText(dir.filePath("missing"), 1000));
        QVERIFY(platform::writeLines(dir.filePath("big"), {QString(100, 'x')}));
        QVERIFY(!platform::readWholeText(dir.filePath("big"), 50));
        QVERIFY(!platform::writeLines(dir.filePath("no/such/folder/f"), {"x"}));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_path_mapping.moc"
