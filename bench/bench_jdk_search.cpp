// What the JDK search adds to a build: the javac-on-PATH check of every build, and the search
// of the machine's JDK folders when javac is not on PATH.
#include "buildrun/JdkSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

template <typename F> static double microseconds(int runs, F f) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        f();
    return timer.nsecsElapsed() / 1000.0 / runs;
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    bool onPath = false;
    QString found;
    const double check = microseconds(1000, [&] { onPath = javacOnPath(system); });
    const double search = microseconds(200, [&] { found = findJdkBin(systemJdkPlaces()); });
    std::printf("javac on PATH: %s, %.1f us a build\n", onPath ? "yes" : "no", check);
    std::printf("search of the machine: %s, %.1f us\n",
                found.isEmpty() ? "no JDK" : qPrintable(found), search);
    return 0;
}
