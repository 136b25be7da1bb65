// Closing the main window, with the save prompt for unsaved source.
#include "app/Frm_java.h"

#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "ui_Frm_java.h"

#include <QCloseEvent>
#include <QMessageBox>

int Frm_java::askToSave() {
    scanIfPending();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("保存确认"),
                    QStringLiteral("将改动保存到 ") + ui->Txt_table->text() + QLatin1Char('\\') +
                        ui->Txt_file->text() + QStringLiteral(".java？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec();
}

bool Frm_java::offerToSave() {
    if (IsSaved)
        return true;
    switch (askToSave()) {
    case QMessageBox::Yes:
        Savefile();
        return IsSaved; // not when the save failed or was called off

    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool Frm_java::Form_QueryUnload() {
    return !offerToSave();
}

void Frm_java::Form_Unload() {
    Frm_help::closeIfLoaded();
    Frm_about::closeIfLoaded();
}

void Frm_java::closeEvent(QCloseEvent *event) {
    if (Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void Frm_java::Cmd_end_Click() {
    if (!offerToSave())
        return;
    IsSaved = true;
    close(); // Form_Unload closes the other windows
}
