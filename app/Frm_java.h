#pragma once

#include "buildrun/JdkSearch.h"
#include "editor/FullWidthPunctuation.h"
#include "layout/ScreenLayout.h"
#include "ui/ThemedWindow.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Frm_java;
}
class QTimer;
class EditorErrorMarks;

// What a build is started with, besides the window's text and the settings.
struct BuildStart {
    QProcessEnvironment environment; // the console's
    QString compileRecord;           // where javac's launcher records the compile
    QList<FullWidthMark> fullWidth;  // the text's full-width punctuation, told before javac
};

// The main window: the source editor, the build and the settings row.
class Frm_java : public QWidget, public ThemedWindow {
    Q_OBJECT

public:
    explicit Frm_java(QWidget *parent = nullptr);
    ~Frm_java() override;

    // Main-window state.
    bool IsSaved = true;      // the editor holds no unsaved change
    bool PathInvalid = false; // the folder field holds no ":", or the last save failed
    QString OpenedFilePath;   // the file chosen in the open dialog the last time
    // One entry per occurrence of "class" at the last scan. Long names refer to the window's
    // copy of the scanned text: keep an ownedCopy() of an entry that outlives the next scan.
    QStringList ClassNames;
    qint32 ClassCount = 0;

    // Methods of the window.
    void Comp(const BuildStart &start);
    void Savefile();
    void CreateNewDirectory(const QString &NewDirectory);
    void ResizeByScreen(QWidget &frm);

    // The editor's text with CR LF line ends, as the scan, the build and saving see it.
    QString editorText() const;
    // Replaces the editor's text; CR LF, CR and LF line ends are all accepted.
    void setEditorText(const QString &text);
    bool isBuilding() const { return m_building; }

    QList<QWidget *> themedControls() const override;

    // Texts up to this many characters are scanned at every change; larger ones once typing
    // pauses for kScanPauseMs.
    static constexpr int kScanAtOnceCharacters = 64 * 1024;
    static constexpr int kScanPauseMs = 150;

    // Where the window asks the user for a file or folder. Tests replace these.
    // A chosen path is a host path; nothing means the dialog was cancelled.
    // The open dialog, started in the given folder (empty: where the dialog starts by itself).
    static std::function<std::optional<QString>(QWidget *parent, const QString &startFolder)>
        chooseOpenFile;
    static std::function<std::optional<QString>(QWidget *parent, const QString &title)>
        chooseFolder;
    // Where the build looks for a JDK when no javac is on PATH. Tests replace it.
    static std::function<JdkPlaces()> jdkPlaces;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void Form_Initialize();
    bool Form_QueryUnload(); // true cancels the close
    void Form_Unload();

    void Txt_table_Change();
    void Cmd_set_Click();
    void Txt_edit_Change();
    void Cmd_byyx_Click();
    void Cmd_save_Click();
    void Cmd_open_Click();
    void Tim_color_Timer();
    void Cmd_scan_Click();
    void Cmd_help_Click();
    void Cmd_about_Click();
    void Cmd_end_Click();

    // Checks what a build needs before anything is written (a name and folder that run nothing
    // else, a JDK) and gives what the build starts with; nothing, after telling the user, when
    // it lacks.
    std::optional<BuildStart> readyToBuild();
    // Why no build can start with this class name, work folder and text, in the words the
    // user is told (the first reason); nothing when a build may start. A name or folder that
    // no file system takes, or that would make the script run more than the build, stops it
    // before anything is written.
    static std::optional<QString> reasonNotToBuild(const QString &className,
                                                   const QString &javaPath, const QString &text);
    // The build's JDK and what the console starts with, for the text; nothing, after telling
    // the user, when there is no JDK or the user keeps the characters the code page lacks.
    std::optional<BuildStart> buildStartFor(const QString &text);
    // What the user is told of a class name that can name no file.
    static QString badClassNameText(const QString &name);
    // The save prompt of closing; answers QMessageBox::Yes, No or Cancel.
    int askToSave();
    // Asks how to read a file that is UTF-8 but not throughout; nothing when the user cancels.
    std::optional<QString> askHowToRead(const QByteArray &bytes, int badLine);
    // Asks whether to save (or build) although the code page cannot hold some characters.
    bool confirmLosingCharacters(bool building);
    // Asks to save unsaved source; false when the user cancelled or the save failed.
    bool offerToSave();
    // The editor's text with LF line ends, character for character.
    QString widgetText() const;
    void applyDesignColors();
    void placeControls(const Offsets &offsets);
    QWidget *placedControl(MainControl control) const;

    // The class scan of the editor's text: at once for a text of an everyday size; for a large
    // one once typing pauses (the scan reads the whole text), and at once whenever its results
    // are needed.
    void scanEditorText();
    void scanIfPending();

    std::unique_ptr<Ui::Frm_java> ui;
    QTimer *Tim_color = nullptr;
    QTimer *m_scanAfterPause = nullptr;
    EditorErrorMarks *m_errorMarks = nullptr;
    bool m_building = false;
    QString m_buildingScript; // the running build's script, which names its console
    QString m_classNameSource;
};
