#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Runs the lines a build script can contain, the way the Windows command interpreter would:
// "@echo off", a drive change ("D:"), "cd <path>", "echo <text>", "pause", and program calls
// found on PATH. Paths in the script are in the Windows form and go through the path mapping.
class ScriptInterpreter {
public:
    struct Console {
        std::function<void(const QString &)> write; // text to the console, as is
        std::function<void()> waitForKey;           // one key press
        // Runs a program with the console's input and output; false when it cannot be found.
        std::function<bool(const QString &program, const QStringList &arguments)> run;
        std::function<bool(const QString &hostFolder)> changeFolder;
        std::function<QString()> currentFolder; // host path
    };

    explicit ScriptInterpreter(Console console) : m_console(std::move(console)) {}

    void runLine(const QString &line);
    void runScript(const QStringList &lines);

    static const QString kPauseText;

private:
    QString prompt() const;

    Console m_console;
    bool m_echo = true;
    QChar m_drive;
};
