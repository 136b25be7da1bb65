#include "ReadOnlyFolder.h"
#include "platform/PathMapping.h"
#include "platform/SingleLineText.h"
#include "platform/System.h"
#include "platform/TestSeams.h"
#include "platform/TextFiles.h"
#include "platform/TextGuess.h"

#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

static QByteArray readBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    // The folder chooser starts at the desktop folder, at home where there is none.
    void folderChooserStart_data() {
        QTest::addColumn<bool>("hasDesktop");
        QTest::newRow("a desktop folder") << true;
        QTest::newRow("no desktop folder") << false;
    }
    void folderChooserStart() {
        QFETCH(bool, hasDesktop);
        if (platform::kOnWindows)
            QSKIP("the desktop folder of Windows is the system's");
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME"); // no user-dirs.dirs: the desktop is ~/Desktop
        if (hasDesktop)
            QVERIFY(QDir(home.path()).mkdir("Desktop"));
        const QString start = platform::desktopFolder();
        qputenv("HOME", oldHome);
        if (!oldConfig.isEmpty())
            qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(start, hasDesktop ? home.filePath("Desktop") : home.path());
    }

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

    // What a one-line box keeps of an edit: the first line of the insertion, without control
    // characters; the text around it stays.
    void oneLineInsertions_data() {
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("one line") << "D:\\MyJ"
                                  << "D:\\MyJ";
        QTest::newRow("a path and a command") << "D:\\a\ntouch X\n"
                                              << "D:\\a";
        QTest::newRow("CR LF") << "b\r\nc"
                               << "b";
        QTest::newRow("CR alone") << "a\rb"
                                  << "a";
        QTest::newRow("paragraph separator") << "a\u2029b"
                                             << "a";
        QTest::newRow("NEL") << "a\u0085b"
                             << "a";
        QTest::newRow("tab, NUL, DEL, escape dropped")
            << QString("a\tb") + QChar(0) + "c\x7f\x1b" + "d"
            << "abcd";
        QTest::newRow("line break first") << "\nq"
                                          << "";
        QTest::newRow("direction override and marks dropped")
            << QString("A\u202Eavaj.exe\u200F") << "Aavaj.exe";
        QTest::newRow("zero-width space dropped") << QString("a\u200Bb") << "ab";
        QTest::newRow("Chinese and spaces stay") << "D:\\我的 Java"
                                                 << "D:\\我的 Java";
    }
    void oneLineInsertions() {
        QFETCH(QString, inserted);
        QFETCH(QString, kept);
        QCOMPARE(oneLineText(inserted), kept);
    }

    // Files of the Windows program are in GBK; bytes valid in neither code page are no text.
    void decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // "<none>": refused
        QTest::newRow("system code page") << platform::toSystemCodePage("类 é") << "类 é";
        QTest::newRow("GBK") << QByteArray("\xc0\xe0 \xd6\xd0\xce\xc4") << "类 中文";
        QTest::newRow("unfinished at the end") << QByteArray("ab\xe4") << "<none>";
        QTest::newRow("neither") << QByteArray("\xff\xfe\x80") << "<none>";
        QTest::newRow("byte-order mark stays")
            << QByteArray("\xef\xbb\xbfx") << QChar(0xFEFF) + QString("x");
    }
    void decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        if (platform::kOnWindows && QString(QTest::currentDataTag()) != "GBK")
            QSKIP("the Windows code page (GBK here) reads these bytes in its own way");
        QCOMPARE(platform::decodeText(bytes).value_or("<none>"), text);
    }

    // UTF-8 first on every system; mostly-UTF-8 bytes are in doubt, not read as mojibake.
    void guessingTheEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // "<doubt N>": in doubt from line N
        const QString chinese = "// 你好，世界：中文注释\npublic class Hello {\n"
                                "    String s = \"编译+运行\";\n}\n";
        QTest::newRow("ASCII") << QByteArray("class A {}") << "class A {}";
        QTest::newRow("UTF-8 with Chinese") << chinese.toUtf8() << chinese;
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xef\xbb\xbf") + chinese.toUtf8() << QChar(0xFEFF) + chinese;
        // The Windows build's Qt has the system code page (GBK here) but no GB18030 converter.
        const QByteArray gbkBytes = platform::kOnWindows
                                        ? platform::toSystemCodePage(chinese)
                                        : QByteArray(QStringEncoder("GB18030").encode(chinese));
        QTest::newRow("GBK with Chinese") << gbkBytes << chinese;
        QTest::newRow("UTF-8 with a stray byte")
            << QByteArray("// 你好世界 caf\xe9s\nclass A {}") << "<doubt 1>";
        // An encoded surrogate (ED A0 80) and an overlong form (E0 80 AF) are no UTF-8.
        QTest::newRow("encoded surrogate")
            << QByteArray("// 中文注释中文\n\xed\xa0\x80\n") << "<doubt 2>";
        QTest::newRow("overlong form")
            << QByteArray("// 中文注释中文\n\n\xe0\x80\xaf\n") << "<doubt 3>";
        QTest::newRow("stray byte on line 3")
            << QByteArray("// 中文\n// 注释\nString s = \"\xe9\";\n") << "<doubt 3>";
    }
    void guessingTheEncoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const platform::TextGuess guess = platform::guessText(bytes);
        const QString seen = guess.inDoubt ? QString("<doubt %1>").arg(guess.firstBadLine)
                                           : guess.text.value_or("<none>");
        QCOMPARE(seen, text);
    }

    // The build and the settings put a new file in place of the entry (a link is replaced,
    // never written through); saving writes through a link to a regular file only. Nothing
    // turns a FIFO into a file.
    void newFilesAndSavedFilesInPlaceOfAnEntry_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("replaced"); // replaceEntry: a regular file stands there after
        QTest::addColumn<QString>("saved"); // saveFile: "link" written through, "file", or ""
        QTest::newRow("regular file") << "file" << true << "file";
        QTest::newRow("link to a regular file") << "link to file" << true << "link";
        QTest::newRow("link to a FIFO") << "link to fifo" << true << "";
        QTest::newRow("FIFO") << "fifo" << true << "";
        QTest::newRow("link to nothing") << "dangling" << true << "";
        QTest::newRow("folder") << "folder" << false << "";
        QTest::newRow("link to a folder") << "link to folder" << true << "";
    }
    void newFilesAndSavedFilesInPlaceOfAnEntry() {
        QFETCH(QString, entry);
        QFETCH(bool, replaced);
        QFETCH(QString, saved);
        if (platform::kOnWindows)
            QSKIP("FIFOs and file-system links are Linux's here");
        for (const bool saving : {false, true}) {
            QTemporaryDir dir;
            const QString outside = dir.filePath("outside");
            const QString fifo = dir.filePath("fifo");
            const QString path = dir.filePath("entry");
            QVERIFY(platform::writeLines(outside, {"keep"}));
            QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
            QVERIFY(QDir().mkpath(dir.filePath("folder")));
            // A file's mode stays: one the group may read, not the new file's default.
            const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
            if (entry == "file")
                QVERIFY(platform::writeLines(path, {"old"}) && QFile::setPermissions(path, mode));
            else if (entry == "fifo")
                QVERIFY(QFile::rename(fifo, path));
            else if (entry == "folder")
                QVERIFY(QDir().mkpath(path));
            else
                QVERIFY(QFile::link(entry == "link to file"     ? outside
                                    : entry == "link to fifo"   ? fifo
                                    : entry == "link to folder" ? dir.filePath("folder")
                                                                : dir.filePath("nothing"),
                                    path));
            const QByteArray bytes = "new\r\n";
            if (!saving) {
                QCOMPARE(platform::replaceEntry(path, bytes), replaced);
                QCOMPARE(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink(), replaced);
                QCOMPARE(platform::readWholeText(outside, 100), QString("keep\r\n"));
            } else {
                const platform::Saved written =
                    platform::saveFile(path, bytes, platform::InPlace::Never);
                QCOMPARE(written.saved, !saved.isEmpty());
                QCOMPARE(written.reason, !saved.isEmpty() ? QString()
                                         : entry == "dangling"
                                             ? QString("这是一个链接，它指向的文件不存在。")
                                             : QString("这个名字已经是一个文件夹或特殊文件，"
                                                       "不是普通文件。"));
                QCOMPARE(QFileInfo(path).isSymLink(),
                         entry.startsWith("link") || entry == "dangling");
                QCOMPARE(platform::readWholeText(outside, 100),
                         QString(saved == "link" ? "new\r\n" : "keep\r\n"));
                if (saved == "file")
                    QCOMPARE(platform::readWholeText(path, 100), QString("new\r\n"));
            }
            if (entry == "file")
                QCOMPARE(QFile::permissions(path) & 0x00FF, QFile::Permissions(QFile::ReadGroup));
            if (entry != "fifo")
                QVERIFY(!QFileInfo(fifo).isFile()); // the FIFO is still one
            QCOMPARE(QDir(dir.path())
                         .entryList(QDir::Hidden | QDir::Files | QDir::System)
                         .filter(".entry"),
                     QStringList()); // no temporary file left
        }
    }

    // In a folder that takes no new file, a file the user may write is saved in place only
    // where that was asked for; otherwise the save fails and the file stays.
    void aFolderThatTakesNoNewFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("A.java");
        QVERIFY(platform::replaceEntry(path, "old"));
        ReadOnlyFolder folder;
        if (!folder.make(dir.path()))
            QSKIP("no way to keep new files out of a folder here");
        const platform::Saved never = platform::saveFile(path, "new", platform::InPlace::Never);
        QVERIFY(!never.saved);
        QCOMPARE(never.reason, QString("没有写入这里的权限。"));
        QCOMPARE(readBytes(path), QByteArray("old"));
        QVERIFY(platform::saveFile(path, "new", platform::InPlace::WhereNoNewFile).saved);
        QCOMPARE(readBytes(path), QByteArray("new"));
    }

    // A save never damages the file it replaces: whenever the file system stops taking bytes
    // (no space, a quota), in a folder that takes new files or in one that takes none (the
    // save in place), the save reports failure and the old file stays byte for byte; with room
    // enough it holds the new text. Every byte count at which a write can fail is tried.
    void aSaveThatCannotBeWrittenKeepsTheOldFile_data() {
        QTest::addColumn<bool>("noNewFiles");
        QTest::newRow("a new file renamed over the old") << false;
        QTest::newRow("in place, in a folder that takes no new file") << true;
    }
    void aSaveThatCannotBeWrittenKeepsTheOldFile() {
        QFETCH(bool, noNewFiles);
        QTemporaryDir dir;
        const QString path = dir.filePath("Old.java");
        const QByteArray old = QByteArray("class Old {}\r\n").repeated(20);
        const QByteArray text = QByteArray("public class New { /* 新 */ }\r\n").repeated(20);
        int runs = 0;
        for (qint64 room = 0; room <= text.size(); ++room, ++runs) {
            QVERIFY(platform::replaceEntry(path, old));
            platform::testing::setWriteFaults(room, noNewFiles);
            const platform::Saved saved =
                platform::saveFile(path, text, platform::InPlace::WhereNoNewFile);
            platform::testing::setWriteFaults(-1, false);
            QCOMPARE(saved.saved, room == text.size());
            QCOMPARE(saved.reason,
                     saved.saved ? QString() : QString("磁盘空间不足，或超出了磁盘配额。"));
            QCOMPARE(readBytes(path), saved.saved ? text : old);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Old.java"});
        QCOMPARE(runs, int(text.size()) + 1);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_path_mapping.moc"
