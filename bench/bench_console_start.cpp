// What the console alone costs a build: runInConsole of a script that only echoes a line, as
// the program starts it (the terminal on PATH with the options its kind gets, the interpreter
// with its socket hand-over of the build's environment), until the script has ended. Prints
// each run's milliseconds on a line of its own.
// Run: out/bin/bench_console_start [runs]   (a terminal on PATH; under X for a real one)
#include "buildrun/RunAndWait.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 10;
    QTemporaryDir dir;
    const QString script = dir.filePath("Korvath.bat");
    platform::writeLines(script, {"@echo off", "echo started"});
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer wall;
        wall.start();
        const RunOutcome outcome = runInConsole(platform::toWindowsPath(script), 1,
                                                QProcessEnvironment::systemEnvironment())
                                       .outcome;
        if (outcome != RunOutcome::Ended)
            return 1;
        std::printf("%lld\n", static_cast<long long>(wall.elapsed()));
        std::fflush(stdout);
    }
    return 0;
}
