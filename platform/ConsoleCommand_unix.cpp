#include "platform/ConsoleCommand.h"

#include "platform/PathMapping.h"
#include "platform/TerminalCommand.h"

#include <QCoreApplication>
#include <QStandardPaths>

// Linux: a terminal window runs the project's own interpreter on the script.
namespace platform {

QString findConsoleProgram() {
    const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    return terminal.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("xterm")) : terminal;
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
    return terminalCommand(consoleProgram, toWindowsPath(hostScriptPath), command);
}

QString consoleFolderProblem(const QString &) {
    return QString(); // the interpreter enters any folder
}

} // namespace platform
