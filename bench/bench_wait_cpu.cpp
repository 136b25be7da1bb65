// Processor time the program itself spends while a build script waits 5 seconds for its key
// press (user + system time of this process across the wait, children not counted).
// Run: out/bin/bench_wait_cpu
#include "buildrun/RunAndWait.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

static double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString script = dir.filePath("Korvath.bat");
    platform::writeLines(script, {"@echo off", "echo waiting", "pause"});
    qputenv("PATH", QByteArray(TARNEL_TEST_TERMINAL) + ":" + qgetenv("PATH"));
    qputenv("TARNEL_TERMINAL_DELAY", "5");

    QElapsedTimer wall;
    wall.start();
    const double before = cpuSeconds();
    const bool ran =
        runInConsole(platform::toWindowsPath(script), 1, QProcessEnvironment::systemEnvironment())
            .outcome == RunOutcome::Ended;
    const double spent = cpuSeconds() - before;
    std::printf("ran: %s, wall: %.2f s, processor time of the program: %.4f s\n",
                ran ? "yes" : "no", wall.elapsed() / 1000.0, spent);
    return ran ? 0 : 1;
}
