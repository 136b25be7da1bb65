// Saving the source into the folder of the folder field, and opening source files.
#include "app/Frm_java.h"

#include "buildrun/BuildFiles.h"
#include "buildrun/SaveText.h"
#include "platform/PathMapping.h"
#include "platform/TextFiles.h"
#include "platform/TextGuess.h"
#include "ui_Frm_java.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {
// Larger files are no single-file Java programs; the editor would crawl under them.
constexpr qint64 kMaxOpenBytes = 16 * 1024 * 1024;
} // namespace

void Frm_java::Savefile() {
    scanIfPending();
    platform::Saved saved;
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
        // Files are written in the system code page: a character it has no place for would
        // be lost without a word.
        if (!platform::fitsSystemCodePage(text) && !confirmLosingCharacters(false)) {
            IsSaved = false;
            return;
        }
        CreateNewDirectory(folder);
        saved = writeSourceFile(platform::toHostPath(savedSourcePath(folder, name)), text);
    }
    if (saved.saved) {
        IsSaved = true;
        PathInvalid = false;
        return;
    }
    // Why, after the message: a full disk, a read-only file, a folder that takes no file.
    if (!saved.reason.isEmpty())
        failure += QStringLiteral("\n\n原因：") + saved.reason;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("出错"), failure, QMessageBox::Ok, this);
    box.exec();
    IsSaved = false;
    PathInvalid = true;
}

bool Frm_java::confirmLosingCharacters(bool building) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("编码"),
                    building ? QStringLiteral("代码中有系统编码（代码页）无法保存的字符，编译时它们"
                                              "会变成“?”。\n\n仍要编译运行吗？")
                             : QStringLiteral("代码中有系统编码（代码页）无法保存的字符，保存后它们"
                                              "会变成“?”。\n\n仍要保存吗？"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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
    // Where the learner's files are: the folder of 目录, when it exists.
    const auto chosen = chooseOpenFile(this, platform::existingHostFolder(ui->Txt_table->text()));
    if (!chosen)
        return;
    OpenedFilePath = platform::toWindowsPath(*chosen);
    const auto bytes = platform::readWholeFile(*chosen, kMaxOpenBytes);
    if (!bytes)
        return;
    const platform::TextGuess guess = platform::guessText(*bytes);
    std::optional<QString> text = guess.text;
    if (guess.inDoubt)
        text = askHowToRead(*bytes, guess.firstBadLine);
    if (!text)
        return;
    setEditorText(*text);
    IsSaved = true;
}

std::optional<QString> Frm_java::askHowToRead(const QByteArray &bytes, int badLine) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("编码"),
                    QStringLiteral("这个文件大部分是 UTF-8 文本，但第 %1 行有不是 UTF-8 的字节，"
                                   "文件可能已经损坏。\n\n"
                                   "按 UTF-8 打开：读不出的字节显示为 �，保存时不会保留它们。\n"
                                   "按 GBK 打开：整个文件按中文 Windows 的编码读，"
                                   "UTF-8 的中文会显示为乱码。")
                        .arg(badLine),
                    QMessageBox::Cancel, this);
    QPushButton *utf8 = box.addButton(QStringLiteral("按 UTF-8 打开"), QMessageBox::AcceptRole);
    QPushButton *gbk = box.addButton(QStringLiteral("按 GBK 打开"), QMessageBox::AcceptRole);
    box.setDefaultButton(utf8);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == utf8)
        return platform::readAsUtf8(bytes);
    if (box.clickedButton() == gbk)
        return platform::readAsGb18030(bytes);
    return std::nullopt;
}
