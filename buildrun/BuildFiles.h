#pragma once

#include <QString>
#include <QStringList>

// The files a build writes into the work folder JavaPath + "\ClassFiles".

inline const QString kBuildScriptName = QStringLiteral("Korvath.bat");

// The applet size of every start, until the options change it.
inline constexpr qint16 kDefaultAppletHeight = 200;
inline constexpr qint16 kDefaultAppletWidth = 400;

// JavaPath + "\ClassFiles" (no trailing separator).
QString workFolder(const QString &javaPath);
// A file in the work folder: workFolder + "\" + name.
QString workFile(const QString &javaPath, const QString &fileName);

// The lines of Korvath.bat. The run line depends on the compile type: "java" for 0,
// "appletviewer" for 1, none for any other value. Values end at their first line break; the
// class name goes without control or format characters. A path or name holding one of & | < > ^ is
// quoted, so that it cannot start another command, and "%" is written "%%", which the command
// interpreter reads as "%" (it would expand "%NAME%"). Line 2 changes the drive only: it is
// empty when the folder starts with no drive letter and colon.
//
// A text whose first statement is "package a.b;" (packageName "a.b") is compiled into its
// package's folders with "javac -d . Name.java" and run as "java a.b.Name"; without a package
// the script is exactly the one above.
// The class name whose source copy a build script compiles ("javac [-d . ]NAME.java"); empty
// when the lines hold none. What a build whose wait was broken off left, the next one removes.
QString sourceCopyNameInScript(const QStringList &lines);

QStringList buildScriptLines(const QString &javaPath, const QString &className, qint16 compileType,
                             const QString &packageName = QString());
// The four lines of the applet page (className + ".HTML"); in a package the code names the
// class by its full name ("a.b.Name.class").
QStringList appletPageLines(const QString &className, qint16 height, qint16 width,
                            const QString &packageName = QString());
// The folder of a package below the work folder ("a\b" for "a.b"); empty without a package.
QString packageFolder(const QString &packageName);

// No file system takes a longer file name.
inline constexpr qsizetype kMaxFileNameLength = 255;

// True when a class name from the editor can name the build's and the saved files on every
// system, in the work folder and nowhere else: not "." or "..", no separator, none of
// : * ? " < > |, no control or invisible format character (a direction override would show
// the name reversed), no trailing dot or space, no device name (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9, also before an extension), and not longer than a file name can be. An empty
// name is one (the files are then named by their extensions alone).
bool isValidClassName(const QString &name);

// True when a working folder can go into the build script as one path of every system: none
// of * ? " < > |, a colon only after a drive letter, no control or invisible format character.
bool isValidWorkingFolder(const QString &javaPath);
