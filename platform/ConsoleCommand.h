#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// How a build script is started in a console window of its own.
namespace platform {

struct ConsoleCommand {
    QString program;
    QStringList arguments;
};

// The name of the Linux script interpreter, installed beside the program.
inline constexpr const char *kInterpreterName = "tarneljava-cmd";

// Windows: the command interpreter running the script.
// Linux: a terminal from PATH (x-terminal-emulator, then xterm) running the project's own
// interpreter, found beside the running program. Nothing when no terminal is found.
std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath);

} // namespace platform
