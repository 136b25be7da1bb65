#include "platform/ConsoleCommand.h"
#include "platform/ConsoleHandOver.h"
#include "platform/SystemFolders.h"
#include "platform/TerminalCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// The command line for each kind of terminal, found through links as Debian installs them:
// x-terminal-emulator -> /etc/alternatives/x-terminal-emulator -> the real program.
class TestConsoleCommand : public QObject {
    Q_OBJECT

    // The command a terminal runs, as it receives it: after the arguments, as they are, or
    // split again from one string the way a shell splits words (sakura, terminology).
    static QStringList commandReceived(const QStringList &rest, bool joined) {
        if (!joined)
            return rest;
        QProcess shell;
        shell.start("/bin/sh", // the test's own PATH holds only its stand-in terminals
                    {"-c", "for word in " + rest.value(0) + "; do printf '%s\\n' \"$word\"; done"});
        shell.waitForFinished();
        return QString::fromUtf8(shell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    // Every kind of terminal, found through links as Debian installs them
    // (x-terminal-emulator -> /etc/alternatives/x-terminal-emulator -> the real program), with a
    // folder holding a space, "&", a quote and Chinese: the program started, the arguments in
    // front of the command, and the interpreter's command line as the terminal hands it on.
    void terminalCommandLines_data() {
        QTest::addColumn<QString>("realName");
        QTest::addColumn<QString>("program"); // empty: the terminal as found
        QTest::addColumn<QStringList>("leading");
        QTest::addColumn<bool>("joined");         // the command as one string
        QTest::addColumn<bool>("titleInCommand"); // the interpreter sets the title
        const QString title = "D:\\我的 Java & Tom's\\ClassFiles\\Korvath.bat";
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
        for (const char *name : {"xterm", "uxterm", "lxterm"})
            QTest::newRow(name) << name << "" << xterm << false << false;
        QTest::newRow("gnome-terminal.wrapper")
            << "gnome-terminal.wrapper"
            << "" << QStringList{"-T", title, "-e"} << false << false;
        QTest::newRow("konsole: the title as a profile setting")
            << "konsole"
            << "" << QStringList{"--separate", "-p", "tabtitle=" + title, "-e"} << false << false;
        for (const char *name : {"xfce4-terminal.wrapper", "xfce4-terminal"})
            QTest::newRow(name) << name << "xfce4-terminal"
                                << QStringList{"--disable-server", "-T", title, "-x"} << false
                                << false;
        QTest::newRow("mate-terminal.wrapper runs the terminal itself")
            << "mate-terminal.wrapper"
            << "mate-terminal" << QStringList{"--disable-factory", "-t", title, "-x"} << false
            << false;
        QTest::newRow("lxterminal")
            << "lxterminal"
            << "" << QStringList{"--no-remote", "-T", title, "-e"} << false << false;
        QTest::newRow("terminator") << "terminator"
                                    << "" << QStringList{"-u", "-T", title, "-x"} << false << false;
        const QStringList urxvt{"-fn",
                                "xft:DejaVu Sans Mono:size=11,xft:WenQuanYi Micro Hei Mono:size=11",
                                "-T", title, "-e"};
        for (const char *name : {"urxvt", "rxvt-unicode"})
            QTest::newRow(name) << name << "" << urxvt << false << false;
        QTest::newRow("kitty: closes without asking")
            << "kitty"
            << "" << QStringList{"-o", "confirm_os_window_close=0", "-T", title, "-e"} << false
            << false;
        for (const char *name : {"alacritty", "st", "mlterm", "termit"})
            QTest::newRow(name) << name << "" << QStringList{"-T", title, "-e"} << false << false;
        QTest::newRow("zutty") << "zutty"
                               << "" << QStringList{"-title", title, "-e"} << false << false;
        QTest::newRow("sakura: one quoted string")
            << "sakura"
            << "" << QStringList{"-t", title, "-x"} << true << false;
        QTest::newRow("terminology: one quoted string")
            << "terminology"
            << "" << QStringList{"-T", title, "-e"} << true << false;
        QTest::newRow("tilix.wrapper: tilix itself, a process of its own")
            << "tilix.wrapper"
            << "tilix" << QStringList{"--new-process", "-e"} << true << true;
        QTest::newRow("kgx: an instance of its own")
            << "kgx"
            << ""
            << QStringList{"--gapplication-app-id=org.example.TarnelJava.Console" +
                               QString::number(QCoreApplication::applicationPid()),
                           "--"}
            << false << true;
        QTest::newRow("foot on Wayland: the command follows")
            << "foot"
            << "foot" << QStringList{"-T", title} << false << false;
        QTest::newRow("foot without Wayland: xterm") << "foot"
                                                     << "xterm" << xterm << false << false;
        QTest::newRow("footclient on Wayland: foot itself")
            << "footclient"
            << "foot" << QStringList{"-T", title} << false << false;
        QTest::newRow("footclient without Wayland: xterm") << "footclient"
                                                           << "xterm" << xterm << false << false;
        for (const char *name : {"cool-retro-term", "deepin-terminal", "someterm"})
            QTest::newRow(name) << name << "" << QStringList{"-e"} << false << true;
        // A locale in GB18030: xterm in the locale's encoding; the terminals that speak UTF-8
        // only give way to it.
        const QStringList localXterm = xterm.mid(1);
        QTest::newRow("xterm in GB18030") << "xterm"
                                          << "" << localXterm << false << false;
        for (const char *name : {"gnome-terminal.wrapper", "konsole", "xfce4-terminal", "kitty",
                                 "alacritty", "tilix", "kgx", "sakura", "foot", "someterm"})
            QTest::newRow(qPrintable(QString(name) + " in GB18030"))
                << name << "xterm" << localXterm << false << false;
        QTest::newRow("urxvt in GB18030: the locale's own") << "urxvt"
                                                            << "" << urxvt << false << false;
        QTest::newRow("mlterm in GB18030: the locale's own")
            << "mlterm"
            << "" << QStringList{"-T", title, "-e"} << false << false;
        // No Chinese there, or a question before the window closes: xterm instead.
        for (const char *name : {"Eterm", "xiterm+thai", "txiterm", "pterm", "qterminal"})
            QTest::newRow(name) << name << "xterm" << xterm << false << false;
    }
    void terminalCommandLines() {
        QFETCH(QString, realName);
        QFETCH(QString, program);
        QFETCH(QStringList, leading);
        QFETCH(bool, joined);
        QFETCH(bool, titleInCommand);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("bin");
        QDir(dir.path()).mkpath("alternatives");
        const QString tag = QTest::currentDataTag();
        const bool utf8 = !tag.contains("GB18030");
        for (const QString &name : {realName, QString("xterm")}) {
            QFile real(dir.filePath("bin/" + name));
            QVERIFY(real.open(QIODevice::WriteOnly));
            real.setPermissions(real.permissions() | QFile::ExeOwner);
        }
        const QString alternative = dir.filePath("alternatives/x-terminal-emulator");
        const QString found = dir.filePath("x-terminal-emulator");
        QVERIFY(QFile::link(dir.filePath("bin/" + realName), alternative));
        QVERIFY(QFile::link(alternative, found));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", dir.filePath("bin").toLocal8Bit()); // the xterm found is the test's
        const QByteArray oldWayland = qgetenv("WAYLAND_DISPLAY");
        qputenv("WAYLAND_DISPLAY", tag.contains("on Wayland") ? "wayland-0" : "");
        const auto back = qScopeGuard([&] { qputenv("WAYLAND_DISPLAY", oldWayland); });

        const QString title = "D:\\我的 Java & Tom's\\ClassFiles\\Korvath.bat";
        const QStringList command{"/opt/tarnel java/tarneljava-cmd", "--hold", "/run/u/s 1",
                                  "/home/u/我的 Java & Tom's/ClassFiles/Korvath.bat"};
        const platform::ConsoleCommand console =
            platform::terminalCommand(found, title, command, utf8);
        qputenv("PATH", oldPath);
        const QString bin = QDir(dir.path()).canonicalPath() + "/bin/";
        QCOMPARE(console.program,
                 program.isEmpty()
                     ? found
                     : (program == "xterm" ? dir.filePath("bin/xterm") : bin + program));
        QCOMPARE(console.arguments.mid(0, leading.size()), leading);
        const QStringList expected =
            titleInCommand ? QStringList{command.first(), "--title", title} + command.mid(1)
                           : command;
        QCOMPARE(commandReceived(console.arguments.mid(leading.size()), joined), expected);
        QCOMPARE(console.endsWithScript, realName == "kgx" && program.isEmpty());
    }

    // While a screen reader runs, a terminal it can read is taken over one it cannot (xterm and
    // its kin), the first of gnome-terminal, xfce4-terminal, mate-terminal and konsole that is
    // installed; without one, or without a screen reader, x-terminal-emulator as it is.
    void aConsoleAScreenReaderReads_data() {
        QTest::addColumn<QString>("terminal"); // x-terminal-emulator's real program, "" none
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("reader");
        QTest::addColumn<QString>("chosen"); // the file name found
        const QStringList vte{"konsole", "mate-terminal", "gnome-terminal.wrapper"};
        QTest::newRow("xterm, no screen reader")
            << "xterm" << vte << false << "x-terminal-emulator";
        QTest::newRow("xterm, a screen reader: gnome-terminal first")
            << "xterm" << vte << true << "gnome-terminal.wrapper";
        QTest::newRow("urxvt, a screen reader: mate-terminal before konsole")
            << "urxvt" << QStringList{"konsole", "mate-terminal"} << true << "mate-terminal";
        QTest::newRow("a readable one already") << "tilix" << vte << true << "x-terminal-emulator";
        QTest::newRow("none readable installed")
            << "xterm" << QStringList{} << true << "x-terminal-emulator";
        QTest::newRow("no x-terminal-emulator, a screen reader")
            << "" << QStringList{"xterm", "xfce4-terminal"} << true << "xfce4-terminal";
    }
    void aConsoleAScreenReaderReads() {
        QFETCH(QString, terminal);
        QFETCH(QStringList, installed);
        QFETCH(bool, reader);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("real");
        QDir(dir.path()).mkpath("bin");
        for (const QString &name : installed + QStringList{terminal}) {
            if (name.isEmpty())
                continue;
            QFile real(dir.filePath("real/" + name));
            QVERIFY(real.open(QIODevice::WriteOnly));
            real.setPermissions(real.permissions() | QFile::ExeOwner);
            QFile::link(real.fileName(), dir.filePath("bin/" + name));
        }
        if (!terminal.isEmpty())
            QVERIFY(QFile::link(dir.filePath("real/" + terminal),
                                dir.filePath("bin/x-terminal-emulator")));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", dir.filePath("bin").toLocal8Bit());
        platform::setScreenReaderRunning(reader);
        const QString found = platform::findConsoleProgram();
        platform::setScreenReaderRunning(false);
        qputenv("PATH", oldPath);
        QCOMPARE(QFileInfo(found).fileName(), chosen);
    }

    // The folder of the console's socket, its key and the build locks is the user's alone:
    // XDG_RUNTIME_DIR when it is that, else a folder of the program's own in the temporary
    // folder, made private; none when the one of that name is open to others, a link, or
    // another user's (the build is then refused).
    void privateRuntimeFolders_data() {
        QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR: "private", "open", "" unset
        QTest::addColumn<QString>("own");     // the own folder before: "", "open", "link", "other"
        QTest::addColumn<QString>("found");   // "runtime", "own", "" none
        QTest::newRow("the runtime folder") << "private"
                                            << ""
                                            << "runtime";
        QTest::newRow("a runtime folder open to others: the own one") << "open"
                                                                      << ""
                                                                      << "own";
        QTest::newRow("none given: the own one, made") << ""
                                                       << ""
                                                       << "own";
        QTest::newRow("the own one open to others: none") << ""
                                                          << "open"
                                                          << "";
        QTest::newRow("the own one a link: none") << ""
                                                  << "link"
                                                  << "";
        QTest::newRow("the own one another user's: none") << ""
                                                          << "other"
                                                          << "";
    }
    void privateRuntimeFolders() {
        QFETCH(QString, runtime);
        QFETCH(QString, own);
        QFETCH(QString, found);
        if (own == "other" && getuid() != 0)
            QSKIP("only root can give a folder to another user");
        QTemporaryDir temp;
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldTemp = qgetenv("TMPDIR");
        const auto back = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", oldRuntime);
            qputenv("TMPDIR", oldTemp);
        });
        const QString runtimeFolder = temp.filePath("runtime");
        QVERIFY(QDir().mkpath(runtimeFolder));
        QVERIFY(QFile::setPermissions(runtimeFolder, runtime == "open"
                                                         ? QFile::Permissions(0x7755)
                                                         : QFile::Permissions(0x7700)));
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder));
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const QString ownFolder = temp.filePath(QString("tarneljava-%1").arg(getuid()));
        if (own == "open" || own == "other") {
            QVERIFY(QDir().mkpath(ownFolder));
            QVERIFY(::chmod(QFile::encodeName(ownFolder), own == "open" ? 0777 : 0700) == 0);
            if (own == "other")
                QVERIFY(::chown(QFile::encodeName(ownFolder), 65534, 65534) == 0);
        }
        if (own == "link")
            QVERIFY(QFile::link(runtimeFolder, ownFolder));
        const QString expected = found == "runtime" ? runtimeFolder
                                 : found == "own"   ? ownFolder
                                                    : QString();
        QCOMPARE(platform::privateRuntimeFolder(), expected);
        if (found == "own")
            QCOMPARE(QFileInfo(ownFolder).permissions() & 0x0077, QFile::Permissions());
    }

    // The hand-over block between the program and its interpreter, read back field by field;
    // what is no whole block gives nothing (the interpreter then keeps the terminal's own).
    void handOverBlocks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArrayList>("environment");
        QProcessEnvironment build;
        build.insert("PATH", "/launchers:/usr/bin");
        build.insert("EMPTY", "");
        build.insert("CHINESE", "编译=运行");
        const QByteArray block = platform::handOverBlock("/home/学生/My Java", build);
        const QByteArrayList entries{"CHINESE=编译=运行", "EMPTY=", "PATH=/launchers:/usr/bin"};
        QTest::newRow("folder and each variable")
            << block << true << QByteArray("/home/学生/My Java") << entries;
        QTest::newRow("more after the block: the block")
            << block + "7\nextra" << true << QByteArray("/home/学生/My Java") << entries;
        QTest::newRow("entries without a name or =: left out")
            << QByteArray("18\n/w\0=x\0NOVALUE\0A=1\0", 21) << true << QByteArray("/w")
            << QByteArrayList{"A=1"};
        QTest::newRow("a short block: not yet")
            << block.chopped(1) << false << QByteArray() << QByteArrayList{};
        QTest::newRow("no final NUL")
            << QByteArray("4\n/w\0A", 6) << false << QByteArray() << QByteArrayList{};
        QTest::newRow("no length")
            << QByteArray("\n/w\0", 4) << false << QByteArray() << QByteArrayList{};
        QTest::newRow("a length that is no number")
            << QByteArray("x3\n/w\0", 6) << false << QByteArray() << QByteArrayList{};
        QTest::newRow("a negative length")
            << QByteArray("-3\n/w\0", 6) << false << QByteArray() << QByteArrayList{};
        QTest::newRow("a length line too long")
            << QByteArray("0000000000003\n/w\0", 17) << false << QByteArray() << QByteArrayList{};
    }
    void handOverBlocks() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArrayList, environment);
        const auto handOver = platform::readHandOver(bytes);
        QCOMPARE(handOver.has_value(), read);
        if (!handOver)
            return;
        QCOMPARE(handOver->folder, folder);
        QByteArrayList sorted = handOver->environment;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, environment);
    }
};

QTEST_GUILESS_MAIN(TestConsoleCommand)
#include "test_console_command.moc"
