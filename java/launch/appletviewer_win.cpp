// appletviewer.exe for JDKs that no longer have one: runs the program's own viewer beside this
// launcher with the java of the build's PATH, waits for it and returns its exit code. A program,
// not a .cmd file: a batch file that calls a .cmd file without "call" never comes back to its
// own next line, and the build script's pause would be lost.
#include <string>
#include <windows.h>

namespace {

// The command line after the program's own name, with the space in front of it.
std::wstring argumentsAfterProgramName(const wchar_t *line) {
    const wchar_t *at = line;
    if (*at == L'"') {
        ++at;
        while (*at && *at != L'"')
            ++at;
        if (*at)
            ++at;
    } else {
        while (*at && *at != L' ' && *at != L'\t')
            ++at;
    }
    return at;
}

std::wstring folderOfThisProgram() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(length);
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

void say(const wchar_t *text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (WriteConsoleW(out, text, DWORD(wcslen(text)), &written, nullptr))
        return;
    // Not a console: the system's code page, as the command interpreter writes.
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    WriteFile(out, bytes.data(), DWORD(strlen(bytes.c_str())), &written, nullptr);
}

} // namespace

int wmain() {
    std::wstring command = L"java -jar \"" + folderOfThisProgram() +
                           L"tarneljava-appletviewer.jar\"" +
                           argumentsAfterProgramName(GetCommandLineW());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        say(L"'java' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n");
        return 9009;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return int(code);
}
