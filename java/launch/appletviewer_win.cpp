// appletviewer.exe for JDKs that no longer have one: runs the program's own viewer beside this
// launcher with the java of the build's PATH, waits for it and returns its exit code.
#include "WindowsLaunch.h"

#include <windows.h>

namespace {
// java.exe as the build's PATH finds it (the program's java launcher, first on it, which runs
// the chosen JDK's). Started by name, CreateProcess would look in this program's folder, the
// current folder (the learner's) and System32 before PATH, where an old runtime's java.exe may
// lie. Empty when there is none.
std::wstring javaOnPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), DWORD(path.size())));
    std::wstring found(32768, L'\0');
    const DWORD length = path.empty() ? 0
                                      : SearchPathW(path.c_str(), L"java.exe", nullptr,
                                                    DWORD(found.size()), found.data(), nullptr);
    found.resize(length < found.size() ? length : 0);
    return found;
}
} // namespace

int wmain() {
    const std::wstring java = javaOnPath();
    if (java.empty())
        return winlaunch::notRecognised(L"java");
    const std::wstring command =
        winlaunch::quoted(java) + L" -jar " +
        winlaunch::quoted(winlaunch::folderOfThisProgram() + L"tarneljava-appletviewer.jar") +
        winlaunch::argumentsAfterProgramName(GetCommandLineW());
    unsigned long code = 1;
    if (!winlaunch::runAndWait(command, false, code))
        return winlaunch::notRecognised(L"java");
    return int(code);
}
