#include "platform/ConsoleCommand.h"

#include "platform/PathMapping.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

#ifndef Q_OS_WIN
static bool isXterm(const QString &terminal) {
    const QString name = QFileInfo(QFileInfo(terminal).canonicalFilePath()).fileName();
    return name == QLatin1String("xterm") || name == QLatin1String("lxterm") ||
           name == QLatin1String("uxterm");
}
#endif

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath) {
#ifdef Q_OS_WIN
    const QString interpreter = QString::fromLocal8Bit(qgetenv("ComSpec"));
    return ConsoleCommand{interpreter.isEmpty() ? QStringLiteral("cmd.exe") : interpreter,
                          {QStringLiteral("/c"), QDir::toNativeSeparators(hostScriptPath)}};
#else
    QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (terminal.isEmpty())
        terminal = QStandardPaths::findExecutable(QStringLiteral("xterm"));
    if (terminal.isEmpty())
        return std::nullopt;
    const QString interpreter =
        QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kInterpreterName);
    QStringList arguments;
    if (isXterm(terminal)) {
        // Like a console window: UTF-8 text with Chinese glyphs, 80 x 25, titled by the script.
        arguments << QStringLiteral("-u8") << QStringLiteral("-fa")
                  << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("-fd")
                  << QStringLiteral("WenQuanYi Micro Hei Mono") << QStringLiteral("-fs")
                  << QStringLiteral("11") << QStringLiteral("-geometry") << QStringLiteral("80x25")
                  << QStringLiteral("-T") << toWindowsPath(hostScriptPath);
    }
    arguments << QStringLiteral("-e") << interpreter << hostScriptPath;
    return ConsoleCommand{terminal, arguments};
#endif
}

} // namespace platform
