// The Linux console program that runs a build script (Korvath.bat) inside a terminal window,
// in place of the Windows command interpreter.
// Usage: tarneljava-cmd [--title TITLE] [--hold SOCKET] SCRIPT (any other: the usage text)
// With --title it sets the console window's title (for terminals that take none of their own).
// With --hold it connects to the program's local socket, makes itself known with the secret
// in the file beside the socket, takes the build's environment and folder from the program
// (the terminal may run it in an environment of its own) and holds the connection until it
// ends, however it ends (the system closes it when the process is killed or its window closed).
#include "platform/ConsoleCommand.h"
#include "platform/ConsoleHandOver.h"
#include "platform/TextFiles.h"
#include "tools/ScriptInterpreter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) {
    g_interrupted = 1;
}

// Ctrl+C sets a flag and interrupts a waiting read; the running program (which gets the same
// signal from the terminal) ends, the interpreter goes on.
void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a read waiting for a key returns
    sigaction(SIGINT, &action, nullptr);
}

bool takeInterrupt() {
    const bool was = g_interrupted != 0;
    g_interrupted = 0;
    return was;
}

// The console's settings when the interpreter started, given back when it ends.
termios g_started{};
bool g_onTerminal = false;

// The terminal echoes typed keys only while a program that may read them runs, as the Windows
// console does: not into the script's banners, not while the compiler runs. A Ctrl+C is never
// echoed by the terminal: the interpreter shows it once, as "^C".
void echoTypedKeys(bool echo) {
    if (!g_onTerminal)
        return;
    termios settings = g_started;
    settings.c_lflag &= ~tcflag_t(ECHOCTL);
    if (!echo)
        settings.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &settings);
}

void startOnTerminal() {
    g_onTerminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &g_started) == 0;
    echoTypedKeys(false);
}

void endOnTerminal() {
    if (g_onTerminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &g_started);
}

// The compiler reads no keys.
bool readsNoKeys(const QString &program) {
    const QString name = QFileInfo(program).completeBaseName().toLower();
    return name == QLatin1String("javac");
}

void writeToConsole(const QString &text) {
    const QByteArray bytes = platform::toSystemCodePage(text);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// One key from the console, without echo or Enter; 0 at the end of input or on a Ctrl+C.
char readKey() {
    char key = 0;
    if (!isatty(STDIN_FILENO))
        return read(STDIN_FILENO, &key, 1) == 1 ? key : 0;
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios raw = saved;
    raw.c_lflag &= ~tcflag_t(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    if (read(STDIN_FILENO, &key, 1) != 1)
        key = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return key;
}

void dropTypedAhead() {
    if (isatty(STDIN_FILENO))
        tcflush(STDIN_FILENO, TCIFLUSH);
}

// One line typed on the console, shown as it is typed and ended by Enter, as the Windows
// interpreter reads the answer to its question; nothing at the end of input. A Ctrl+C ends the
// line where it stands.
std::optional<QString> readLine() {
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios line = saved;
        line.c_lflag |= tcflag_t(ICANON | ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &line);
    }
    QByteArray bytes;
    bool ended = false;
    for (char c = 0;;) {
        const ssize_t got = read(STDIN_FILENO, &c, 1);
        if (got == 1 && c != '\n') {
            bytes += c;
            continue;
        }
        ended = got == 0 || (got < 0 && !takeInterrupt());
        break;
    }
    if (terminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    if (ended && bytes.isEmpty())
        return std::nullopt;
    return platform::fromSystemCodePage(bytes);
}

bool runProgram(const QString &program, const QStringList &arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return false;
    std::fflush(stdout);
    echoTypedKeys(!readsNoKeys(program));
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(path, arguments);
    if (!process.waitForStarted(-1)) {
        echoTypedKeys(false);
        return false;
    }
    process.waitForFinished(-1);
    echoTypedKeys(false);
    return true;
}

// Makes itself known on the program's socket and takes on the build's environment and folder.
void takeOverBuild(QLocalSocket &holder, const QString &socketName) {
    holder.connectToServer(socketName);
    if (!holder.waitForConnected(5000))
        return;
    QFile key(socketName + QLatin1String(platform::kHoldKeySuffix));
    if (!key.open(QIODevice::ReadOnly))
        return;
    holder.write(key.readAll() + '\n');
    holder.waitForBytesWritten(5000);
    QByteArray received;
    std::optional<platform::HandOver> handOver;
    while (!(handOver = platform::readHandOver(received)) && holder.waitForReadyRead(5000))
        received += holder.readAll();
    if (!handOver)
        return;
    clearenv();
    for (const QByteArray &entry : handOver->environment) {
        const qsizetype equals = entry.indexOf('=');
        setenv(entry.left(equals).constData(), entry.mid(equals + 1).constData(), 1);
    }
    // The build's locale too: the script and the console's texts are in its encoding.
    std::setlocale(LC_ALL, "");
    QDir::setCurrent(QFile::decodeName(handOver->folder));
}

// The interpreter's options, each with the value it takes.
struct Option {
    const char *name;
    QString valueName;
    QString purpose;
};
const Option kOptions[] = {
    {platform::kTitleOption, QStringLiteral("标题"),
     QStringLiteral("控制台窗口的标题（给自己不设标题的终端）")},
    {platform::kHoldOption, QStringLiteral("套接字"),
     QStringLiteral("向程序报到的本地套接字：从程序取得编译的环境和目录，运行期间一直保持连接")},
};

QString usageText() {
    QString text = QStringLiteral("用法: tarneljava-cmd");
    for (const Option &option : kOptions)
        text += QStringLiteral(" [%1 %2]").arg(QLatin1String(option.name), option.valueName);
    text += QStringLiteral(" 脚本文件\n");
    for (const Option &option : kOptions)
        text += QStringLiteral("  %1 %2: %3\n")
                    .arg(QLatin1String(option.name), option.valueName, option.purpose);
    return text;
}

// An option's name as the parser knows it: without the leading "--".
QString bare(const char *option) {
    return QLatin1String(option).mid(2);
}

} // namespace

// A terminal may start its command with signals ignored (Eterm ignores SIGHUP): the interpreter
// and the programs it runs must end when the window is closed, and a Ctrl+C must reach them.
static void defaultSignals() {
    for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM})
        std::signal(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

int main(int argc, char *argv[]) {
    defaultSignals();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    for (const Option &option : kOptions)
        parser.addOption(QCommandLineOption(bare(option.name), option.purpose, option.valueName));
    if (!parser.parse(app.arguments()) || parser.positionalArguments().size() != 1) {
        writeToConsole(usageText());
        return 1;
    }
    // The window's title, for a terminal that takes none of its own.
    if (parser.isSet(bare(platform::kTitleOption)) && isatty(STDOUT_FILENO))
        writeToConsole(QStringLiteral("\033]0;") + parser.value(bare(platform::kTitleOption)) +
                       QLatin1Char('\a'));
    QLocalSocket holder;
    if (parser.isSet(bare(platform::kHoldOption)))
        takeOverBuild(holder, parser.value(bare(platform::kHoldOption)));
    QFile script(parser.positionalArguments().constFirst());
    if (!script.open(QIODevice::ReadOnly)) {
        writeToConsole(QStringLiteral("系统找不到指定的文件。\n"));
        return 1;
    }
    QString text = platform::fromSystemCodePage(script.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    catchInterrupts();
    startOnTerminal();
    ScriptInterpreter interpreter({
        writeToConsole,
        [] { readKey(); },
        dropTypedAhead,
        runProgram,
        [](const QString &folder) { return QDir::setCurrent(folder); },
        [] { return QDir::currentPath(); },
        takeInterrupt,
        readLine,
    });
    interpreter.runScript(text.split(QLatin1Char('\n')));
    endOnTerminal();
    return 0;
}
