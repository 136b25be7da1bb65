// javac.exe and java.exe of the program's own (Windows): first on the build's PATH, they run
// the tool of the JDK the program chose for the build with the learner's arguments as the
// command interpreter wrote them, adding only what the learner cannot see (a fast javac start,
// the code page for a program on JDK 18+), wait for it and return its exit code. They print
// nothing of their own, but for a tool that cannot be run, which they report as the command
// interpreter would.
#include "JdkLaunch.h"
#include "WindowsLaunch.h"

#include <windows.h>

using jdklaunch::String;

namespace {

String variable(const char *name) {
    const String wide = jdklaunch::text(name);
    std::wstring value(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), DWORD(value.size()));
    value.resize(length < value.size() ? length : 0);
    SetEnvironmentVariableW(wide.c_str(), nullptr); // not passed on to the learner's program
    return value;
}

bool isFile(const String &path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

String commandLine(const String &program, const std::vector<String> &options, const String &tail) {
    String line = winlaunch::quoted(program);
    for (const String &option : options)
        line += L" " + winlaunch::quoted(option);
    return line + tail;
}

// Keeps the archive javac wrote when a JVM maps it soundly, with its size beside it.
void keepArchiveIfSound(const String &program, const String &made, const String &archive) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    unsigned long checked = 1;
    bool kept =
        GetFileAttributesExW(made.c_str(), GetFileExInfoStandard, &data) &&
        winlaunch::runAndWait(commandLine(program, jdklaunch::archiveCheckOptions(made), String()),
                              true, checked) &&
        checked == 0;
    if (kept) {
        const unsigned long long size =
            (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        const std::string digits = std::to_string(size);
        const HANDLE file = CreateFileW(jdklaunch::archiveSizeFile(archive).c_str(), GENERIC_WRITE,
                                        0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        kept = file != INVALID_HANDLE_VALUE &&
               WriteFile(file, digits.data(), DWORD(digits.size()), &written, nullptr) &&
               written == digits.size();
        if (file != INVALID_HANDLE_VALUE)
            kept = CloseHandle(file) && kept;
    }
    if (!(kept && MoveFileExW(made.c_str(), archive.c_str(), MOVEFILE_REPLACE_EXISTING)))
        DeleteFileW(made.c_str());
}

// A Ctrl+C ends the tool, not the launcher, which still puts the archive right and returns the
// tool's code. (A handler of its own: ignoring the keys outright would pass on to the tool.)
BOOL WINAPI outlastInterrupts(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

} // namespace

int wmain() {
    const jdklaunch::Tool tool = jdklaunch::toolOfProgramName(winlaunch::thisProgram());
    String values[4];
    for (int i = 0; i < 4; ++i)
        values[i] = variable(jdklaunch::kVariables[i]);
    const jdklaunch::Settings settings = jdklaunch::settingsFrom(values);
    const String name = tool == jdklaunch::Tool::Javac ? L"javac" : L"java";
    const String program = settings.jdkBin + L"\\" + name + L".exe";
    if (tool == jdklaunch::Tool::Unknown || settings.jdkBin.empty() || !isFile(program) ||
        CompareStringOrdinal(program.c_str(), -1, winlaunch::thisProgram().c_str(), -1, TRUE) ==
            CSTR_EQUAL)
        return winlaunch::notRecognised(name);

    const bool making =
        tool == jdklaunch::Tool::Javac && settings.javacStart == jdklaunch::JavacStart::Make;
    const String archiveFile =
        making ? jdklaunch::archiveInMaking(settings.javacArchive, GetCurrentProcessId())
               : settings.javacArchive;
    SetConsoleCtrlHandler(outlastInterrupts, TRUE);
    unsigned long code = 1;
    if (!winlaunch::runAndWait(commandLine(program,
                                           jdklaunch::toolOptions(tool, settings, archiveFile),
                                           winlaunch::argumentsAfterProgramName(GetCommandLineW())),
                               false, code))
        return winlaunch::notRecognised(name);
    if (making && isFile(archiveFile))
        keepArchiveIfSound(program, archiveFile, settings.javacArchive);
    return int(code);
}
