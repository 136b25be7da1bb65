// What the JDK choice adds to a build: the choice of every build (javac on PATH, through its
// links), and the search of the machine's JDK folders when javac is not on PATH.
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
    std::optional<Jdk> chosen;
    QString found;
    const double choice =
        microseconds(1000, [&] { chosen = chooseJdk(system, JdkPlaces{}, jdkLauncherFolder()); });
    const double search = microseconds(200, [&] { found = findJdkBin(systemJdkPlaces()); });
    std::printf("the JDK of PATH: %s, %.1f us a build\n", chosen ? qPrintable(chosen->bin) : "none",
                choice);
    std::printf("search of the machine: %s, %.1f us\n",
                found.isEmpty() ? "no JDK" : qPrintable(found), search);
    return 0;
}
