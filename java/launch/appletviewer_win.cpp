// appletviewer.exe for JDKs that no longer have one: runs the program's own viewer beside this
// launcher with the java of the build's PATH, waits for it and returns its exit code.
#include "WindowsLaunch.h"

#include <windows.h>

int wmain() {
    const std::wstring command =
        L"java -jar " +
        winlaunch::quoted(winlaunch::folderOfThisProgram() + L"tarneljava-appletviewer.jar") +
        winlaunch::argumentsAfterProgramName(GetCommandLineW());
    unsigned long code = 1;
    if (!winlaunch::runAndWait(command, false, code))
        return winlaunch::notRecognised(L"java");
    return int(code);
}
