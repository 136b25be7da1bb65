#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

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
// ("HKEY_LOCAL_MACHINE\\SOFTWARE", ...), installer by installer, newest version first, in the
// 64-bit and the 32-bit view of the registry.
QStringList installerJdkHomes(const QStringList &registryRoots);
// What the user is told to do when there is no JDK: how a JDK is installed on this system.
QString jdkInstallAdvice();
// The file name of a JDK tool on this system: "javac", or "javac.exe" on Windows.
QString jdkToolFileName(const QString &tool);

// The numbers in a version or JDK folder name, for comparing: "java-17-openjdk-amd64" 17,
// "jdk1.8.0_402" 8.0.402 (1.8 is 8), "temurin-25-jdk-amd64" 25.
QList<int> versionInName(const QString &name);

// A JDK: its bin folder holds javac and java, programs both; its folder is that of a JDK
// (a release file, or lib/modules).
bool isJdkHome(const QString &folder);

// The bin folder of the JDK to use, in this order: JAVA_HOME (taken from the current folder
// when relative), the installers' entries, the preferred homes, then the newest JDK in the
// folders (by the version in its name). Empty when there is none.
QString findJdkBin(const JdkPlaces &places);

// The JDK a build runs with.
struct Jdk {
    QString bin;         // its bin folder, absolute, in the system's form
    int version = 0;     // its feature version (8, 17, 25); 0 when it does not say
    bool hotSpot = true; // its JVM takes HotSpot's options (OpenJ9 does not)
};

// The JDK whose javac comes first on the environment's PATH (through links; a folder of javac
// without java is passed over; so is the program's own launchers' folder), else the one the
// search finds; nothing when there is none.
std::optional<Jdk> chooseJdk(const QProcessEnvironment &environment, const JdkPlaces &places,
                             const QString &launcherFolder);
// The JDK of a bin folder, its version and JVM read from its release file.
Jdk jdkOfBin(const QString &bin);

// The folders of the program's own programs beside it: the JDK launchers (javac and java,
// first on the build's PATH) and the applet viewer (appletviewer, last).
QString jdkLauncherFolder();
QString appletViewerFolder();

// What the program's javac and java launchers add for this build (see jdklaunch/JdkLaunch.h).
struct JdkLaunch {
    QString javacStart;   // "", fast, auto, make or use
    QString javacArchive; // the class-data-sharing archive of javac's classes
    QString fileEncoding; // java's -Dfile.encoding: COMPAT on JDK 18+ under a code page not UTF-8
    QString javacNote;    // lines the console shows before javac runs
    QString javacOutput;  // the file where javac's launcher records the compile (host path)
    QString javacServer;  // the JDK's warm compiler in the user's private runtime folder
};

// The build's environment: the system's, with the launchers' folder and the JDK's bin first on
// PATH, the applet viewer's folder last (a real appletviewer on PATH comes first), the JDK and
// what the launchers add in their variables, the source copy's encoding among them (javac's
// launcher gives it after the user's JDK_JAVAC_OPTIONS, so it wins; from JDK 18 javac would
// read UTF-8 whatever the code page). The user's own variables stay as they are.
QProcessEnvironment buildEnvironment(QProcessEnvironment environment, const Jdk &jdk,
                                     const JdkLaunch &launch, const QString &sourceEncoding,
                                     const QString &launcherFolder, const QString &viewerFolder);
