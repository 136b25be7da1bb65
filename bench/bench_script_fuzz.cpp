// A longer run of the build-script fuzz that ctest runs briefly: generated hostile names and
// folders, each script read by the model of the command interpreter's rules.
// Usage: bench_script_fuzz [cases] [seed]
#include "CommandInterpreterModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 cases = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    QRandomGenerator random(args.size() > 2 ? args.at(2).toUInt() : 20261208u);
    qint64 taken = 0, refusedName = 0, refusedFolder = 0, faults = 0, quotesTaken = 0;
    QElapsedTimer timer;
    timer.start();
    for (qint64 n = 0; n < cases; ++n) {
        const QString folder =
            (random.bounded(2) ? QStringLiteral("D:\\") : QString()) + hostileText(random, 16);
        const QString name = hostileText(random, 10);
        if (!isValidWorkingFolder(folder)) {
            ++refusedFolder;
            continue;
        }
        if (!isValidClassName(name)) {
            ++refusedName;
            continue;
        }
        ++taken;
        quotesTaken += folder.contains(QLatin1Char('"')) || name.contains(QLatin1Char('"'));
        const QString fault = checkScriptOf(folder, name, qint16(n % 3));
        if (!fault.isEmpty() && ++faults <= 10)
            std::printf("FAULT %s / %s: %s\n", qPrintable(folder), qPrintable(name),
                        qPrintable(fault));
    }
    std::printf("%lld cases in %.1f s: %lld scripts checked, %lld refused for the folder, %lld "
                "for the name; %lld with a quote taken; %lld faults\n",
                cases, timer.elapsed() / 1000.0, taken, refusedFolder, refusedName, quotesTaken,
                faults);
    return faults == 0 && quotesTaken == 0 ? 0 : 1;
}
