#include "platform/ConsoleCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath) {
#ifdef Q_OS_WIN
    const QString interpreter = QString::fromLocal8Bit(qgetenv("ComSpec"));
    return ConsoleCommand{interpreter.isEmpty() ? QStringLiteral("cmd.exe") : interpreter,
                          {QStringLiteral("/c"), QDir::toNativeSeparators(hostScriptPath)}};
#else
    QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty())
        terminal = QStandardPaths::findExecutable(QStringLiteral("xterm"));
    if (terminal.isEmpty())
        return std::nullopt;
    const QString interpreter =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kInterpreterName);
    return ConsoleCommand{terminal, {QStringLiteral("-e"), interpreter, hostScriptPath}};
#endif
}

} // namespace platform
