#pragma once

#include <QString>

// Starts the command (a Windows-form path of a script or program) in a console window of the
// given show style and waits in a nested event loop until the script has ended; every window
// keeps answering meanwhile and no processor time is spent on the wait. The time-out of a
// single wait does not apply to an event-driven wait and is accepted for the callers' sake.
//
// Windows: the wait ends with the command interpreter's process.
// Linux: the wait ends with the interpreter that runs the script inside the terminal, however
// the terminal's own process behaves (it may hand the window to a running instance and exit at
// once, or live on after the window has closed). The interpreter holds a connection to a
// private local socket while it runs; the wait ends when that connection closes. A terminal
// that ends without starting the interpreter ends the wait after a grace time.
//
// True when the console was started and the wait ended by itself; false when it could not be
// started or the wait was broken off.
bool runAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs);

// How long the program waits for the interpreter once the terminal's process has ended.
inline constexpr int kInterpreterGraceMs = 10000;
