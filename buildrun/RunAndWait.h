#pragma once

#include <QProcessEnvironment>
#include <QString>

// How a run of the build script in a console window ended.
enum class RunOutcome {
    Ended,            // the console ran the script and the script has ended
    NoConsoleProgram, // there is no program to show a console with (Linux: no terminal)
    NotStarted,       // the script is no file, or its console could not be started
    BrokenOff,        // the wait was broken off before the script ended (the program quits)
    ConsoleFailed,    // Linux: the terminal ended with an error before it ran the script
};

// How a run ended, and the console program it started (or tried to): the one to name when
// the console failed.
struct ConsoleRun {
    RunOutcome outcome = RunOutcome::NotStarted;
    QString consoleProgram;
};

// Starts the script (a Windows-form path) in a console window of the given show style and
// waits in a nested event loop until the script has ended; every window keeps answering
// meanwhile and no processor time is spent on the wait.
//
// Windows: the wait ends with the command interpreter's process.
// Linux: the wait ends with the interpreter that runs the script inside the terminal, however
// the terminal's own process behaves (it may hand the window to a running instance and exit at
// once, or live on after the window has closed). The interpreter holds a connection to a
// private local socket while it runs; the wait ends when that connection closes. A terminal
// that ends without starting the interpreter ends the wait after a grace time.
// The wait is broken off when the application quits: the console and what runs in it go on
// (to the script's pause), and nothing of theirs is ended.
// The console runs with the given environment (the build's: its JDK first on PATH, javac's
// source encoding).
ConsoleRun runInConsole(const QString &script, qint32 windowStyle,
                        const QProcessEnvironment &environment);
