// Saving the source into the folder of the folder field, and opening source files.
#include "app/Frm_java.h"

#include "buildrun/BuildFiles.h"
#include "buildrun/SaveText.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"
#include "ui_Frm_java.h"

#include <QMessageBox>
#include <QTimer>

namespace {
// Larger files are no single-file Java programs; the editor would crawl under them.
constexpr qint64 kMaxOpenBytes = 16 * 1024 * 1024;
} // namespace

void Frm_java::Savefile() {
    bool saved = false;
    const QString name = ui->Txt_file->text();
    QString failure = QStringLiteral("文件目录设置错误！请重新设置...");
    if (!PathInvalid && !isValidClassName(name)) {
        failure = badClassNameText(name); // nothing is written under a name no system takes
    } else if (!PathInvalid) {
        const QString folder = ui->Txt_table->text();
        QString text = editorText();
        if (const auto cut = textUpToLastBrace(text)) {
            text = *cut;
            setEditorText(text);
        }
        CreateNewDirectory(folder);
        saved = writeSourceFile(platform::toHostPath(savedSourcePath(folder, name)), text);
    }
    if (saved) {
        IsSaved = true;
        PathInvalid = false;
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("出错"), failure, QMessageBox::Ok, this);
    box.exec();
    IsSaved = false;
    PathInvalid = true;
}

void Frm_java::Cmd_save_Click() {
    ui->Cmd_save->setText(QStringLiteral("保存中.."));
    Savefile();
    Tim_color->start();
}

void Frm_java::Tim_color_Timer() {
    ui->Cmd_save->setText(QStringLiteral("保存"));
    Tim_color->stop();
}

void Frm_java::Cmd_open_Click() {
    const auto chosen = chooseOpenFile(this);
    if (!chosen)
        return;
    OpenedFilePath = platform::toWindowsPath(*chosen);
    const auto text = platform::readWholeText(*chosen, kMaxOpenBytes);
    if (!text)
        return;
    setEditorText(*text);
    IsSaved = true;
}
