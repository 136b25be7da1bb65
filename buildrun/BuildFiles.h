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
// class name goes without control characters. A path or name holding one of & | < > ^ is
// quoted, so that it cannot start another command.
QStringList buildScriptLines(const QString &javaPath, const QString &className, qint16 compileType);
// The four lines of the applet page (className + ".HTML").
QStringList appletPageLines(const QString &className, qint16 height, qint16 width);

// No file system takes a longer file name.
inline constexpr qsizetype kMaxFileNameLength = 255;

// True when a class name from the editor can name a file of the work folder and nothing else:
// not empty of meaning (".", ".."), without a separator or control character, and not longer
// than a file name can be.
bool isPlainFileName(const QString &name);
