#pragma once
// What the program's Windows launchers (appletviewer.exe, javac.exe, java.exe) share: each is
// a program, not a .cmd file, because a batch file that calls a .cmd file without "call" never
// comes back to its own next line, and the build script's pause would be lost.
#include <string>

namespace winlaunch {

// The command line after the program's own name, with the space in front of it: the learner's
// arguments exactly as the command interpreter wrote them.
std::wstring argumentsAfterProgramName(const wchar_t *line);

// This program's file, and its folder with a final backslash.
std::wstring thisProgram();
std::wstring folderOfThisProgram();

// One argument as a program's command line takes it (the quoting CommandLineToArgvW reads).
std::wstring quoted(const std::wstring &argument);

// UTF-8 text as the system's characters.
std::wstring fromUtf8(const char *text);

// Writes to the console (or, redirected, in the system's code page).
void say(const std::wstring &text);

// "'NAME' 不是内部或外部命令…", as the command interpreter says it; its exit code.
int notRecognised(const std::wstring &name);

// Runs the command line with this console and waits for it (quiet: no input, output or
// console window). Its exit code; false when it could not be started.
bool runAndWait(std::wstring commandLine, bool quiet, unsigned long &exitCode);

} // namespace winlaunch
