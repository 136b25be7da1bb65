#include "buildrun/RunAndWait.h"

#include "buildrun/ConsoleWatch.h"
#include "platform/PathMapping.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

ConsoleRun runInConsole(const QString &script, qint32 windowStyle,
                        const QProcessEnvironment &environment) {
    const QString hostPath = platform::toHostPath(script);
    if (!QFileInfo(hostPath).isFile())
        return {RunOutcome::NotStarted, QString()};
    ConsoleWatch watch;
    const auto console = watch.command(hostPath);
    if (!console)
        return {RunOutcome::NoConsoleProgram, QString()};
    const auto outcome = [&](RunOutcome how) { return ConsoleRun{how, console->program}; };

    // Owned here until the wait ends; a terminal that lives on after the script has ended
    // (a server that shows other windows too) is left running and cleaned up when it ends.
    auto *process = new QProcess;
    process->setProgram(console->program);
    process->setArguments(console->arguments);
    process->setProcessEnvironment(environment);
    if (!console->workingFolder.isEmpty())
        process->setWorkingDirectory(console->workingFolder);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    watch.prepare(*process, *console, windowStyle); // after the environment: it adds to it

    QEventLoop loop;
    bool ended = false;
    watch.follow(*process, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return outcome(RunOutcome::NotStarted);
    }
    if (!ended)
        loop.exec();
    // Deliver what arrived together with the end of the script before returning.
    QCoreApplication::processEvents();
    if (!ended) {
        // The wait was broken off (the application is quitting): the learner's program and
        // its console go on to the pause; the console's process is left to itself (the object
        // would end it), and the next build in the folder tidies up what this one left.
        QObject::disconnect(process, nullptr, &loop, nullptr);
        return outcome(RunOutcome::BrokenOff);
    }
    // A terminal that keeps its window after the command (gnome-console) ends with the script.
    if (console->endsWithScript)
        process->terminate();
    if (process->state() == QProcess::NotRunning) {
        delete process;
    } else {
        QObject::disconnect(process, nullptr, &loop, nullptr);
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    }
    return outcome(watch.consoleFailed() ? RunOutcome::ConsoleFailed : RunOutcome::Ended);
}
