#include "WindowsLaunch.h"

#include <windows.h>

namespace winlaunch {

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

std::wstring thisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
    return path;
}

std::wstring folderOfThisProgram() {
    const std::wstring path = thisProgram();
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring quoted(const std::wstring &argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring result = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        result += c;
    }
    result.append(backslashes * 2, L'\\'); // before the closing quote
    return result + L"\"";
}

std::wstring fromUtf8(const char *text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(size_t(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
    wide.resize(wide.size() - 1); // the final NUL
    return wide;
}

void say(const std::wstring &text) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (WriteConsoleW(out, text.c_str(), DWORD(text.size()), &written, nullptr))
        return;
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

int notRecognised(const std::wstring &name) {
    say(L"'" + name + L"' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n");
    return 9009;
}

bool runAndWait(std::wstring commandLine, bool quiet, unsigned long &exitCode) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE null = INVALID_HANDLE_VALUE;
    if (quiet) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        null = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, OPEN_EXISTING, 0, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    }
    PROCESS_INFORMATION process{};
    // Quiet: no console window of its own either (the archive maker has no console to share).
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                       quiet ? CREATE_NO_WINDOW : 0, nullptr, nullptr, &startup, &process);
    if (null != INVALID_HANDLE_VALUE)
        CloseHandle(null);
    if (!started)
        return false;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    exitCode = code;
    return true;
}

} // namespace winlaunch
