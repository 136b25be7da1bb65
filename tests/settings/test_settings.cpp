#include "FreshSettings.h"
#include "ReadOnlyFolder.h"
#include "platform/VbNumbers.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsPlace.h"
#include "ui/MainModule.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT

    // Every test function starts the program afresh, with a program folder of its own.
    std::unique_ptr<FreshSettings> m_start;
    QString iniPath() const { return m_start->iniPath(); }
    QString inProgramFolder(const QString &name) const {
        return m_start->programDir.filePath(name);
    }
    void writeIni(const QByteArray &bytes) { m_start->writeIni(bytes); }
    QByteArray readIni() { return m_start->readIni(); }

private slots:
    void init() { m_start = std::make_unique<FreshSettings>(); }
    void cleanup() { m_start.reset(); }

    void reading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<int>("classExist");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("as written")
            << QByteArray("JavaPath=E:\\Work\r\nClassExist= 1\r\n") << "E:\\Work" << 1 << false;
        QTest::newRow("empty file") << QByteArray() << "" << 0 << false;
        QTest::newRow("only ClassExist") << QByteArray("ClassExist=1\r\n") << "" << 1 << false;
        QTest::newRow("value holds =")
            << QByteArray("JavaPath=D:\\a=b=c\r\n") << "D:\\a=b=c" << 0 << false;
        QTest::newRow("empty value") << QByteArray("JavaPath=\r\n") << "" << 0 << false;
        QTest::newRow("other case and blanks ignored")
            << QByteArray("javapath=X:\r\nJavaPath =Y:\r\nCLASSEXIST=1\r\n") << "" << 0 << false;
        QTest::newRow("last wins, any order")
            << QByteArray("ClassExist=1\r\nJavaPath=A:\r\nJavaPath=B:\r\nClassExist=0\r\n")
            << "B:" << 0 << false;
        QTest::newRow("no digits") << QByteArray("ClassExist=abc\r\n") << "" << 0 << false;
        QTest::newRow("2.5 to even") << QByteArray("ClassExist=2.5\r\n") << "" << 2 << false;
        QTest::newRow("3.5 to even") << QByteArray("ClassExist=3.5xyz\r\n") << "" << 4 << false;
        QTest::newRow("a second point ends the number")
            << QByteArray("ClassExist=1.6.9\r\n") << "" << 2 << false;
        QTest::newRow("tab and sign") << QByteArray("ClassExist=\t-7\r\n") << "" << -7 << false;
        QTest::newRow("16-bit edge") << QByteArray("ClassExist=32767\r\n") << "" << 32767 << false;
        QTest::newRow("no line end at the end")
            << QByteArray("JavaPath=D:\\q") << "D:\\q" << 0 << false;
        QTest::newRow("LF line ends")
            << QByteArray("JavaPath=D:\\q\nClassExist= 1\n") << "D:\\q" << 1 << false;
        // An empty line costs nothing: the settings around it are kept.
        QTest::newRow("trailing empty line")
            << QByteArray("JavaPath=D:\\keep\r\nClassExist= 1\r\n\r\n") << "D:\\keep" << 1 << false;
        QTest::newRow("empty line between")
            << QByteArray("JavaPath=D:\\keep\r\n\r\nClassExist= 1\r\n") << "D:\\keep" << 1 << false;
        QTest::newRow("line without =")
            << QByteArray("JavaPath=D:\\lost\r\ngarbage\r\n") << "D:\\MyJava" << 0 << true;
        QTest::newRow("out of range")
            << QByteArray("JavaPath=D:\\lost\r\nClassExist=32768\r\n") << "D:\\MyJava" << 0 << true;
        QTest::newRow("huge number") << QByteArray("ClassExist=" + QByteArray(400, '9') + "\r\n")
                                     << "D:\\MyJava" << 0 << true;
        QTest::newRow("binary bytes")
            << QByteArray("\x01\x02\xff\xfe\x00\x80", 6) << "D:\\MyJava" << 0 << true;
        // Files made by the program on Chinese Windows are in GBK.
        QTest::newRow("GBK from Windows")
            << gbk("JavaPath=D:\\我的Java\r\nClassExist= 1\r\n") << "D:\\我的Java" << 1 << false;
        const QByteArray filler = "Other=" + QByteArray(kMaxSettingsBytes - 8 - 16, 'x') + "\r\n";
        QTest::newRow("64 KB") << filler + "JavaPath=D:\\64\r\n"
                               << "D:\\64" << 0 << false;
        QTest::newRow("larger than 64 KB") << filler + "JavaPath=D:\\65\r\n\r\n"
                                           << "D:\\MyJava" << 0 << true;
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, javaPath);
        QFETCH(int, classExist);
        QFETCH(bool, rewritten);
        writeIni(file);
        MainModule::LoadSettings();
        QCOMPARE(MainModule::JavaPath, javaPath);
        QCOMPARE(int(MainModule::ClassExist), classExist);
        QCOMPARE(readIni(),
                 rewritten ? QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n") : file);
    }

    void missingFileIsCreatedWithDefaults() {
        MainModule::LoadSettings();
        QCOMPARE(MainModule::JavaPath, QString("D:\\MyJava"));
        QCOMPARE(MainModule::ClassExist, qint16(0));
        QCOMPARE(readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n"));
    }

    // Anything but a regular file takes the failure path without waiting or reading without
    // end; its entry is replaced with a file of the two default lines.
    void notARegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a folder") << "link to folder";
        QTest::newRow("link to a FIFO") << "link to fifo";
        QTest::newRow("link to nothing") << "dangling";
    }
    void notARegularFile() {
        QFETCH(QString, kind);
        if (platform::kOnWindows)
            QSKIP("FIFOs and file-system links of this kind are Linux's");
        const QString fifo = inProgramFolder("fifo");
        QFile::remove(fifo);
        if (!makeFifo(fifo))
            QSKIP("no FIFOs on this system");
        const QString folder = inProgramFolder("folder");
        QVERIFY(QDir().mkpath(folder));
        if (kind == "fifo")
            QVERIFY(QFile::rename(fifo, iniPath()));
        else if (kind == "dangling")
            QVERIFY(QFile::link(inProgramFolder("nothing"), iniPath()));
        else
            QVERIFY(QFile::link(kind == "link to folder" ? folder : fifo, iniPath()));
        MainModule::LoadSettings(); // a read of the pipe would never return
        QCOMPARE(MainModule::JavaPath, QString("D:\\MyJava"));
        QVERIFY(!QFileInfo(iniPath()).isSymLink());
        QCOMPARE(readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n"));
        // What the link led to is left as it was.
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QFileInfo(fifo).isFile(), false);
    }

    // The file is replaced at once: the old one stays until the new one is complete, and no
    // temporary file is left beside it.
    void rewriteIsAtomic() {
        writeIni("JavaPath=D:\\old\r\nClassExist= 1\r\n");
        if (platform::kOnWindows) { // Windows replaces no file that is open
            MainModule::SaveSettings("D:\\new", 0);
        } else {
            QFile before(iniPath());
            QVERIFY(before.open(QIODevice::ReadOnly)); // a reader that opened the old file
            MainModule::SaveSettings("D:\\new", 0);
            QCOMPARE(before.readAll(), QByteArray("JavaPath=D:\\old\r\nClassExist= 1\r\n"));
        }
        QCOMPARE(readIni(), QByteArray("JavaPath=D:\\new\r\nClassExist= 0\r\n"));
        QCOMPARE(QDir(m_start->programDir.path()).entryList(QDir::Files),
                 QStringList{"Setting.ini"});
    }

    // A line break in the folder would give the file a third line.
    void lineBreakInTheFolderIsNeverWritten() {
        MainModule::SaveSettings("D:\\MyJava\ntouch INJECTED", 1);
        QCOMPARE(readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 1\r\n"));
    }

    void writing_data() {
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<int>("classExist");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("defaults") << "D:\\MyJava" << 0
                                  << QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n");
        QTest::newRow("keep") << "D:\\MyJava" << 1
                              << QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 1\r\n");
        QTest::newRow("negative") << "" << -5 << QByteArray("JavaPath=\r\nClassExist=-5\r\n");
        QTest::newRow("extremes") << "x" << -32768
                                  << QByteArray("JavaPath=x\r\nClassExist=-32768\r\n");
    }
    void writing() {
        QFETCH(QString, javaPath);
        QFETCH(int, classExist);
        QFETCH(QByteArray, bytes);
        writeIni("old content that is replaced completely\r\n");
        QVERIFY(MainModule::SaveSettings(javaPath, qint16(classExist)));
        QCOMPARE(readIni(), bytes);
        MainModule::LoadSettings();
        QCOMPARE(MainModule::JavaPath, javaPath);
        QCOMPARE(int(MainModule::ClassExist), classExist);
    }

    void failureToWriteIsSilent() {
        // A program folder and a user's folder below a plain file can hold no Setting.ini,
        // even for root.
        writeIni("x");
        MainModule::setProgramFolder(iniPath() + "/sub");
        MainModule::setUserFolder(iniPath() + "/user");
        QVERIFY(!MainModule::SaveSettings("D:\\a", 1));
        MainModule::LoadSettings(); // defaults, and the write fails silently as well
        QCOMPARE(MainModule::JavaPath, QString("D:\\MyJava"));
    }

    // Where the settings live: beside the program when its folder takes them, else in the
    // user's folder, which is read when it has a file, a packager's file beside the program
    // otherwise; every change goes to the user's file.
    void place_data() {
        QTest::addColumn<QString>("folder"); // "writable", "read-only", "marked"
        QTest::addColumn<QByteArray>("programFile");
        QTest::addColumn<QByteArray>("userFile");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QByteArray>("programFileAfter"); // after saving D:\\New
        QTest::addColumn<QByteArray>("userFileAfter");
        const QByteArray p = "JavaPath=D:\\Packaged\r\n", u = "JavaPath=D:\\Mine\r\n";
        const QByteArray saved = "JavaPath=D:\\New\r\nClassExist= 1\r\n", none = "<missing>";
        QTest::newRow("writable: beside the program")
            << "writable" << p << u << "D:\\Packaged" << saved << u;
        QTest::newRow("writable, nothing yet")
            << "writable" << none << none << "D:\\MyJava" << saved << none;
        for (const char *folder : {"read-only", "marked"}) {
            QTest::addRow("%s: the user's file", folder)
                << folder << p << u << "D:\\Mine" << p << saved;
            QTest::addRow("%s: the packager's file, then the user's", folder)
                << folder << p << none << "D:\\Packaged" << p << saved;
            QTest::addRow("%s, nothing yet: defaults in the user's folder", folder)
                << folder << none << none << "D:\\MyJava" << none << saved;
        }
    }
    void place() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, programFile);
        QFETCH(QByteArray, userFile);
        QFETCH(QString, read);
        QFETCH(QByteArray, programFileAfter);
        QFETCH(QByteArray, userFileAfter);
        // The user's folder does not exist before the first write.
        const QString user = m_start->userDir.filePath("config/TarnelJava");
        MainModule::setUserFolder(user);
        if (programFile != "<missing>")
            writeIni(programFile);
        if (userFile != "<missing>") {
            QVERIFY(QDir().mkpath(user));
            QVERIFY(platform::replaceEntry(user + "/Setting.ini", userFile));
        }
        if (folder == "marked")
            QVERIFY(platform::writeLines(inProgramFolder(kUserSettingsMarker), {"marker"}));
        ReadOnlyFolder readOnly;
        if (folder == "read-only" && !readOnly.make(m_start->programDir.path()))
            QSKIP("no way to make a folder read-only for this user (root: chattr +i failed)");
        MainModule::LoadSettings();
        QCOMPARE(MainModule::JavaPath, read);
        MainModule::SaveSettings("D:\\New", 1);
        readOnly.undo();
        QCOMPARE(readIni(), programFileAfter);
        QCOMPARE(fileBytes(user + "/Setting.ini"), userFileAfter);
    }

    void settingsFiles_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::newRow("a folder") << "/opt/t"
                                  << "/opt/t/Setting.ini";
        QTest::newRow("ending in /") << "/opt/t/"
                                     << "/opt/t/Setting.ini";
        QTest::newRow("ending in \\") << "C:\\Prog\\"
                                      << "C:\\Prog\\Setting.ini";
        QTest::newRow("a drive's root") << "C:\\"
                                        << "C:\\Setting.ini";
    }
    void settingsFiles() {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QCOMPARE(settingsFileIn(folder), file);
    }

    void roundingHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        for (auto [v, r] : std::initializer_list<std::pair<double, double>>{
                 {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.4, 0}, {12.5, 12}, {13.5, 14}, {0.5, 0}})
            QTest::addRow("%g", v) << v << r;
    }
    void roundingHalfToEven() {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
