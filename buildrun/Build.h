#pragma once

#include "buildrun/BuildFiles.h"
#include "buildrun/RunAndWait.h"

#include <QSet>
#include <QString>
#include <QStringList>

// What one build is made of, read once from the window and the settings when it starts.
struct BuildRequest {
    QString javaPath;         // the applied working folder; the build works in its ClassFiles
    QString source;           // the editor's text, written to the source copy unchanged
    QString className;        // the main class: names the source copy, the page, the commands
    QStringList scannedNames; // the name after each "class" of the text: its class files
    QString packageName;      // the package of the text's first statement; empty: none
    qint16 compileType = 0;   // 0 standard program, 1 applet, other: compile only
    qint16 appletHeight = kDefaultAppletHeight;
    qint16 appletWidth = kDefaultAppletWidth;
    // The console's environment (see buildEnvironment).
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

// The build of one text, without any window: the work folder, the source copy, the build
// script and the applet page; the run of the script in a console window; the clean-up of what
// the build wrote. Each step may fail on its own and the next one still runs.
class Build {
public:
    explicit Build(BuildRequest request);

    // Creates the work folder, removes what an earlier build left (the class files of the
    // scanned names; the source copy of one whose wait was broken off), and writes the source copy,
    // the applet page (applets only) and the build script, each as a new file (no write goes
    // through a link left there). The first file that could not be written whole, in the
    // Windows form; empty when all were.
    QString writeFiles();
    // Runs the build script in a console window of the given show style until it has ended.
    ConsoleRun run(qint32 windowStyle) const;
    // The program quits while the console runs: what the build will have made stays for the
    // console, and the next build in the work folder removes it. Unless class files are kept,
    // the class files there now are written down (in the user's cache folder), so that the next
    // build can tell the ones this build's compiler makes.
    void abandon(bool keepClassFiles) const;
    // Deletes the class files the build made (unless they are kept: those of the scanned
    // names, and every other class file in the work folder and its folders that was not there
    // before the compiler ran: nested, anonymous and helper classes), the source copy and the
    // applet page.
    void cleanUp(bool keepClassFiles) const;

    // The build script, in the Windows form.
    QString scriptPath() const;

private:
    QString hostWorkFile(const QString &fileName) const;
    // Deletes the class files of the scanned names.
    void removeClassFiles() const;
    // The source copy and applet page of the build whose script stands in the work folder, when
    // that build's wait was broken off (the program quit while its console ran), and the class
    // files it made when it wrote down those that were there before it.
    void removeWhatAnEndedBuildLeft() const;
    // Where a build that is abandoned writes down the class files of the work folder.
    QString abandonedBuildRecord() const;
    // The class files in the work folder and the folders below it, by their host paths.
    QSet<QString> classFilesInWorkFolder() const;
    // A class file of the scanned names: in the package's folder when there is a package.
    QString hostClassFile(const QString &name) const;

    BuildRequest m_request;
    // Only a valid class name names files: anything else could leave the work folder.
    bool m_plainName = false;
    QStringList m_classFileNames;
    // The package's folders that did not exist before the build, outermost first.
    QStringList m_newPackageFolders;
    // The class files that were there before the compiler ran: not the build's to delete.
    QSet<QString> m_classFilesBefore;
};
