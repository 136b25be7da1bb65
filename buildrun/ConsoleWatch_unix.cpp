#include "buildrun/ConsoleWatch.h"

#include "platform/ConsoleHandOver.h"
#include "platform/SystemFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <cerrno>
#include <csignal>

// Linux: the terminal runs the project's interpreter, which connects to a private local socket,
// makes itself known with a secret and holds the connection while it runs; the script has
// ended when that connection closes. Other connections are ignored.
struct ConsoleWatch::Private {
    QLocalServer server;
    QString name; // empty when no socket could be made: the wait follows the terminal
    QByteArray secret;
    QByteArray handOver;    // the build's environment and folder, sent once the secret is known
    bool connected = false; // the interpreter has made itself known
    bool consoleFailed = false;
    QTimer grace;

    QPointer<QLocalSocket> interpreter; // the connection that made itself known

    // What a connection sends: first its secret, one line; only the interpreter knows it, and
    // its end is the script's. Any other connection is closed.
    void read(QLocalSocket *socket, QObject *context, const std::function<void()> &ended) {
        if (socket == interpreter) {
            socket->readAll(); // it sends nothing more
            return;
        }
        switch (knock(*socket)) {
        case Knock::NotYet:
            return;
        case Knock::Stranger:
            socket->abort();
            return;
        case Knock::Interpreter:
            welcome(socket);
            endWith(socket, context, ended);
        }
    }

    enum class Knock { NotYet, Stranger, Interpreter };
    // Whether a connection's first line is the secret, before the interpreter has come.
    Knock knock(QLocalSocket &socket) const {
        if (!socket.canReadLine())
            return socket.bytesAvailable() > secret.size() + 2 ? Knock::Stranger // too long
                                                               : Knock::NotYet;
        if (connected || socket.readLine().trimmed() != secret)
            return Knock::Stranger;
        return Knock::Interpreter;
    }
    // The interpreter has come: it gets the build's environment and folder, and the terminal's
    // end no longer counts (it may have ended well before).
    void welcome(QLocalSocket *socket) {
        connected = true;
        interpreter = socket;
        grace.stop();
        socket->write(handOver);
    }
    // The script's end is the end of the interpreter's connection.
    static void endWith(QLocalSocket *socket, QObject *context,
                        const std::function<void()> &ended) {
        QObject::connect(socket, &QLocalSocket::disconnected, context, [ended] { ended(); });
        if (socket->state() != QLocalSocket::ConnectedState)
            ended();
    }
};

namespace {
const QString kSocketPrefix = QStringLiteral("tarneljava-");

QString randomHex() {
    return QStringLiteral("%1%2")
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

// Sockets left by a program of this user that was killed during a build: their process is gone.
void removeSocketsOfEndedPrograms(const QString &folder) {
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({kSocketPrefix + QStringLiteral("*")}, QDir::System | QDir::Files)) {
        const qint64 pid = name.section(QLatin1Char('-'), 1, 1).toLongLong();
        if (pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QFile::remove(dir.filePath(name));
    }
}
} // namespace

int ConsoleWatch::interpreterGraceMs = 10000;

ConsoleWatch::ConsoleWatch() : d(std::make_unique<Private>()) {
    // In the user's own runtime folder, which no other user can enter.
    const QString folder = platform::privateRuntimeFolder();
    removeSocketsOfEndedPrograms(folder);
    d->server.setSocketOptions(QLocalServer::UserAccessOption);
    const QString name =
        QDir(folder).filePath(kSocketPrefix + QString::number(QCoreApplication::applicationPid()) +
                              QLatin1Char('-') + randomHex().left(16));
    if (!folder.isEmpty() && d->server.listen(name))
        d->name = d->server.fullServerName();
    d->secret = randomHex().toLatin1();
    // The secret in a file beside the socket, in the user's own folder: the interpreter finds
    // it there whatever environment the terminal gives it. Without it no interpreter could make
    // itself known: then there is no socket, and the wait follows the terminal.
    if (!d->name.isEmpty()) {
        QFile key(d->name + QLatin1String(platform::kHoldKeySuffix));
        // Made readable by its owner alone, not narrowed after: no moment open to others.
        if (folder.isEmpty() ||
            !key.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFile::ReadOwner | QFile::WriteOwner) ||
            key.write(d->secret) != d->secret.size()) {
            d->server.close();
            d->name.clear();
        }
    }
    d->grace.setSingleShot(true);
}

bool ConsoleWatch::consoleFailed() const {
    return d->consoleFailed;
}

ConsoleWatch::~ConsoleWatch() {
    if (!d->name.isEmpty())
        QFile::remove(d->name + QLatin1String(platform::kHoldKeySuffix));
}

std::optional<platform::ConsoleCommand> ConsoleWatch::command(const QString &hostScriptPath) const {
    return platform::consoleCommandFor(hostScriptPath, d->name);
}

void ConsoleWatch::prepare(QProcess &process, const platform::ConsoleCommand &console, qint32) {
    // A terminal takes no show style. The console gets the build's environment without the
    // program's own Qt platform choice (offscreen in tests, wayland for the program), which
    // would keep a Qt terminal from showing its window; the interpreter gets it (and the
    // folder) over the socket, as a single-instance terminal may run it in its own.
    QProcessEnvironment environment = process.processEnvironment();
    if (environment.isEmpty())
        environment = QProcessEnvironment::systemEnvironment();
    environment = platform::consoleEnvironment(environment);
    process.setProcessEnvironment(environment);
    const QString folder =
        console.workingFolder.isEmpty() ? QDir::currentPath() : console.workingFolder;
    d->handOver = platform::handOverBlock(folder, environment);
}

void ConsoleWatch::follow(QProcess &process, QObject *context, std::function<void()> ended) {
    Private *p = d.get();
    QObject::connect(&p->grace, &QTimer::timeout, context, ended);
    QObject::connect(&p->server, &QLocalServer::newConnection, context, [p, context, ended] {
        while (QLocalSocket *socket = p->server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, context,
                             [p, socket, context, ended] { p->read(socket, context, ended); });
        }
    });
    QObject::connect(&process, &QProcess::finished, context,
                     [p, ended](int exitCode, QProcess::ExitStatus status) {
                         if (p->name.isEmpty()) {
                             ended();
                         } else if (!p->connected) {
                             // An error before the interpreter came: say so at once. A
                             // terminal that ends well may have handed the window on.
                             p->consoleFailed = exitCode != 0 || status == QProcess::CrashExit;
                             if (p->consoleFailed)
                                 ended();
                             else
                                 p->grace.start(ConsoleWatch::interpreterGraceMs);
                         }
                     });
}
