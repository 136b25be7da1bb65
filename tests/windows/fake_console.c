/* Stand-in for the command interpreter (%ComSpec%) in the Windows tests: runs the real
   cmd.exe with this program's own command line, a key press waiting on its input (for the
   script's "pause") and its output appended to %TARNEL_CONSOLE_LOG%, and ends with it. */
#include <wchar.h>
#include <windows.h>

/* The command line after the program's own name. */
static const wchar_t *afterProgram(const wchar_t *line) {
    int quoted = 0;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        if (*line == L'"')
            quoted = !quoted;
    return line;
}

int main(void) {
    wchar_t system[MAX_PATH], log[MAX_PATH], command[32768];
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    STARTUPINFOW start;
    PROCESS_INFORMATION process;
    HANDLE keyRead, keyWrite, output;
    DWORD written, code = 1;
    ZeroMemory(&start, sizeof start);
    start.cb = sizeof start;
    GetSystemDirectoryW(system, MAX_PATH);
    swprintf(command, 32768, L"\"%ls\\cmd.exe\"%ls", system, afterProgram(GetCommandLineW()));
    if (!GetEnvironmentVariableW(L"TARNEL_CONSOLE_LOG", log, MAX_PATH))
        wcscpy(log, L"NUL");
    output = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (!CreatePipe(&keyRead, &keyWrite, &inherit, 0))
        return 1;
    SetHandleInformation(keyWrite, HANDLE_FLAG_INHERIT, 0);
    WriteFile(keyWrite, "k\r\n", 3, &written, NULL);
    CloseHandle(keyWrite);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = keyRead;
    start.hStdOutput = output;
    start.hStdError = output;
    if (!CreateProcessW(NULL, command, NULL, NULL, TRUE, 0, NULL, NULL, &start, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    return (int)code;
}
