#include "platform/ConsoleCommand.h"

#include <QDir>
#include <QFileInfo>

// Windows: the command interpreter runs the script in a console window of its own.
namespace platform {

QString findConsoleProgram() {
    const QString interpreter = QString::fromLocal8Bit(qgetenv("ComSpec"));
    return interpreter.isEmpty() ? QStringLiteral("cmd.exe") : interpreter;
}

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath, const QString &) {
    // The interpreter starts in the script's folder and runs it by its name alone: its command
    // line would expand "%PATH%" in a folder's name, and no quoting keeps it from doing so.
    // /s keeps the outer quotes as they are.
    const QFileInfo script(hostScriptPath);
    ConsoleCommand console{findConsoleProgram(), {}, {}, {}};
    console.nativeArguments =
        QStringLiteral("/s /c \"\"") + script.fileName() + QStringLiteral("\"\"");
    console.workingFolder = QDir::toNativeSeparators(script.absolutePath());
    return console;
}

} // namespace platform
