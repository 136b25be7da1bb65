#include "dialogs/Frm_help.h"

#include "buildrun/BuildFiles.h"
#include "editor/TextHelpers.h"
#include "settings/SizeFilter.h"
#include "ui/AccessibleControls.h"
#include "ui/FixedDialog.h"
#include "ui/MainModule.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui/SingleLineField.h"
#include "ui_Frm_help.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace {
const QString kStandardProgram = QStringLiteral("Java 标准程序");
const QString kApplet = QStringLiteral("Applet 应用程序");
} // namespace

const QString Frm_help::kAppliedNote = QStringLiteral("设置已应用。");

const QString Frm_help::kHelpText = QStringLiteral(
    "目录：为保存Java源文件(.java)的目录，如D:\\MyJava，用户可自行设置。\r\n\r\n"
    "文件：即(.java)源文件名，系统将根据代码中的主类(Class)名自动设置保存的文件名。\r\n\r\n"
    "编译+运行：编译当前编辑区的代码并运行，如需保存Java文件，必须点[保存]按钮。\r\n\r\n"
    "打开：打开一个已存在的Java文件，系统自动载入代码到编辑区。\r\n");

Frm_help::Frm_help(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::Frm_help>()) {
    installAccessibleRoles();
    ensureResources();
    ui->setupUi(this);
    finishFixedDialog(*this);
    showHelpText();
    // Read when the dialog opens: the text itself takes no focus.
    setAccessibleDescription(ui->Txt_help->toPlainText());
    becomeTheLoadedOne(this);

    connect(ui->Chk_class, &QCheckBox::clicked, this, &Frm_help::Chk_class_Click);
    connect(ui->Com_option, &QComboBox::activated, this, &Frm_help::Com_option_Click);
    keepChosenItemSelected(ui->Com_option);
    keepSingleLine(*ui->Txt_apheight);
    keepSingleLine(*ui->Txt_apwidth);
    connect(ui->Txt_apheight, &QLineEdit::textChanged, this,
            [this] { sizeBoxChange(ui->Txt_apheight); });
    connect(ui->Txt_apwidth, &QLineEdit::textChanged, this,
            [this] { sizeBoxChange(ui->Txt_apwidth); });
    connect(ui->Cmd_apply, &QPushButton::clicked, this, &Frm_help::Cmd_apply_Click);

    Form_Load();
    ui->Chk_class->setFocus();
}

Frm_help::~Frm_help() = default;

QList<QWidget *> Frm_help::themedControls() const {
    return {ui->Fra_help, ui->Txt_help, ui->Chk_class};
}

QList<QWidget *> Frm_help::themedLines() const {
    return {ui->Line1, ui->Line2, ui->Line3};
}

void Frm_help::showHelpText() {
    ui->Txt_help->setPlainText(toWidgetText(kHelpText));
    // The four paragraphs fill the box in the designed font (lines 12 pixels apart); the
    // stand-in fonts keep nearly that spacing, so that the last paragraph's descenders stay
    // inside the box on every screen scale.
    ui->Txt_help->document()->setDocumentMargin(2);
    QFont font = ui->Txt_help->font();
    font.setPixelSize(12);
    ui->Txt_help->setFont(font);
    QTextCursor cursor(ui->Txt_help->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(12.5, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
}

void Frm_help::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore(); // the dialog is closed only with its close box
        return;
    }
    // The dialog has no default button: Return presses a button only when it has the focus
    // (the button takes the key itself), and does nothing anywhere else.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Frm_help::Form_Load() {
    placeOnPrimaryScreen(*this, kDialogFrame); // centred by its outer size
    ui->Chk_class->setChecked(MainModule::ClassExist != 0);
    if (MainModule::CompileType == 0)
        ui->Com_option->setCurrentIndex(ui->Com_option->findText(kStandardProgram));
    else if (MainModule::CompileType == 1)
        ui->Com_option->setCurrentIndex(ui->Com_option->findText(kApplet));
    enableSizeBoxesForList();
    ui->Cmd_apply->setEnabled(false);
    MainModule::ApplyFormTheme(*this);
}

void Frm_help::enableSizeBoxesForList() {
    const QString text = ui->Com_option->currentText();
    if (text == kStandardProgram) {
        ui->Txt_apheight->setEnabled(false);
        ui->Txt_apwidth->setEnabled(false);
    } else if (text == kApplet) {
        ui->Txt_apheight->setEnabled(true);
        ui->Txt_apwidth->setEnabled(true);
    }
}

void Frm_help::settingsChanged() {
    if (m_toldApplied)
        m_toldApplied->setAccessibleDescription(m_descriptionBefore);
    m_toldApplied = nullptr;
    ui->Cmd_apply->setEnabled(true);
}

// 应用 disables itself and the focus moves on in silence: the control that has the focus then
// says, to a screen reader, that the settings were applied.
void Frm_help::tellApplied() {
    QWidget *told = QApplication::focusWidget();
    if (ui->Cmd_apply->hasFocus()) {
        told = ui->Cmd_apply->nextInFocusChain();
        while (told != ui->Cmd_apply &&
               !(told->isEnabled() && told->isVisible() && (told->focusPolicy() & Qt::TabFocus)))
            told = told->nextInFocusChain();
    }
    if (told && told != ui->Cmd_apply && isAncestorOf(told)) {
        m_toldApplied = told;
        m_descriptionBefore = told->accessibleDescription();
        told->setAccessibleDescription(kAppliedNote);
        told->setFocus(Qt::TabFocusReason);
    }
    ui->Cmd_apply->setEnabled(false);
}

void Frm_help::Chk_class_Click() {
    settingsChanged();
}

void Frm_help::Com_option_Click() {
    enableSizeBoxesForList();
    settingsChanged();
}

void Frm_help::sizeBoxChange(QLineEdit *box) {
    if (!isAcceptableSizeText(box->text()) && !box->text().isEmpty())
        box->setText(QString());
    settingsChanged();
}

static qint16 applySizeBox(QLineEdit *box, qint16 defaultSize) {
    if (box->text().isEmpty())
        box->setText(QString::number(defaultSize));
    return appliedSize(box->text(), defaultSize);
}

void Frm_help::Cmd_apply_Click() {
    MainModule::ClassExist = ui->Chk_class->isChecked() ? 1 : 0;
    MainModule::SaveSettings(MainModule::JavaPath, MainModule::ClassExist);
    const QString type = ui->Com_option->currentText();
    if (type == kStandardProgram)
        MainModule::CompileType = 0;
    else if (type == kApplet)
        MainModule::CompileType = 1;
    MainModule::AppletHeight = applySizeBox(ui->Txt_apheight, kDefaultAppletHeight);
    MainModule::AppletWidth = applySizeBox(ui->Txt_apwidth, kDefaultAppletWidth);
    tellApplied();
}
