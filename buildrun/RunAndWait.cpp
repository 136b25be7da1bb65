#include "buildrun/RunAndWait.h"

#include "platform/ConsoleCommand.h"
#include "platform/PathMapping.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#endif

namespace {

#ifndef Q_OS_WIN
// The local socket that the script's interpreter holds while it runs.
class InterpreterWatch {
public:
    InterpreterWatch() {
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        const QString name =
            QStringLiteral("tarneljava-%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
        if (m_server.listen(name))
            m_name = m_server.fullServerName();
    }
    // Empty when no socket could be made: the wait then follows the terminal's process.
    QString name() const { return m_name; }
    bool connected() const { return m_connected; }

    // Calls `ended` once the first interpreter that connected has gone.
    template <typename F> void onEnded(QObject *context, F ended) {
        QObject::connect(&m_server, &QLocalServer::newConnection, context, [this, context, ended] {
            while (QLocalSocket *socket = m_server.nextPendingConnection()) {
                if (m_connected) {
                    socket->deleteLater();
                    continue;
                }
                m_connected = true;
                QObject::connect(socket, &QLocalSocket::disconnected, context, ended);
                // The interpreter sends nothing; reading notices its end.
                QObject::connect(socket, &QLocalSocket::readyRead, socket,
                                 [socket] { socket->readAll(); });
                if (socket->state() != QLocalSocket::ConnectedState)
                    ended();
            }
        });
    }

private:
    QLocalServer m_server;
    QString m_name;
    bool m_connected = false;
};
#endif

} // namespace

bool runAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs) {
    Q_UNUSED(timeoutMs);
    const QString hostPath = platform::toHostPath(command);
    if (!QFileInfo(hostPath).isFile())
        return false;
#ifdef Q_OS_WIN
    const auto console = platform::consoleCommandFor(hostPath, QString());
#else
    InterpreterWatch watch;
    const auto console = platform::consoleCommandFor(hostPath, watch.name());
#endif
    if (!console)
        return false;

    // Owned here until the wait ends; a terminal that lives on after the script has ended
    // (a server that shows other windows too) is left running and cleaned up when it ends.
    auto *process = new QProcess;
    process->setProgram(console->program);
    process->setArguments(console->arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_WIN
    process->setNativeArguments(console->nativeArguments);
    process->setCreateProcessArgumentsModifier(
        [windowStyle](QProcess::CreateProcessArguments *args) {
            args->flags |= CREATE_NEW_CONSOLE;
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = static_cast<WORD>(windowStyle);
            // The console's own input and output, not the program's (which Qt hands over when
            // the program was started with standard handles, from a terminal or redirected).
            args->startupInfo->dwFlags &= ~DWORD(STARTF_USESTDHANDLES);
        });
#else
    Q_UNUSED(windowStyle);
#endif

    QEventLoop loop;
    bool ended = false;
    const auto end = [&] {
        ended = true;
        loop.quit();
    };
#ifdef Q_OS_WIN
    QObject::connect(process, &QProcess::finished, &loop, end);
#else
    QTimer grace;
    grace.setSingleShot(true);
    QObject::connect(&grace, &QTimer::timeout, &loop, end);
    watch.onEnded(&loop, end);
    QObject::connect(process, &QProcess::finished, &loop, [&] {
        if (watch.name().isEmpty())
            end();
        else if (!watch.connected())
            grace.start(kInterpreterGraceMs); // the terminal may have handed the window on
    });
#endif
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return false;
    }
    if (!ended)
        loop.exec();
    // Deliver what arrived together with the end of the script before returning.
    QCoreApplication::processEvents();
    if (!ended) {
        // The wait was broken off (the application is quitting): the console goes with it.
        process->kill();
        process->waitForFinished(1000);
    }
    if (process->state() == QProcess::NotRunning) {
        delete process;
    } else {
        QObject::disconnect(process, nullptr, &loop, nullptr);
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    }
    return ended;
}
