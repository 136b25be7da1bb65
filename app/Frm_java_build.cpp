// Build and run: what a build needs of the window (the lock, the messages, the controls it
// reads); the build itself is a Build.
#include "app/Frm_java.h"

#include "buildrun/Build.h"
#include "buildrun/CompileRecord.h"
#include "buildrun/CreateNewDirectory.h"
#include "buildrun/JavacArchive.h"
#include "buildrun/JdkSearch.h"
#include "buildrun/WorkFolderLock.h"
#include "editor/CompactSource.h"
#include "editor/ErrorPlaces.h"
#include "editor/PackageLine.h"
#include "platform/ConsoleCommand.h"
#include "platform/PathMapping.h"
#include "platform/SystemFolders.h"
#include "platform/TextFiles.h"
#include "platform/TextGuess.h"
#include "ui/EditorErrorMarks.h"
#include "ui/MainModule.h"
#include "ui_Frm_java.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace {
constexpr qint32 kShowNormal = 1; // a normal window that receives the focus
constexpr int kFirstJdkWithCompactSources = 25;
// The console names this many full-width characters one by one, then counts the rest.
constexpr int kMostFullWidthHints = 30;
const QString kFolderBusyText =
    QStringLiteral("另一个 TarnelJava 正在这个目录中编译运行，请关闭它的控制台窗口后再试。");
const QString kNoTerminalText =
    QStringLiteral("没有找到终端程序（x-terminal-emulator 或 xterm），无法打开编译控制台。");

QString noJdkText() {
    return QStringLiteral("没有找到 Java 开发工具包（JDK），无法编译：PATH 中没有 javac，"
                          "JAVA_HOME 和常见的安装位置中也没有 JDK。\n\n") +
           jdkInstallAdvice();
}

QString noWorkFolderText(const QString &folder) {
    return QStringLiteral("无法创建编译用的目录“%1”（驱动器不存在，或者没有写入权限）。"
                          "请在“目录”中设置一个可以写入的文件夹，并点击“保存设置”。")
        .arg(folder);
}

QString nameOutsideCodePageText(const QString &name) {
    return QStringLiteral(
               "类名“%1”中有系统编码（代码页）无法表示的字符，不能用作文件名（会变成“?”）。"
               "请修改类名后再试。")
        .arg(name);
}

QString unwrittenFileText(const QString &file) {
    return QStringLiteral("无法写入编译用的文件“%1”：它可能正被其他程序（杀毒软件、搜索索引）占用，"
                          "或者磁盘有写保护。编译没有进行，请稍后再试。")
        .arg(file);
}

const QString kNoClassNameText =
    QStringLiteral("没有找到主类名：编辑区的程序中没有“class 类名”，“文件”是空的。\n\n"
                   "请在“文件”中输入主类的类名（不带 .java）后再试。");

// Printed in the console before javac's own message, for a program javac cannot yet read.
QString compactSourceNote(int jdkVersion) {
    return QStringLiteral("提示：这个程序有写在类外面的方法或变量（JDK 25 的精简源文件写法），"
                          "需要 JDK 25 或更高版本才能编译；现在用的是 JDK %1。")
        .arg(jdkVersion);
}

const QString kNoPrivateFolderText = QStringLiteral(
    "没有只属于当前用户的临时文件夹，无法安全地编译运行：XDG_RUNTIME_DIR 没有设置（或不是只有你"
    "能进入的文件夹），临时文件夹中 tarneljava- 加用户号的文件夹属于其他用户或对其他用户开放。\n\n"
    "请在登录后的桌面中启动本程序，或删除那个文件夹后再试。");

QString stillRunningText(const QString &script) {
    return QStringLiteral("上一个程序仍在运行：它的控制台窗口（%1）还没有关闭。\n\n"
                          "请在那个窗口中结束程序，按任意键关闭它，然后再点“编译+运行”。")
        .arg(script);
}

QString badFolderText(const QString &javaPath) {
    return QStringLiteral("目录“%1”不能用于编译：目录名中不能有 * ? \" < > | 和控制字符，"
                          "冒号只能跟在盘符后面。请在“目录”中设置其他目录，并点击“保存设置”。")
        .arg(javaPath);
}
} // namespace

QString Frm_java::badClassNameText(const QString &name) {
    return QStringLiteral("类名“%1”不能用作文件名：文件名中不能有 \\ / : * ? \" < > | 和控制字符，"
                          "不能以点或空格结尾，也不能是 CON、PRN、AUX、NUL、COM1～COM9、"
                          "LPT1～LPT9。请修改类名后再试。")
        .arg(name);
}

std::function<JdkPlaces()> Frm_java::jdkPlaces = systemJdkPlaces;

void Frm_java::CreateNewDirectory(const QString &NewDirectory) {
    createFoldersAlong(NewDirectory);
}

std::optional<QString> Frm_java::reasonNotToBuild(const QString &className, const QString &javaPath,
                                                  const QString &text) {
    // No name, no build: "javac .java" and "java " would show only the tools' usage texts.
    if (className.isEmpty())
        return kNoClassNameText;
    if (!isValidClassName(className))
        return badClassNameText(className);
    // The script and the source copy's name are written in the code page: "javac ??.java".
    if (!platform::fitsSystemCodePage(className))
        return nameOutsideCodePageText(className);
    if (!isValidWorkingFolder(javaPath))
        return badFolderText(javaPath);
    // A package's parts name folders: none may be a device name or another unusable name.
    for (const QString &part : declaredPackage(text).split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        if (!isValidClassName(part))
            return badClassNameText(part);
        if (!platform::fitsSystemCodePage(part))
            return nameOutsideCodePageText(part);
    }
    // A folder the console cannot start in (Windows: a network path, one too long).
    const QString consoleFolder = QDir::toNativeSeparators(
        QFileInfo(platform::toHostPath(workFolder(javaPath))).absoluteFilePath());
    const QString folderProblem = platform::consoleFolderProblem(consoleFolder);
    if (!folderProblem.isEmpty())
        return folderProblem;
    // The lock and the console's socket and key live in the user's own folder, or nowhere.
    if (platform::privateRuntimeFolder().isEmpty())
        return kNoPrivateFolderText;
    return std::nullopt;
}

std::optional<BuildStart> Frm_java::readyToBuild() {
    scanIfPending();
    const QString text = editorText();
    if (const auto reason = reasonNotToBuild(ui->Txt_file->text(), MainModule::JavaPath, text)) {
        QMessageBox::critical(this, QStringLiteral("出错"), *reason);
        return std::nullopt;
    }
    // A screen reader running now hears the console only in a terminal it can read.
    platform::setScreenReaderRunning(QAccessible::isActive());
    return buildStartFor(text);
}

std::optional<BuildStart> Frm_java::buildStartFor(const QString &text) {
    // javac and java from one JDK, chosen for this build: the one on PATH, else one found on
    // the machine. The program's own launchers, first on the build's PATH, run its tools.
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    const QString launchers = jdkLauncherFolder();
    const std::optional<Jdk> jdk = chooseJdk(system, jdkPlaces(), launchers);
    if (!jdk) {
        QMessageBox::critical(this, QStringLiteral("出错"), noJdkText());
        return std::nullopt;
    }
    const QString codePage = platform::javaNameOfSystemCodePage();
    JdkLaunch launch =
        jdkLaunchFor(*jdk, jdkCacheFolder(),
                     codePage.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0);
    // The source copy is written in the code page, as 保存 writes: the same question first
    // (its byte-order mark is left out of the copy).
    const QString copied = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    if (!platform::fitsSystemCodePage(copied) && !confirmLosingCharacters(true))
        return std::nullopt;
    BuildStart start;
    QStringList notes;
    if (jdk->version > 0 && jdk->version < kFirstJdkWithCompactSources && isCompactSource(text))
        notes << compactSourceNote(jdk->version);
    // Punctuation typed with a Chinese input method, named in the learner's words before javac
    // names it by its code.
    start.fullWidth = findFullWidthPunctuation(text);
    notes << fullWidthHints(start.fullWidth, kMostFullWidthHints);
    launch.javacNote = notes.join(QLatin1Char('\n'));
    start.compileRecord = newCompileRecordFile(platform::privateRuntimeFolder());
    launch.javacOutput = start.compileRecord;
    launch.javacServer = javacServerName(*jdk, platform::privateRuntimeFolder());
    start.environment =
        buildEnvironment(system, *jdk, launch, codePage, launchers, appletViewerFolder());
    return start;
}

void Frm_java::Cmd_byyx_Click() {
    if (m_building) {
        // One build at a time: a second one would rewrite the running one's files.
        QMessageBox::information(this, QStringLiteral("提示"), stillRunningText(m_buildingScript));
        return;
    }
    const std::optional<BuildStart> start = readyToBuild();
    if (!start)
        return;
    // Nor may another running copy of the program build in the same work folder, however its
    // name is written: the lock is taken on the real folder, made first.
    const QString folder = workFolder(MainModule::JavaPath);
    const QString hostFolder = platform::toHostPath(folder);
    CreateNewDirectory(folder + QLatin1Char('\\'));
    // A drive that does not exist, or a folder the user may not write in: say so, rather than
    // do nothing visible.
    if (!QFileInfo(hostFolder).isDir()) {
        QMessageBox::critical(this, QStringLiteral("出错"), noWorkFolderText(folder));
        return;
    }
    const auto lock = lockWorkFolder(hostFolder);
    if (!lock) {
        QMessageBox::critical(this, QStringLiteral("出错"), kFolderBusyText);
        return;
    }
    m_building = true;
    m_buildingScript = workFile(MainModule::JavaPath, kBuildScriptName);
    Comp(*start);
    m_building = false;
}

void Frm_java::Comp(const BuildStart &start) {
    m_errorMarks->clear();
    // The build works in the folder of the stored setting as it is now, and cleans up there,
    // even if the setting changes while the build runs. The class files to delete are those of
    // the text that was compiled (the next scan may come during the build).
    BuildRequest request;
    request.javaPath = MainModule::JavaPath;
    request.source = editorText();
    request.className = ui->Txt_file->text();
    request.scannedNames = ClassNames.mid(0, ClassCount);
    request.packageName = declaredPackage(request.source); // "package a.b;" first: a.b
    request.compileType = MainModule::CompileType;
    request.appletHeight = MainModule::AppletHeight;
    request.appletWidth = MainModule::AppletWidth;
    request.environment = start.environment;
    const QString compiled = request.source;
    const QString sourceFile = request.className + QStringLiteral(".java");
    Build build(std::move(request));
    removeCompileRecord(start.compileRecord);
    const QString unwritten = build.writeFiles();
    if (!unwritten.isEmpty()) {
        QMessageBox::critical(this, QStringLiteral("出错"), unwrittenFileText(unwritten));
        build.cleanUp(MainModule::ClassExist != 0);
        ui->Txt_edit->setFocus();
        return;
    }
    const ConsoleRun run = build.run(kShowNormal);
    if (run.outcome == RunOutcome::NoConsoleProgram)
        QMessageBox::critical(this, QStringLiteral("出错"), kNoTerminalText);
    else if (run.outcome == RunOutcome::ConsoleFailed || run.outcome == RunOutcome::NotStarted)
        QMessageBox::critical(this, QStringLiteral("出错"),
                              platform::consoleNotStartedText(run.consoleProgram));
    // Keeping class files, if chosen in the options while the build ran, applies already.
    // A wait broken off (the program quits) leaves the console running what the build wrote:
    // the next build in the folder tidies up after it.
    if (run.outcome == RunOutcome::BrokenOff)
        build.abandon(MainModule::ClassExist != 0);
    else
        build.cleanUp(MainModule::ClassExist != 0);
    const CompileRecord record = takeCompileRecord(start.compileRecord);
    if (run.outcome == RunOutcome::BrokenOff)
        return;
    // The learner goes on where the errors are, or where the cursor was; a text edited while
    // the console ran is no longer the text javac read.
    if (editorText() == compiled)
        m_errorMarks->show(errorPlaces(start.fullWidth, readJavacDiagnostics(record.output),
                                       sourceFile, record.failed(),
                                       compiled.startsWith(QChar(0xFEFF))));
    activateWindow();
    ui->Txt_edit->setFocus();
}
