#pragma once
// The program's JDK launchers run by a test, with stand-in JDK tools.
#include "TestPaths.h"
#include "buildrun/JdkSearch.h"
#include "platform/System.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace launcher_run {
inline const QString kExe = platform::kOnWindows ? ".exe" : "";

// The stand-in tools: each argument in brackets, the launchers' variables, TARNEL_TEST_STDERR
// on the error output, the exit code TARNEL_TEST_EXIT; on Linux PATH when TARNEL_TEST_PATH is
// set, a crash by the signal TARNEL_TEST_CRASH when given an archive, and an archive made where
// javac is told to make one (its folder in the file TARNEL_TEST_MAKER).
inline bool makeStandInJdk(const QString &bin) {
    if (!QDir().mkpath(bin))
        return false;
    for (const QString tool : {"javac", "java"}) {
        const QString file = bin + "/" + tool + kExe;
        if (platform::kOnWindows) {
            if (!QFile::copy(kTestWindowsToolsFolder + "/java.exe", file))
                return false;
            continue;
        }
        if (!platform::writeLines(file, {"#!/bin/sh\n"
                                         "for a in \"$@\"; do case \"$a\" in "
                                         "-J-XX:SharedArchiveFile=*) [ -n \"$TARNEL_TEST_CRASH\" ] "
                                         "&& kill -$TARNEL_TEST_CRASH $$;; esac; done\n"
                                         "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
                                         "done\nenv | grep '^TARNELJAVA_'\n"
                                         "[ -n \"$TARNEL_TEST_PATH\" ] && echo \"PATH=$PATH\"\n"
                                         "for a in \"$@\"; do case \"$a\" in "
                                         "-J-XX:ArchiveClassesAtExit=*) printf made >\"${a#*=}\"; "
                                         "pwd >\"$TARNEL_TEST_MAKER\";; esac; done\n"
                                         "case \"$*\" in *tarneljava.javacserver.JavacServer*) "
                                         "{ printf '[%s]\\n' \"$@\"; pwd; cat; env | grep -E "
                                         "'^(TARNELJAVA_|JDK_JAVA_OPTIONS)'; } >\"$TARNEL_TEST_"
                                         "STARTED.new\"; mv \"$TARNEL_TEST_STARTED.new\" \"$TARNEL_"
                                         "TEST_STARTED\";; esac\n"
                                         "printf '%s' \"$TARNEL_TEST_STDERR\" >&2\nexit "
                                         "${TARNEL_TEST_EXIT:-0}"}) ||
            !QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
    }
    return true;
}

struct Ran {
    int exitCode = -1;
    QString output;
    QByteArray errorOutput; // when asked for apart
};

// The program's own launcher of the tool ("javac", "java").
inline QString launcherPath(const QString &tool) {
    return jdkLauncherFolder() + "/" + tool + kExe;
}

inline Ran runLauncher(const QString &tool, const QStringList &arguments,
                       const QList<QPair<QString, QString>> &variables, int exitCode = 0,
                       QProcess::ProcessChannelMode channels = QProcess::MergedChannels,
                       const QString &folder = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARNEL_TEST_ARGS", "1");
    environment.insert("TARNEL_TEST_EXIT", QString::number(exitCode));
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(channels);
    process.setWorkingDirectory(folder);
    process.start(launcherPath(tool), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(),
            platform::fromSystemCodePage(process.readAllStandardOutput()).replace("\r\n", "\n"),
            channels == QProcess::SeparateChannels ? process.readAllStandardError() : QByteArray()};
}

inline QString bracketed(const QStringList &arguments) {
    QString text;
    for (const QString &argument : arguments)
        text += "[" + argument + "]\n";
    return text;
}
} // namespace launcher_run
using namespace launcher_run;
