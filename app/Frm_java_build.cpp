// Build and run: the source copy, the build script and the applet page in the work folder,
// the run in a console window, and the clean-up afterwards.
#include "app/Frm_java.h"

#include "buildrun/BuildFiles.h"
#include "buildrun/CreateNewDirectory.h"
#include "buildrun/WorkFolderLock.h"
#include "editor/ClassScan.h"
#include "platform/ConsoleCommand.h"
#include "platform/FileAttributes.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"
#include "ui/MainModule.h"
#include "ui_Frm_java.h"

#include <QFile>
#include <QMessageBox>

namespace {
constexpr qint32 kShowNormal = 1; // a normal window that receives the focus
constexpr int kMaxClassFiles = 32768;
const QString kFolderBusyText =
    QStringLiteral("另一个 TarnelJava 正在这个目录中编译运行，请关闭它的控制台窗口后再试。");
const QString kNoTerminalText =
    QStringLiteral("没有找到终端程序（x-terminal-emulator 或 xterm），无法打开编译控制台。");

void deleteFile(const QString &hostPath) {
    QFile::remove(hostPath);
}
} // namespace

void Frm_java::CreateNewDirectory(const QString &NewDirectory) {
    createFoldersAlong(NewDirectory);
}

void Frm_java::Cmd_byyx_Click() {
    if (m_building)
        return; // one build at a time: a second one would rewrite the running one's files
    // Nor may another running copy of the program build in the same work folder.
    const auto lock = lockWorkFolder(platform::toHostPath(workFolder(MainModule::JavaPath)));
    if (!lock) {
        QMessageBox::critical(this, QStringLiteral("出错"), kFolderBusyText);
        return;
    }
    m_building = true;
    Comp();
    m_building = false;
}

void Frm_java::Comp() {
    // The build works in the folder of the stored setting as it is now; the clean-up removes
    // the files of this build from there, even if the setting changes while the build runs.
    const QString javaPath = MainModule::JavaPath;
    const auto hostWorkFile = [&javaPath](const QString &fileName) {
        return platform::toHostPath(workFile(javaPath, fileName));
    };
    // The class files to delete are those of the text that was compiled (the next scan may
    // come during the build), as far as their names name files of the work folder.
    const QStringList scanned = ClassNames.mid(0, ClassCount);
    QStringList classNames;
    for (int i = 0; i < scanned.size() && i < kMaxClassFiles; ++i) {
        if (isPlainFileName(scanned.at(i)))
            classNames << ownedCopy(scanned.at(i));
    }
    CreateNewDirectory(workFolder(javaPath) + QLatin1Char('\\'));
    const QString source = editorText();
    const QString className = ui->Txt_file->text();
    // A name that is no plain file name would put the generated files outside the work folder.
    const bool plainName = isPlainFileName(className);
    const QString sourceFile = hostWorkFile(className + QStringLiteral(".java"));
    const QString scriptFile = hostWorkFile(kBuildScriptName);

    // Each file is made anew, so that no write goes through a link left in the work folder.
    if (plainName) {
        platform::setFileNormal(sourceFile);
        platform::removeEntry(sourceFile);
        platform::LineWriter sourceWriter;
        sourceWriter.open(sourceFile);
        sourceWriter.writeLine(source);
        sourceWriter.close();
        platform::setFileHidden(sourceFile);
    }

    platform::setFileNormal(scriptFile);
    platform::removeEntry(scriptFile);
    platform::LineWriter script;
    script.open(scriptFile);
    const QStringList lines = buildScriptLines(javaPath, className, MainModule::CompileType);
    constexpr int kLinesBeforeRun = 6;
    for (int i = 0; i < kLinesBeforeRun; ++i)
        script.writeLine(lines.at(i));
    if (MainModule::CompileType == 1 && plainName) {
        const QString pageFile = hostWorkFile(className + QStringLiteral(".HTML"));
        platform::removeEntry(pageFile);
        platform::LineWriter page;
        page.open(pageFile);
        for (const QString &line :
             appletPageLines(className, MainModule::AppletHeight, MainModule::AppletWidth))
            page.writeLine(line);
        page.close();
    }
    for (int i = kLinesBeforeRun; i < lines.size(); ++i)
        script.writeLine(lines.at(i));
    script.close();
    platform::setFileHidden(scriptFile);

    if (!MainModule::RunAndWait(workFile(javaPath, kBuildScriptName), kShowNormal, 0) &&
        platform::findConsoleProgram().isEmpty())
        QMessageBox::critical(this, QStringLiteral("出错"), kNoTerminalText);

    // Keeping class files, if chosen in the options while the build ran, applies already.
    if (MainModule::ClassExist == 0) {
        for (const QString &name : classNames)
            deleteFile(hostWorkFile(name + QStringLiteral(".class")));
    }
    if (plainName) {
        platform::setFileNormal(sourceFile);
        deleteFile(sourceFile);
        const QString pageFile = hostWorkFile(className + QStringLiteral(".HTML"));
        platform::setFileNormal(pageFile);
        deleteFile(pageFile);
    }
}
