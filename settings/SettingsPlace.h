#pragma once

#include <QString>

// Where Setting.ini is read and where it is written. Beside the program when the program's
// folder takes it (a portable folder, the Windows installer's per-user folder, a build tree).
// Otherwise (installed read-only, or for every user) in the user's own configuration folder:
// the user's file is read when it exists, else the one beside the program (a packager's); the
// settings are written to the user's file.
struct SettingsPlace {
    QString readFrom;
    QString writeTo;
};
SettingsPlace settingsPlace(const QString &programFolder, const QString &userFolder,
                            bool programFolderTakesSettings, bool userFileExists);

// The name of the file an installation for every user puts beside the program, so that even
// root, who could write there, keeps the settings in the user's folder.
inline const QString kUserSettingsMarker = QStringLiteral("user-settings");

// Whether the settings live beside the program: a new file can be made in its folder (tried,
// not guessed from permission bits: a read-only mount, an ACL, Program Files) and the folder
// has no user-settings marker.
bool folderTakesSettings(const QString &folder);

// The user's own configuration folder for the program: ~/.config/TarnelJava on Linux,
// %LOCALAPPDATA%\TarnelJava on Windows.
QString userSettingsFolder();

// Folder + "/Setting.ini", whether or not the folder ends in a separator.
QString settingsFileIn(const QString &folder);
