#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// How a build script is started in a console window of its own.
namespace platform {

struct ConsoleCommand {
    QString program;
    QStringList arguments;
    // Windows: the command line after the program, exactly as written (no quoting added).
    QString nativeArguments;
    // The folder the console starts in; empty: the program's own.
    QString workingFolder;
    // Linux: the terminal keeps its window after the command: it is ended with the script.
    bool endsWithScript = false;
};

// The name of the Linux script interpreter, installed beside the program.
inline constexpr const char *kInterpreterName = "tarneljava-cmd";
// The interpreter's option that names the program's local socket, which it holds while it runs.
inline constexpr const char *kHoldOption = "--hold";
// Its option that gives the console window's title, which it sets with the terminal's escape
// sequence, for terminals that take no title of their own.
inline constexpr const char *kTitleOption = "--title";
// The file beside that socket (its name and this) that holds the secret with which the
// interpreter makes itself known on it: other connections are not the interpreter's. In the
// user's own folder, not on the command line, which every user can read, nor in the
// environment, which a running terminal replaces with its own.
inline constexpr const char *kHoldKeySuffix = ".key";

// Linux: the terminal program that shows the console, from PATH (x-terminal-emulator, then
// xterm); empty when there is none. While a screen reader runs, a terminal it can read
// (gnome-terminal, xfce4-terminal, mate-terminal, konsole: the first installed) is taken over an
// x-terminal-emulator it cannot read (xterm and its kin). Windows: the command interpreter.
QString findConsoleProgram();
// Whether a screen reader is running, as the program's windows know it; told before each build.
void setScreenReaderRunning(bool running);

// Windows: the command interpreter running the script in a new console.
// Linux: the terminal running the project's own interpreter (found beside the running program)
// on the script; `holdName` is the local socket the interpreter holds while it runs (none when
// empty). Nothing when no terminal is found.
std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath,
                                                const QString &holdName);

// Why the console cannot start in the work folder (a Windows form path), in words for the
// learner; empty when it can. Windows: the command interpreter takes no network path (\\server
// \share) and no current folder longer than it can hold; it would run the script from
// C:\Windows. Linux: any folder.
QString consoleFolderProblem(const QString &workFolder);

// What the learner is told when the console program would not start (or, Linux, ended with an
// error before it ran the script), and what to do about it with what is installed.
QString consoleNotStartedText(const QString &consoleProgram);

} // namespace platform
