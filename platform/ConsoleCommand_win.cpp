#include "platform/ConsoleCommand.h"

#include <QDir>
#include <QFileInfo>

// Windows: the command interpreter runs the script in a console window of its own.
namespace platform {

QString findConsoleProgram() {
    const QString interpreter = QString::fromLocal8Bit(qgetenv("ComSpec"));
    return interpreter.isEmpty() ? QStringLiteral("cmd.exe") : interpreter;
}

void setScreenReaderRunning(bool) {} // the console window is the system's own, read by all

std::optional<ConsoleCommand> consoleCommandFor(const QString &hostScriptPath, const QString &) {
    // The interpreter starts in the script's folder and runs it by its name alone: its command
    // line would expand "%PATH%" in a folder's name, and no quoting keeps it from doing so.
    // /s keeps the outer quotes as they are; /d runs no AutoRun command of the user's first
    // (one that changes the folder would break the build).
    const QFileInfo script(hostScriptPath);
    ConsoleCommand console{findConsoleProgram(), {}, {}, {}};
    console.nativeArguments =
        QStringLiteral("/d /s /c \"\"") + script.fileName() + QStringLiteral("\"\"");
    console.workingFolder = QDir::toNativeSeparators(script.absolutePath());
    return console;
}

QString consoleFolderProblem(const QString &workFolder) {
    // The interpreter's current folder holds at most MAX_PATH - 2 characters, its final
    // backslash included.
    constexpr qsizetype kLongestConsoleFolder = 258;
    if (workFolder.startsWith(QStringLiteral("\\\\")) ||
        workFolder.startsWith(QStringLiteral("//")))
        return QStringLiteral(
                   "“%1”是网络路径，命令提示符不能在其中运行编译脚本。请把“目录”设为带盘符的"
                   "文件夹（例如 D:\\MyJava，或把网络共享映射为一个驱动器），并点击“保存设置”。")
            .arg(workFolder);
    if (workFolder.size() + 1 > kLongestConsoleFolder)
        return QStringLiteral("编译用的文件夹“%1”太长，命令提示符不能进入它（最多 %2 个字符）。"
                              "请在“目录”中设置一个更短的路径，并点击“保存设置”。")
            .arg(workFolder)
            .arg(kLongestConsoleFolder - 1);
    return QString();
}

QString consoleNotStartedText(const QString &consoleProgram) {
    return QStringLiteral(
               "命令解释程序“%1”无法启动，编译脚本没有运行：系统的软件限制（例如学校"
               "电脑上的 AppLocker）不允许它运行，或者环境变量 ComSpec 指向的程序不存在。"
               "请管理员允许 cmd.exe 运行，或把 ComSpec 设为 C:\\Windows\\system32\\cmd.exe。")
        .arg(QDir::toNativeSeparators(consoleProgram));
}

} // namespace platform
