#include "platform/ConsoleCommand.h"

#include "platform/PathMapping.h"
#include "platform/TerminalCommand.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

// Linux: a terminal window runs the project's own interpreter on the script.
namespace platform {

namespace {
bool screenReaderRunning = false;

// Terminals whose text a screen reader reads (through AT-SPI: the VTE terminals and konsole).
bool readByScreenReaders(const QString &terminal) {
    static const QStringList readable{"gnome-terminal", "gnome-terminal.wrapper",
                                      "xfce4-terminal", "xfce4-terminal.wrapper",
                                      "mate-terminal",  "mate-terminal.wrapper",
                                      "konsole",        "lxterminal",
                                      "terminator",     "tilix",
                                      "tilix.wrapper",  "kgx",
                                      "sakura",         "termit"};
    return readable.contains(QFileInfo(QFileInfo(terminal).canonicalFilePath()).fileName());
}
} // namespace

void setScreenReaderRunning(bool running) {
    screenReaderRunning = running;
}

QString findConsoleProgram() {
    QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty())
        terminal = QStandardPaths::findExecutable(QStringLiteral("xterm"));
    if (!screenReaderRunning || readByScreenReaders(terminal))
        return terminal;
    // xterm and its kin show nothing to a screen reader: the compiler's errors and the
    // program's output would go unheard.
    for (const char *readable : {"gnome-terminal.wrapper", "gnome-terminal", "xfce4-terminal",
                                 "mate-terminal", "konsole"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(readable));
        if (!found.isEmpty())
            return found;
    }
    return terminal;
}

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath,
                                                const QString &holdName) {
    const QString consoleProgram = findConsoleProgram();
    if (consoleProgram.isEmpty())
        return std::nullopt;
    QStringList command{QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                        QLatin1String(kInterpreterName)};
    if (!holdName.isEmpty())
        command << QLatin1String(kHoldOption) << holdName;
    command << hostScriptPath;
    return terminalCommand(consoleProgram, toWindowsPath(hostScriptPath), command,
                           javaNameOfSystemCodePage() == QLatin1String("UTF-8"));
}

QString consoleFolderProblem(const QString &) {
    return QString(); // the interpreter enters any folder
}

QString consoleNotStartedText(const QString &consoleProgram) {
    // By its real name: x-terminal-emulator is a link.
    const QString terminal = QFileInfo(QFileInfo(consoleProgram).canonicalFilePath()).fileName();
    const QString advice =
        QStandardPaths::findExecutable(QStringLiteral("xterm")).isEmpty()
            ? QStringLiteral("请安装 xterm（sudo apt install xterm），或把能用的终端程序设为 "
                             "x-terminal-emulator（sudo update-alternatives --config "
                             "x-terminal-emulator）。")
            : QStringLiteral("xterm 已经安装：请把它设为 x-terminal-emulator（sudo "
                             "update-alternatives --config x-terminal-emulator）。");
    return QStringLiteral("终端程序 %1 无法启动，编译控制台没有打开。").arg(terminal) + advice;
}

} // namespace platform
