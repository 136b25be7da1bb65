#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Runs the lines a build script can contain, the way the Windows command interpreter would:
// "@echo off", a drive change ("D:"), "cd <path>", "echo <text>", "pause", and program calls
// found on PATH. Paths in the script are in the Windows form and go through the path mapping.
// A Ctrl+C ends the running program, not the script: the user is asked whether to end it.
class ScriptInterpreter {
public:
    struct Console {
        std::function<void(const QString &)> write; // text to the console, as is
        std::function<void()> waitForKey;           // one key press
        // Drops the keys typed ahead, before the pause asks for one (optional).
        std::function<void()> dropTypedAhead;
        // Runs a program with the console's input and output; false when it cannot be found.
        std::function<bool(const QString &program, const QStringList &arguments)> run;
        std::function<bool(const QString &hostFolder)> changeFolder;
        std::function<QString()> currentFolder; // host path
        // True once for each Ctrl+C pressed since it was last asked.
        std::function<bool()> interrupted;
        // One line typed on the console (the console shows it as it is typed); nothing at the
        // end of input.
        std::function<std::optional<QString>()> readLine;
    };

    explicit ScriptInterpreter(Console console) : m_console(std::move(console)) {}

    void runLine(const QString &line);
    // Runs the lines until the last one, or until the user chose to end the script after a
    // Ctrl+C.
    void runScript(const QStringList &lines);
    bool stopped() const { return m_stopped; }

    // A script line after the command interpreter's "%" rules for batch files: "%%" is "%",
    // "%NAME%" the variable's value (empty when it has none), "%0".."%9" and "%*" the script's
    // arguments (none here), and a lone "%" is dropped.
    static QString expandPercents(const QString &line,
                                  const std::function<QString(const QString &)> &variable);

    static const QString kPauseText;
    static const QString kTerminateQuestion;

private:
    QString prompt() const;
    // After a Ctrl+C: asks whether to end the script, as the Windows interpreter does: a line
    // holding Y or N answers (the end of input counts as Y, so the script cannot hang); any
    // other line asks again.
    void askAfterInterrupt();

    Console m_console;
    bool m_echo = true;
    bool m_stopped = false;
    QChar m_drive;
};
