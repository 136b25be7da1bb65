#include "app/Frm_java.h"

#include "Version.h"
#include "buildrun/BuildFiles.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "editor/ClassScan.h"
#include "editor/CompactSource.h"
#include "editor/JavaLexis.h"
#include "editor/TextHelpers.h"
#include "platform/PathMapping.h"
#include "ui/AccessibleControls.h"
#include "ui/Colors.h"
#include "ui/EditorErrorMarks.h"
#include "ui/EditorZoom.h"
#include "ui/FileDialogs.h"
#include "ui/Fonts.h"
#include "ui/KeyboardMenus.h"
#include "ui/MainModule.h"
#include "ui/Pictures.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui/ReturnPresses.h"
#include "ui/SafePaste.h"
#include "ui/SingleLineField.h"
#include "ui_Frm_java.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

std::function<std::optional<QString>(QWidget *, const QString &)> Frm_java::chooseOpenFile =
    askForJavaFile;

std::function<std::optional<QString>(QWidget *, const QString &)> Frm_java::chooseFolder =
    [](QWidget *parent, const QString &title) {
        return askForFolder(parent, title, platform::desktopFolder());
    };

namespace {
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGrey(224, 224, 224);

// Text that the program puts into a one-line box is shown from its start (the drive letter of
// a long folder, the first letter of a name), not scrolled to its end.
void setTextIfChanged(QLineEdit *box, const QString &text) {
    if (box->text() != text) {
        box->setText(text);
        box->setCursorPosition(0);
    }
}
} // namespace

Frm_java::Frm_java(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Frm_java>()) {
    installAccessibleRoles();
    ensureResources();
    ui->setupUi(this);
    pressFocusedButtonsOnReturn(*this);
    openContextMenusOnShiftF10(*this);
    showPictureForScreen(ui->Pic_sky, QStringLiteral(":/images/sky.png"));
    setWindowTitle(kProgramTitle);
    // A sizable window with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The window cannot be made smaller, or wider, than the layout allows.
    setMinimumSize(twipsToPixels(kReferenceWidth + kMinDx - kFrameWidth),
                   twipsToPixels(kReferenceHeight + kMinDy - kFrameHeight));
    setMaximumWidth(twipsToPixels(kReferenceWidth + kMaxDx - kFrameWidth));
    applyDesignFonts(*this);
    zoomWithCtrl(*ui->Txt_edit); // from the design's font
    m_errorMarks = new EditorErrorMarks(*ui->Txt_edit);
    pasteTextOnly(*ui->Txt_edit);
    drawFramesPlain(*this);
    applyDesignColors();
    ui->Txt_backname->setCursorPosition(0);
    m_scanAfterPause = new QTimer(this);
    m_scanAfterPause->setSingleShot(true);
    m_scanAfterPause->setInterval(kScanPauseMs);
    connect(m_scanAfterPause, &QTimer::timeout, this, &Frm_java::scanEditorText);
    Tim_color = new QTimer(this);
    Tim_color->setObjectName(QStringLiteral("Tim_color"));
    Tim_color->setInterval(150);

    keepSingleLine(*ui->Txt_table);
    keepSingleLine(*ui->Txt_file);
    connect(ui->Txt_table, &QLineEdit::textChanged, this, &Frm_java::Txt_table_Change);
    connect(ui->Cmd_set, &QPushButton::clicked, this, &Frm_java::Cmd_set_Click);
    // Ctrl+A selects the whole text: the editor does so by itself.
    connect(ui->Txt_edit, &QPlainTextEdit::textChanged, this, &Frm_java::Txt_edit_Change);
    connect(ui->Cmd_byyx, &QPushButton::clicked, this, &Frm_java::Cmd_byyx_Click);
    connect(ui->Cmd_save, &QPushButton::clicked, this, &Frm_java::Cmd_save_Click);
    connect(ui->Cmd_open, &QPushButton::clicked, this, &Frm_java::Cmd_open_Click);
    connect(Tim_color, &QTimer::timeout, this, &Frm_java::Tim_color_Timer);
    connect(ui->Cmd_scan, &QPushButton::clicked, this, &Frm_java::Cmd_scan_Click);
    connect(ui->Cmd_help, &QPushButton::clicked, this, &Frm_java::Cmd_help_Click);
    connect(ui->Cmd_about, &QPushButton::clicked, this, &Frm_java::Cmd_about_Click);
    connect(ui->Cmd_end, &QPushButton::clicked, this, &Frm_java::Cmd_end_Click);

    Form_Load();
    Form_Initialize();
}

Frm_java::~Frm_java() = default;

void Frm_java::applyDesignColors() {
    // The window and its frames take the theme's colour (ApplyFormTheme).
    setForeColor(ui->Lab_table, kRed);
    setForeColor(ui->Lab_file, kRed);
    setForeColor(ui->Txt_table, kBlue);
    setForeColor(ui->Txt_file, kBlue);
    setBackColor(ui->Txt_file, kGrey);
    setForeColor(ui->Txt_backname, kBlue);
}

QList<QWidget *> Frm_java::themedControls() const {
    return {ui->Fra_edit, ui->Fra_set};
}

void Frm_java::Form_Load() {
    // The open dialog's filter and cancel reporting live in chooseOpenFile.
    IsSaved = true;
    PathInvalid = false;
    MainModule::CompileType = 0;
    MainModule::AppletHeight = kDefaultAppletHeight;
    MainModule::AppletWidth = kDefaultAppletWidth;
    ResizeByScreen(*this);
    placeOnPrimaryScreen(*this, QSize(twipsToPixels(kFrameWidth), twipsToPixels(kFrameHeight)));
}

void Frm_java::Form_Initialize() {
    // The program paints its windows with its own colours; there is no skin to load.
    MainModule::LoadSettings();
    MainModule::ApplyFormTheme(*this);
    setTextIfChanged(ui->Txt_table, MainModule::JavaPath);
    ui->Cmd_set->setEnabled(false);
}

void Frm_java::Txt_table_Change() {
    PathInvalid = !ui->Txt_table->text().contains(QLatin1Char(':'));
    ui->Cmd_set->setEnabled(true);
}

void Frm_java::Cmd_set_Click() {
    MainModule::JavaPath = ui->Txt_table->text();
    MainModule::SaveSettings(MainModule::JavaPath, MainModule::ClassExist);
    ui->Cmd_set->setEnabled(false);
}

QString Frm_java::widgetText() const {
    // The document's own characters: its plain-text form would turn no-break spaces into
    // spaces and line separators into line breaks. Its paragraph separators are line ends.
    QString text = ui->Txt_edit->document()->toRawText();
    text.replace(QChar(0x2029), QChar(10));
    return text;
}

QString Frm_java::editorText() const {
    return toCrLfText(widgetText());
}

void Frm_java::setEditorText(const QString &text) {
    ui->Txt_edit->setPlainText(toWidgetText(text));
}

namespace {
// The name a compact source file is built under: that of the file it was opened from, when it
// can name a class; else Main (javac names the class after the file).
QString compactSourceName(const QString &openedFile) {
    QString name = openedFile.mid(openedFile.lastIndexOf(QLatin1Char('\\')) + 1);
    if (name.endsWith(QStringLiteral(".java"), Qt::CaseInsensitive))
        name.chop(5);
    return isValidClassName(name) && javalexis::isIdentifier(name) ? name : QStringLiteral("Main");
}
} // namespace

void Frm_java::Txt_edit_Change() {
    IsSaved = false;
    // A key costs the same in any text: a large one (a pasted log, a generated file) is scanned
    // once typing pauses. The document's size is known without copying its text.
    if (ui->Txt_edit->document()->characterCount() > kScanAtOnceCharacters) {
        m_scanAfterPause->start();
        return;
    }
    scanEditorText();
}

void Frm_java::scanIfPending() {
    if (m_scanAfterPause->isActive()) {
        m_scanAfterPause->stop();
        scanEditorText();
    }
}

void Frm_java::scanEditorText() {
    // Line ends are invisible to the scan (it removes them from names and only compares
    // positions), so the widget's own text, with LF line ends, gives the same result as the
    // CR LF form and saves a copy of the whole text on every keystroke.
    const QString text = widgetText();
    ClassScanResult scan = scanClasses(text);
    ClassCount = scan.classCount;
    ClassNames = scan.classNames;
    m_classNameSource = std::move(scan.nameSource); // the characters of long names
    // A program without a class declaration (JDK 25) takes its name from its file.
    setTextIfChanged(ui->Txt_file,
                     isCompactSource(text) ? compactSourceName(OpenedFilePath) : scan.fileName);
}

void Frm_java::Cmd_scan_Click() {
    const auto chosen = chooseFolder(this, QStringLiteral("把输出的文件存放到这个文件夹："));
    if (!chosen || chosen->isEmpty())
        return; // cancelled, or an item without a file-system path
    setTextIfChanged(ui->Txt_table, platform::toWindowsPath(*chosen));
}

void Frm_java::Cmd_help_Click() {
    Frm_help dialog(this);
    dialog.exec();
}

void Frm_java::Cmd_about_Click() {
    Frm_about dialog(this);
    dialog.exec();
}

void Frm_java::ResizeByScreen(QWidget &frm) {
    Offsets offsets;
    if (screen())
        offsets = screenOffsets(pixelsToTwips(screen()->geometry().height()));
    offsets = limitOffsets(offsets);
    if (!frm.isMinimized())
        frm.resize(twipsToPixels(outerWidth(offsets) - kFrameWidth),
                   twipsToPixels(outerHeight(offsets) - kFrameHeight));
    placeControls(offsets);
}

void Frm_java::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    const Offsets offsets = limitOffsets(windowOffsets(pixelsToTwips(width()) + kFrameWidth,
                                                       pixelsToTwips(height()) + kFrameHeight));
    if (!isMinimized()) {
        const QSize limited(twipsToPixels(outerWidth(offsets) - kFrameWidth),
                            twipsToPixels(outerHeight(offsets) - kFrameHeight));
        if (limited != size())
            resize(limited);
    }
    placeControls(offsets);
}

void Frm_java::placeControls(const Offsets &offsets) {
    for (const ControlPlacement &placement : controlPlacements(offsets)) {
        QWidget *control = placedControl(placement.control);
        const TwipsRect &r = placement.rect;
        const int left = twipsToPixels(r.left);
        const int top = twipsToPixels(r.top);
        control->setGeometry(left, top, twipsToPixels(r.left + r.width) - left,
                             twipsToPixels(r.top + r.height) - top);
    }
}

QWidget *Frm_java::placedControl(MainControl control) const {
    // Every control the layout places has its case: a control missing from the design, or
    // one the layout places but the window does not know, fails to compile.
    switch (control) {
    case MainControl::Cmd_save:
        return ui->Cmd_save;
    case MainControl::Cmd_byyx:
        return ui->Cmd_byyx;
    case MainControl::Cmd_about:
        return ui->Cmd_about;
    case MainControl::Pic_sky:
        return ui->Pic_sky;
    case MainControl::Fra_edit:
        return ui->Fra_edit;
    case MainControl::Txt_edit:
        return ui->Txt_edit;
    case MainControl::Fra_set:
        return ui->Fra_set;
    case MainControl::Lab_table:
        return ui->Lab_table;
    case MainControl::Txt_table:
        return ui->Txt_table;
    case MainControl::Cmd_scan:
        return ui->Cmd_scan;
    case MainControl::Lab_file:
        return ui->Lab_file;
    case MainControl::Txt_file:
        return ui->Txt_file;
    case MainControl::Txt_backname:
        return ui->Txt_backname;
    case MainControl::Cmd_open:
        return ui->Cmd_open;
    case MainControl::Cmd_set:
        return ui->Cmd_set;
    case MainControl::Cmd_help:
        return ui->Cmd_help;
    case MainControl::Cmd_end:
        return ui->Cmd_end;
    }
    return nullptr;
}
