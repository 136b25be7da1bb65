#include "buildrun/ConsoleWatch.h"

#include <QProcess>

#include <windows.h>

// Windows: the command interpreter runs the script; the script ends with its process.
struct ConsoleWatch::Private {};

int ConsoleWatch::interpreterGraceMs = 10000;

ConsoleWatch::ConsoleWatch() = default;
ConsoleWatch::~ConsoleWatch() = default;

std::optional<platform::ConsoleCommand> ConsoleWatch::command(const QString &hostScriptPath) const {
    return platform::consoleCommandFor(hostScriptPath, QString());
}

void ConsoleWatch::prepare(QProcess &process, const platform::ConsoleCommand &console,
                           qint32 windowStyle) {
    process.setNativeArguments(console.nativeArguments);
    process.setCreateProcessArgumentsModifier(
        [windowStyle](QProcess::CreateProcessArguments *args) {
            args->flags |= CREATE_NEW_CONSOLE;
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = static_cast<WORD>(windowStyle);
            // The console's own input and output, not the program's (which Qt hands over when
            // the program was started with standard handles, from a terminal or redirected).
            args->startupInfo->dwFlags &= ~DWORD(STARTF_USESTDHANDLES);
        });
}

void ConsoleWatch::follow(QProcess &process, QObject *context, std::function<void()> ended) {
    QObject::connect(&process, &QProcess::finished, context, [ended] { ended(); });
}

bool ConsoleWatch::consoleFailed() const {
    return false; // the command interpreter runs the script in any case
}
