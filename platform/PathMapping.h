#pragma once

#include <QString>

// The program keeps every path in the Windows form (drive letter, colon, backslashes).
// These functions turn such a path into a path of the host file system and back.
namespace platform {

// Windows form -> host path. On Windows the path is returned unchanged.
QString toHostPath(const QString &windowsPath);

// Host path -> Windows form. On Windows the path gets "\" separators.
QString toWindowsPath(const QString &hostPath);

// The Linux rules, with the home folder given, so that they can be checked on any system.
// "Z:" is the root "/", every other drive letter is the home folder; "\" and "/" both separate.
QString linuxHostPath(const QString &windowsPath, const QString &homeFolder);
// A path below the home folder becomes "D:\...", any other absolute path "Z:\...".
QString linuxWindowsPath(const QString &hostPath, const QString &homeFolder);

// The folder that a test put in place of every drive (see TestSeams.h); empty when none.
QString &driveRootOverride();

// The drive letter of a Windows-form path ("D:..."), or 0 when it has none.
QChar driveLetter(const QString &windowsPath);

// The host folder of a Windows-form path when it is an existing folder; empty otherwise (the
// open dialog then starts where the system's dialog starts).
QString existingHostFolder(const QString &windowsPath);
// Where the folder chooser starts: the user's desktop folder, the home folder where there is
// none.
QString desktopFolder();

} // namespace platform
