#pragma once

#include "platform/ConsoleCommand.h"

#include <functional>
#include <memory>
#include <optional>

class QObject;
class QProcess;

// Starts a console window for a build script and follows the script's end, in the way of
// the system: one implementation per system.
class ConsoleWatch {
public:
    ConsoleWatch();
    ~ConsoleWatch();
    ConsoleWatch(const ConsoleWatch &) = delete;
    ConsoleWatch &operator=(const ConsoleWatch &) = delete;

    // The console's command line for the script; nothing when there is no console program.
    std::optional<platform::ConsoleCommand> command(const QString &hostScriptPath) const;
    // Readies the console's process before it starts, beyond its program and arguments: what
    // the system's console needs (Windows: the command line as written, the window style).
    void prepare(QProcess &process, const platform::ConsoleCommand &console, qint32 windowStyle);
    // Calls `ended` once the script has ended, as long as `context` lives.
    void follow(QProcess &process, QObject *context, std::function<void()> ended);
    // Linux: the console program ended with an error before the script's interpreter made
    // itself known (foot without Wayland, a broken terminal): no script will run.
    bool consoleFailed() const;

    // Linux: how long the wait holds once the terminal's process has ended well while no
    // interpreter has made itself known (the terminal may have handed the window to a server
    // that starts it later). Once the interpreter has come, only its end ends the wait. Tests
    // set a shorter time.
    static int interpreterGraceMs;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
