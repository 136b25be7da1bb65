#include "platform/ConsoleCommand.h"

#include <QDir>

// Windows: the command interpreter runs the script in a console window of its own.
namespace platform {

QString findConsoleProgram() {
    const QString interpreter = QString::fromLocal8Bit(qgetenv("ComSpec"));
    return interpreter.isEmpty() ? QStringLiteral("cmd.exe") : interpreter;
}

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath, const QString &) {
    // /s keeps the outer quotes as they are: the inner ones take a folder with spaces, "&"
    // or "(" whole.
    ConsoleCommand console{findConsoleProgram(), {}, {}};
    console.nativeArguments = QStringLiteral("/s /c \"\"") +
                              QDir::toNativeSeparators(hostScriptPath) + QStringLiteral("\"\"");
    return console;
}

} // namespace platform
