#pragma once

#include <QRgb>
#include <QString>

class QWidget;

// The shared settings and the module-level operations of the program. The settings live for
// the whole run.
class MainModule {
public:
    // Working folder; the build happens in JavaPath + "\ClassFiles". Stored in Setting.ini.
    static QString JavaPath;
    // 0 = delete the compiled class files after a build; any other value = keep them. Stored.
    static qint16 ClassExist;
    // 0 = standard Java program, 1 = applet. Reset at every start.
    static qint16 CompileType;
    static qint16 AppletHeight;
    static qint16 AppletWidth;
    // The colour that ApplyFormTheme applies last.
    static QRgb ThemeColor;

    // Fills JavaPath and ClassExist from Setting.ini, or applies and writes the defaults.
    static void LoadSettings();
    // Replaces Setting.ini with the two lines built from the arguments. Whether it was written:
    // its callers go on silently either way.
    static bool SaveSettings(QString javaPath, qint16 classExist);
    // Paints a window of the program in its colours, chosen by the window's object name.
    static void ApplyFormTheme(QWidget &window);

    // The program's folder: the executable's folder unless a test sets another. Setting.ini
    // lives there when the folder takes it, else in the user's folder (see SettingsPlace.h).
    static QString programFolder();
    static void setProgramFolder(const QString &hostFolder);
    // The user's configuration folder (~/.config/TarnelJava), unless a test sets another.
    static QString userFolder();
    static void setUserFolder(const QString &hostFolder);

    // Back to the values of a fresh process (for tests that start the program more than once).
    static void resetToProcessStart();
};
