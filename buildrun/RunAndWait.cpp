#include "buildrun/RunAndWait.h"

#include "platform/ConsoleCommand.h"
#include "platform/PathMapping.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool runAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs) {
    Q_UNUSED(timeoutMs);
    const QString hostPath = platform::toHostPath(command);
    if (!QFileInfo(hostPath).isFile())
        return false;
    const auto console = platform::consoleCommandFor(hostPath);
    if (!console)
        return false;

    QProcess process;
    process.setProgram(console->program);
    process.setArguments(console->arguments);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [windowStyle](QProcess::CreateProcessArguments *args) {
            args->flags |= CREATE_NEW_CONSOLE;
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = static_cast<WORD>(windowStyle);
        });
#else
    Q_UNUSED(windowStyle);
#endif

    QEventLoop loop;
    bool ended = false;
    QObject::connect(&process, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    if (!process.waitForStarted(-1))
        return false;
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // Deliver what arrived together with the end of the process before returning.
    QCoreApplication::processEvents();
    if (!ended) {
        // The wait was broken off (the application is quitting): the console goes with it.
        process.kill();
        process.waitForFinished(1000);
    }
    return ended;
}
