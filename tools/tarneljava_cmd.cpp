// The Linux console program that runs a build script (Korvath.bat) inside a terminal window,
// in place of the Windows command interpreter.
#include "platform/TextFiles.h"
#include "tools/ScriptInterpreter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

static void writeToConsole(const QString &text) {
    const QByteArray bytes = platform::toSystemCodePage(text);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

static void waitForKey() {
    char key = 0;
    if (isatty(STDIN_FILENO)) {
        termios saved{};
        tcgetattr(STDIN_FILENO, &saved);
        termios raw = saved;
        raw.c_lflag &= ~tcflag_t(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
        [[maybe_unused]] const ssize_t n = read(STDIN_FILENO, &key, 1);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    } else {
        [[maybe_unused]] const ssize_t n = read(STDIN_FILENO, &key, 1);
    }
}

static bool runProgram(const QString &program, const QStringList &arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return false;
    std::fflush(stdout);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(path, arguments);
    if (!process.waitForStarted(-1))
        return false;
    process.waitForFinished(-1);
    return true;
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        writeToConsole(QStringLiteral("用法: tarneljava-cmd 脚本文件\n"));
        return 1;
    }
    QFile script(QString::fromLocal8Bit(argv[1]));
    if (!script.open(QIODevice::ReadOnly)) {
        writeToConsole(QStringLiteral("系统找不到指定的文件。\n"));
        return 1;
    }
    QString text = platform::fromSystemCodePage(script.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ScriptInterpreter interpreter({
        writeToConsole,
        waitForKey,
        runProgram,
        [](const QString &folder) { return QDir::setCurrent(folder); },
        [] { return QDir::currentPath(); },
    });
    interpreter.runScript(text.split(QLatin1Char('\n')));
    return 0;
}
