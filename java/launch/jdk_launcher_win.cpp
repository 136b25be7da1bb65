// javac.exe and java.exe of the program's own (Windows): first on the build's PATH, they run
// the tool of the JDK the program chose for the build with the learner's arguments as the
// command interpreter wrote them, adding only what the learner cannot see (a fast javac start,
// the code page for a program on JDK 18+), wait for it and return its exit code (javac's error
// output also recorded for the program). They print nothing of their own, but for a tool that
// cannot be run, which they report as the command interpreter would, the build's notes before
// javac, and one line in place of a program whose compile failed.
#include "WindowsLaunch.h"
#include "jdklaunch/ArchiveMaker.h"
#include "jdklaunch/JdkLaunch.h"

#include "JavacServerClient.h"

#include <cstring>
#include <cwchar>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types they use
#include <tlhelp32.h>

using jdklaunch::String;

namespace {

// The first argument of the archive maker and of the compile server's starter: copies of this
// program started apart.
const wchar_t kMakerOption[] = L" --tarneljava-make-archive ";
const wchar_t kServerOption[] = L" --tarneljava-start-server ";

// The launchers' variables as the build gave them: the copies started apart read them too.
jdklaunch::Values told;

String variable(const char *name) {
    const String wide = jdklaunch::text(name);
    std::wstring value(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), DWORD(value.size()));
    value.resize(length < value.size() ? length : 0);
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

bool writeFile(const String &path, const std::string &bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    return CloseHandle(file) && whole;
}

bool readFile(const String &path, std::string &bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return read;
}

bool runQuietly(const String &line) {
    unsigned long code = 1;
    return winlaunch::runAndWait(line, true, code) && code == 0;
}

// What makers that died left (ARCHIVE.<pid>.new and its .d folder), removed by the one maker
// that holds the lock.
void removeDeadMakersFiles(const String &archive) {
    const String folder = archive.substr(0, archive.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((archive + L".*.new*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const String path = folder + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            RemoveDirectoryW(path.c_str()) || DeleteFileW(path.c_str()); // the link alone
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (const char *inside : {".java", ".class"})
                DeleteFileW((path + L"\\" + jdklaunch::sampleFile(inside)).c_str());
            RemoveDirectoryW(path.c_str());
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The one maker per JDK: the lock file is opened by one process at a time; a second maker,
// started by the next build, leaves the work to the first. The maker first removes what makers
// that died left.
void makeArchive(const String &program, const jdklaunch::Settings &settings) {
    const HANDLE lock =
        CreateFileW((settings.javacArchive + L".lock").c_str(), GENERIC_WRITE, 0, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock == INVALID_HANDLE_VALUE)
        return;
    removeDeadMakersFiles(settings.javacArchive);
    // The JVM makes its archives read-only; Windows removes and replaces no read-only file.
    const jdklaunch::MakerSystem system{
        L'\\',
        GetCurrentProcessId(),
        [](const String &folder) { return CreateDirectoryW(folder.c_str(), nullptr) != 0; },
        writeFile,
        readFile,
        [](const String &program, const std::vector<String> &options) {
            return runQuietly(commandLine(program, options, String()));
        },
        [](const String &from, const String &to) {
            SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        },
        [](const String &path) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        },
        [](const String &path) { RemoveDirectoryW(path.c_str()); },
    };
    jdklaunch::makeArchive(program, settings, system);
    CloseHandle(lock);
}

// The process that started this one: the command interpreter running the build script.
DWORD parentProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (entry.th32ProcessID == GetCurrentProcessId())
            parent = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    return parent;
}

String folderOf(const String &file) {
    return file.substr(0, file.find_last_of(L'\\') + 1);
}

// The maker and the compile server's starter: a copy of this program with no console, at low
// priority, that waits until the build script's interpreter has ended, so that neither the
// learner's compile nor the program's start shares the processor with it. In the cache folder,
// not the learner's: the folder could not be renamed while it runs, and a JVM's crash log would
// land there.
void startApart(const wchar_t *option, const String &cache, const String &more = String()) {
    const String line = winlaunch::quoted(winlaunch::thisProgram()) + option +
                        std::to_wstring(parentProcess()) + more;
    String mutableLine = line;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                       DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP | BELOW_NORMAL_PRIORITY_CLASS,
                       nullptr, cache.empty() ? nullptr : cache.c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// The compile server of this JDK, warmed up on the sample (its input), which ends itself; it
// writes javac's messages in the console's code page, as javac does through the launcher.
void runServer(const jdklaunch::Settings &settings, const String &context, const String &codePage) {
    const String jar =
        winlaunch::folderOfThisProgram() + jdklaunch::text(jdklaunch::kServerJarName);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE reading = nullptr, writing = nullptr;
    if (!isFile(jar) || !CreatePipe(&reading, &writing, &inherit, 1 << 16))
        return;
    SetHandleInformation(writing, HANDLE_FLAG_INHERIT, 0);
    DWORD written = 0;
    const std::string source = jdklaunch::sampleSource();
    WriteFile(writing, source.data(), DWORD(source.size()), &written, nullptr);
    CloseHandle(writing);
    const HANDLE null = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = reading;
    startup.hStdOutput = startup.hStdError = null;
    std::vector<String> options{L"-Dsun.stderr.encoding=" + codePage,
                                L"-Dstderr.encoding=" + codePage};
    for (const String &option : jdklaunch::serverOptions(jar, settings.javacServer, context))
        options.push_back(option);
    String line = commandLine(settings.jdkBin + L"\\java.exe", options, String());
    // In the cache folder, not the learner's: the folder could not be renamed while it runs,
    // and a JVM's crash log would land there.
    const String archives = folderOf(settings.javacArchive);
    const String cache = archives.empty() ? folderOf(settings.javacServer) : archives;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW | BELOW_NORMAL_PRIORITY_CLASS, nullptr,
                       cache.empty() ? nullptr : cache.c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(reading);
    CloseHandle(null);
}

// What javac's messages reach: the console and the build's record.
struct Outputs {
    HANDLE console;
    HANDLE record;
};

// The build's record, made anew for this compile (readable while it is written);
// INVALID_HANDLE_VALUE where it cannot be made.
HANDLE newRecord(const String &record) {
    return CreateFileW(record.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void passOn(const char *bytes, size_t size, void *context) {
    const auto *outputs = static_cast<const Outputs *>(context);
    DWORD written = 0;
    WriteFile(outputs->console, bytes, DWORD(size), &written, nullptr);
    if (outputs->record != INVALID_HANDLE_VALUE)
        WriteFile(outputs->record, bytes, DWORD(size), &written, nullptr);
}

const wchar_t *variableValue(const char *name) {
    static String value;
    const String wide = jdklaunch::text(name);
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (length == 0)
        return nullptr;
    value.assign(length, L'\0');
    value.resize(GetEnvironmentVariableW(wide.c_str(), &value[0], length));
    return value.c_str();
}

// The compile on this JDK's warm server, which a build that found none starts for the next.
// Its exit code, or -1 where javac is to run itself (nothing was shown then, or the server was
// lost part-way). `options` are the launcher's, `arguments` the learner's command line.
int compileOnServer(const jdklaunch::Settings &settings, const std::vector<String> &options,
                    const String &arguments, const String &codePage) {
    if (settings.javacServer.empty() || !jdklaunch::serverTakes(variableValue))
        return -1;
    int count = 0;
    LPWSTR *given = CommandLineToArgvW((L"javac" + arguments).c_str(), &count);
    if (!given)
        return -1;
    std::vector<String> all;
    for (const String &option : options)
        if (option.compare(0, 2, L"-J") != 0) // the options of javac's own JVM
            all.push_back(option);
    all.insert(all.end(), given + 1, given + count);
    LocalFree(given);
    wchar_t folder[32768];
    const DWORD folderLength = GetCurrentDirectoryW(32768, folder);
    const wchar_t *classPath = variableValue("CLASSPATH");
    const String classPathValue = classPath ? classPath : L"";
    jdklaunch::ServerRequest request;
    if (folderLength == 0 || folderLength >= 32768 ||
        !jdklaunch::serverRequest(all, String(folder, folderLength),
                                  classPath ? &classPathValue : nullptr, isFile, request))
        return -1;
    const String context = jdklaunch::serverContext(variableValue) + L"cp=" + codePage + L"\n";
    const String &record = settings.javacOutput;
    Outputs outputs{GetStdHandle(STD_ERROR_HANDLE), newRecord(record)};
    const int code = jdklaunch::askServer(settings.javacServer, context, request, passOn, &outputs);
    if (outputs.record != INVALID_HANDLE_VALUE)
        CloseHandle(outputs.record);
    if (code >= 0) {
        writeFile(jdklaunch::javacExitFile(record), std::to_string(code));
        return code;
    }
    for (size_t i = 0; i < told.size(); ++i) // for the starter alone
        SetEnvironmentVariableW(jdklaunch::text(jdklaunch::kVariables[i]).c_str(),
                                told[i].empty() ? nullptr : told[i].c_str());
    // The starter waits in the launchers' own folder; the server runs in the cache folder.
    startApart(kServerOption, winlaunch::folderOfThisProgram(), L" " + codePage);
    for (const char *variableName : jdklaunch::kVariables)
        SetEnvironmentVariableW(jdklaunch::text(variableName).c_str(), nullptr);
    return -1;
}

// javac with its error output passed on to the console as it comes, byte for byte, and kept in
// the build's record; its exit code beside the record once it has ended. False when javac could
// not be started. With onArchive, a JVM that crashed (a damaged archive maps wrong memory; on
// Windows it then ends with 1 and, told to, says nothing, where javac's own 1 always says why)
// is reported as kCrashedOnArchive instead, to run again.
constexpr unsigned long kCrashedOnArchive = 0xFFFFFFFE;

bool compileRecorded(String line, const String &record, bool onArchive, unsigned long &exitCode) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE reading = nullptr, writing = nullptr;
    if (!CreatePipe(&reading, &writing, &inherit, 0))
        return false;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = writing;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writing);
    if (!started) {
        CloseHandle(reading);
        return false;
    }
    CloseHandle(process.hThread);
    Outputs outputs{console, newRecord(record)};
    char buffer[4096];
    DWORD got = 0;
    bool said = false;
    while (ReadFile(reading, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        said = true;
        passOn(buffer, got, &outputs);
    }
    CloseHandle(reading);
    if (outputs.record != INVALID_HANDLE_VALUE)
        CloseHandle(outputs.record);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    if (onArchive && code == 1 && !said) {
        exitCode = kCrashedOnArchive;
        return true;
    }
    writeFile(jdklaunch::javacExitFile(record), std::to_string(code));
    exitCode = code;
    return true;
}

// Whether this build's compile failed, from its record's exit file.
bool compileFailedInThisBuild(const jdklaunch::Settings &settings) {
    if (settings.javacOutput.empty())
        return false;
    const HANDLE file = CreateFileW(jdklaunch::javacExitFile(settings.javacOutput).c_str(),
                                    GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char text[32] = {};
    DWORD got = 0;
    if (!ReadFile(file, text, sizeof text - 1, &got, nullptr))
        got = 0;
    CloseHandle(file);
    return jdklaunch::compileFailed(std::string(text, got));
}

// Lines of the program's notes end as the console's lines do.
String consoleLines(const String &text) {
    String lines;
    for (const wchar_t c : text)
        lines += c == L'\n' ? String(L"\r\n") : String(1, c);
    return lines;
}

// A Ctrl+C ends the tool, not the launcher, which returns the tool's code. (A handler of its
// own: ignoring the keys outright would pass on to the tool.)
BOOL WINAPI outlastInterrupts(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// Takes the launchers' folder out of PATH: what the learner's program starts by name (java,
// javac, jshell, a batch file's tools) is then the chosen JDK's own, which stands next.
void leaveThePath() {
    String folder = winlaunch::folderOfThisProgram();
    folder.pop_back(); // its final backslash
    const auto isOwn = [](const String &entry, const void *context) {
        String bare = entry;
        while (!bare.empty() && (bare.back() == L'\\' || bare.back() == L'/'))
            bare.pop_back();
        const auto *own = static_cast<const String *>(context);
        return CompareStringOrdinal(bare.c_str(), -1, own->c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    const String path = variable("PATH");
    if (!path.empty())
        SetEnvironmentVariableW(L"PATH",
                                jdklaunch::pathWithout(path, L';', isOwn, &folder).c_str());
}

} // namespace

int wmain() {
    const jdklaunch::Tool tool = jdklaunch::toolOfProgramName(winlaunch::thisProgram());
    for (size_t i = 0; i < told.size(); ++i)
        told[i] = variable(jdklaunch::kVariables[i]);
    const jdklaunch::Settings settings = jdklaunch::settingsFrom(told);
    leaveThePath();
    const String name = tool == jdklaunch::Tool::Javac ? L"javac" : L"java";
    const String program = settings.jdkBin + L"\\" + name + L".exe";
    const String arguments = winlaunch::argumentsAfterProgramName(GetCommandLineW());
    if (tool == jdklaunch::Tool::Javac && arguments.rfind(kMakerOption, 0) == 0) {
        const DWORD console =
            DWORD(std::wcstoul(arguments.c_str() + wcslen(kMakerOption), nullptr, 10));
        if (const HANDLE waited = console ? OpenProcess(SYNCHRONIZE, FALSE, console) : nullptr) {
            WaitForSingleObject(waited, INFINITE);
            CloseHandle(waited);
        }
        if (isFile(program))
            makeArchive(program, settings);
        return 0;
    }
    if (tool == jdklaunch::Tool::Javac && arguments.rfind(kServerOption, 0) == 0) {
        wchar_t *end = nullptr;
        const DWORD console =
            DWORD(std::wcstoul(arguments.c_str() + wcslen(kServerOption), &end, 10));
        if (const HANDLE waited = console ? OpenProcess(SYNCHRONIZE, FALSE, console) : nullptr) {
            WaitForSingleObject(waited, INFINITE);
            CloseHandle(waited);
        }
        for (const char *variableName : jdklaunch::kVariables) // not the server's
            SetEnvironmentVariableW(jdklaunch::text(variableName).c_str(), nullptr);
        // The java command reads options from this variable; javac does not.
        SetEnvironmentVariableW(L"JDK_JAVA_OPTIONS", nullptr);
        const String codePage = end && *end == L' ' ? String(end + 1) : String(L"cp936");
        runServer(settings, jdklaunch::serverContext(variableValue) + L"cp=" + codePage + L"\n",
                  codePage);
        return 0;
    }
    if (tool == jdklaunch::Tool::Javac && jdklaunch::makesArchive(settings) && isFile(program))
        startApart(kMakerOption, folderOf(settings.javacArchive)); // it takes the variables along
    for (const char *variableName : jdklaunch::kVariables) // not passed on to the learner's program
        SetEnvironmentVariableW(jdklaunch::text(variableName).c_str(), nullptr);
    if (tool == jdklaunch::Tool::Unknown || settings.jdkBin.empty() || !isFile(program) ||
        CompareStringOrdinal(program.c_str(), -1, winlaunch::thisProgram().c_str(), -1, TRUE) ==
            CSTR_EQUAL)
        return winlaunch::notRecognised(name);
    if (tool == jdklaunch::Tool::Java && compileFailedInThisBuild(settings)) {
        winlaunch::say(winlaunch::fromUtf8(jdklaunch::kNoRunAfterFailedCompile) + L"\r\n");
        return 1;
    }
    if (tool == jdklaunch::Tool::Javac && !settings.javacNote.empty())
        winlaunch::say(consoleLines(settings.javacNote) + L"\r\n");
    SetConsoleCtrlHandler(outlastInterrupts, TRUE);
    unsigned long code = 1;
    const bool recorded = tool == jdklaunch::Tool::Javac && !settings.javacOutput.empty();
    // Through the pipe javac writes what it would have written to the console: in the
    // console's code page. The JVM's options first, as javac's own are.
    std::vector<String> consoleOptions;
    DWORD mode = 0;
    const bool toConsole = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
    if (recorded && toConsole) {
        const String codePage = L"cp" + std::to_wstring(GetConsoleOutputCP());
        consoleOptions = {L"-J-Dsun.stderr.encoding=" + codePage,
                          L"-J-Dstderr.encoding=" + codePage};
    }
    const auto optionsFor = [&](const jdklaunch::Settings &told) {
        std::vector<String> options = consoleOptions;
        for (const String &option : jdklaunch::toolOptions(tool, told))
            options.push_back(option);
        return options;
    };
    if (recorded) {
        // The warm server, where this JDK has one, writes in javac's code page: the console's,
        // or else the system's.
        const unsigned codePage = toConsole ? GetConsoleOutputCP() : GetACP();
        const int served = compileOnServer(settings, optionsFor(settings), arguments,
                                           L"cp" + std::to_wstring(codePage));
        if (served >= 0)
            return served;
    }
    const bool onArchive =
        tool == jdklaunch::Tool::Javac && (settings.javacStart == jdklaunch::JavacStart::Use ||
                                           settings.javacStart == jdklaunch::JavacStart::Auto);
    const String line = commandLine(program, optionsFor(settings), arguments);
    bool ran = recorded ? compileRecorded(line, settings.javacOutput, onArchive, code)
                        : winlaunch::runAndWait(line, false, code);
    if (ran && code == kCrashedOnArchive) {
        // The archive was damaged after its check: it goes (the next first build makes a new
        // one), and this compile runs again at once without it. The crash said nothing.
        SetFileAttributesW(settings.javacArchive.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(settings.javacArchive.c_str());
        DeleteFileW(jdklaunch::archiveSizeFile(settings.javacArchive).c_str());
        jdklaunch::Settings without = settings;
        without.javacStart = jdklaunch::JavacStart::Fast;
        ran = compileRecorded(commandLine(program, optionsFor(without), arguments),
                              settings.javacOutput, false, code);
    }
    if (!ran)
        return winlaunch::notRecognised(name);
    return int(code);
}
