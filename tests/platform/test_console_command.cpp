#include "platform/TerminalCommand.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The command line for each kind of terminal, found through links as Debian installs them:
// x-terminal-emulator -> /etc/alternatives/x-terminal-emulator -> the real program.
class TestConsoleCommand : public QObject {
    Q_OBJECT

private slots:
    void terminalCommandLines_data() {
        QTest::addColumn<QString>("realName");
        QTest::addColumn<QString>("program"); // empty: the terminal as found
        QTest::addColumn<QStringList>("arguments");
        const QString title = "D:\\MyJava\\ClassFiles\\Korvath.bat";
        const QStringList xterm{"-u8",
                                "-fa",
                                "DejaVu Sans Mono",
                                "-fd",
                                "WenQuanYi Micro Hei Mono",
                                "-fs",
                                "11",
                                "-geometry",
                                "80x25",
                                "-sb",
                                "-sl",
                                "5000",
                                "-T",
                                title,
                                "-e"};
        QTest::newRow("xterm") << "xterm"
                               << "" << xterm;
        QTest::newRow("uxterm") << "uxterm"
                                << "" << xterm;
        QTest::newRow("lxterm") << "lxterm"
                                << "" << xterm;
        QTest::newRow("gnome-terminal.wrapper") << "gnome-terminal.wrapper"
                                                << "" << QStringList{"-T", title, "-e"};
        QTest::newRow("konsole") << "konsole"
                                 << "" << QStringList{"--separate", "-e"};
        QTest::newRow("xfce4-terminal.wrapper runs the terminal itself")
            << "xfce4-terminal.wrapper"
            << "xfce4-terminal" << QStringList{"--disable-server", "-T", title, "-x"};
        QTest::newRow("xfce4-terminal")
            << "xfce4-terminal"
            << "xfce4-terminal" << QStringList{"--disable-server", "-T", title, "-x"};
        QTest::newRow("mate-terminal.wrapper runs the terminal itself")
            << "mate-terminal.wrapper"
            << "mate-terminal" << QStringList{"--disable-factory", "-t", title, "-x"};
        QTest::newRow("lxterminal") << "lxterminal"
                                    << "" << QStringList{"--no-remote", "-T", title, "-e"};
        QTest::newRow("terminator") << "terminator"
                                    << "" << QStringList{"-u", "-T", title, "-x"};
        const QStringList urxvt{"-fn",
                                "xft:DejaVu Sans Mono:size=11,xft:WenQuanYi Micro Hei Mono:size=11",
                                "-T", title, "-e"};
        QTest::newRow("urxvt") << "urxvt"
                               << "" << urxvt;
        QTest::newRow("rxvt-unicode") << "rxvt-unicode"
                                      << "" << urxvt;
        QTest::newRow("kitty") << "kitty"
                               << "" << QStringList{"-T", title, "-e"};
        QTest::newRow("alacritty") << "alacritty"
                                   << "" << QStringList{"-T", title, "-e"};
        QTest::newRow("qterminal: no title") << "qterminal"
                                             << "" << QStringList{"-e"};
        QTest::newRow("unknown terminal") << "someterm"
                                          << "" << QStringList{"-e"};
    }
    void terminalCommandLines() {
        QFETCH(QString, realName);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("bin");
        QDir(dir.path()).mkpath("alternatives");
        QFile real(dir.filePath("bin/" + realName));
        QVERIFY(real.open(QIODevice::WriteOnly));
        real.close();
        const QString alternative = dir.filePath("alternatives/x-terminal-emulator");
        const QString found = dir.filePath("x-terminal-emulator");
        QVERIFY(QFile::link(real.fileName(), alternative));
        QVERIFY(QFile::link(alternative, found));

        const QStringList command{"/opt/tarneljava/tarneljava-cmd", "--hold", "sock",
                                  "/home/u/MyJava/ClassFiles/Korvath.bat"};
        const platform::ConsoleCommand console =
            platform::terminalCommand(found, "D:\\MyJava\\ClassFiles\\Korvath.bat", command);
        QCOMPARE(console.program,
                 program.isEmpty() ? found : QDir(dir.path()).canonicalPath() + "/bin/" + program);
        QCOMPARE(console.arguments, arguments + command);
    }
};

QTEST_GUILESS_MAIN(TestConsoleCommand)
#include "test_console_command.moc"
