#pragma once

#include "buildrun/JdkSearch.h"

#include <QString>

// The user's cache folder, where javac's class-data-sharing archives are kept.
QString jdkCacheFolder();

// What the launchers add for a build with the JDK: a fast javac start with a class-data-sharing
// archive of javac's classes in the cache folder (one per JDK and its build: an updated JDK
// gets a new one, and the old one goes), made by the first build where the JDK can make one;
// -Dfile.encoding=COMPAT for programs on JDK 18+ where the code page is not UTF-8, so that
// Scanner(System.in) and the learner's files read what the console and the editor wrote.
// A cache folder that cannot be written, or an archive that is no longer whole, costs only the
// archive: javac then starts without one (or makes it again).
JdkLaunch jdkLaunchFor(const Jdk &jdk, const QString &cacheFolder, bool codePageIsUtf8);

// The name of the JDK's warm compiler in the user's private runtime folder (javac-<the JDK's
// folder>-<its build>, as its archive): a JDK updated in its folder gets a new server. None for
// a JDK that does not say what it is, for JDK 8 (its JVM takes not the server's options), or
// with no private folder.
QString javacServerName(const Jdk &jdk, const QString &runtimeFolder);
