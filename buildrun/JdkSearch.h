#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Where a JDK is looked for when no javac is on PATH. Tests give folders of their own.
struct JdkPlaces {
    QString javaHome;           // JAVA_HOME
    QStringList installerHomes; // Windows: what the JDK installers wrote into the registry
    QStringList preferredHomes; // Linux: /usr/lib/jvm/default-java
    QStringList folders;        // folders holding JDKs: /usr/lib/jvm; %ProgramFiles%\Java, ...
};

// The places of this system (one implementation per system).
JdkPlaces systemJdkPlaces();
// Windows: the JDK folders that the installers wrote below the registry roots
// ("HKEY_LOCAL_MACHINE\\SOFTWARE", ...), installer by installer, newest version first.
QStringList installerJdkHomes(const QStringList &registryRoots);

// The numbers in a version or JDK folder name, for comparing: "java-17-openjdk-amd64" 17,
// "jdk1.8.0_402" 8.0.402 (1.8 is 8), "temurin-25-jdk-amd64" 25.
QList<int> versionInName(const QString &name);

// The bin folder of the JDK to use, in this order: JAVA_HOME, the installers' entries, the
// preferred homes, then the newest JDK in the folders (by the version in its name). Empty when
// there is none.
QString findJdkBin(const JdkPlaces &places);

// Whether javac is found on the PATH of the environment.
bool javacOnPath(const QProcessEnvironment &environment);

// The folder of the program's own applet viewer (appletviewer, appletviewer.exe), beside the
// program.
QString appletViewerFolder();

// The build's environment: the system's, with the JDK's bin first on PATH (when given), the
// applet viewer's folder last (a real appletviewer on PATH comes first), and
// "-encoding <the source copy's code page>" added to JDK_JAVAC_OPTIONS (javac 9 and later read
// it; from JDK 18 javac would read UTF-8 whatever the code page), unless the user's value
// already names an encoding.
QProcessEnvironment buildEnvironment(QProcessEnvironment environment, const QString &jdkBin,
                                     const QString &sourceEncoding, const QString &viewerFolder);
