#include "buildrun/ConsoleWatch.h"

#include "buildrun/RunAndWait.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

// Linux: the terminal runs the project's interpreter, which holds a connection to a private
// local socket while it runs; the script has ended when that connection closes.
struct ConsoleWatch::Private {
    QLocalServer server;
    QString name; // empty when no socket could be made: the wait follows the terminal
    bool connected = false;
    QTimer grace;
};

ConsoleWatch::ConsoleWatch() : d(std::make_unique<Private>()) {
    d->server.setSocketOptions(QLocalServer::UserAccessOption);
    const QString name =
        QStringLiteral("tarneljava-%1-%2")
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
    if (d->server.listen(name))
        d->name = d->server.fullServerName();
    d->grace.setSingleShot(true);
}

ConsoleWatch::~ConsoleWatch() = default;

std::optional<platform::ConsoleCommand> ConsoleWatch::command(const QString &hostScriptPath) const {
    return platform::consoleCommandFor(hostScriptPath, d->name);
}

void ConsoleWatch::prepare(QProcess &, const platform::ConsoleCommand &, qint32) const {
    // A terminal takes no show style; its command line is all it needs.
}

void ConsoleWatch::follow(QProcess &process, QObject *context, std::function<void()> ended) {
    Private *p = d.get();
    QObject::connect(&p->grace, &QTimer::timeout, context, ended);
    QObject::connect(&p->server, &QLocalServer::newConnection, context, [p, context, ended] {
        while (QLocalSocket *socket = p->server.nextPendingConnection()) {
            if (p->connected) {
                socket->deleteLater();
                continue;
            }
            p->connected = true;
            QObject::connect(socket, &QLocalSocket::disconnected, context, ended);
            // The interpreter sends nothing; reading notices its end.
            QObject::connect(socket, &QLocalSocket::readyRead, socket,
                             [socket] { socket->readAll(); });
            if (socket->state() != QLocalSocket::ConnectedState)
                ended();
        }
    });
    QObject::connect(&process, &QProcess::finished, context, [p, ended] {
        if (p->name.isEmpty())
            ended();
        else if (!p->connected)
            p->grace.start(kInterpreterGraceMs); // the terminal may have handed the window on
    });
}
