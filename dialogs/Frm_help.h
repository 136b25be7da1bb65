#pragma once

#include "ui/OnceOnlyWindow.h"
#include "ui/ThemedWindow.h"

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Frm_help;
}
class QLineEdit;

// The options dialog: the help text, the compile type, the applet size and class-file keeping.
// Nothing takes effect before "应用" is clicked; the dialog stays open after applying.
class Frm_help : public QDialog, public OnceOnlyWindow<Frm_help>, public ThemedWindow {
    Q_OBJECT

public:
    explicit Frm_help(QWidget *parent = nullptr);
    ~Frm_help() override;

    static const QString kHelpText;
    // What the focused control tells a screen reader after 应用, until the next change.
    static const QString kAppliedNote;

    QList<QWidget *> themedControls() const override;
    QList<QWidget *> themedLines() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Chk_class_Click();
    void Com_option_Click();
    void sizeBoxChange(QLineEdit *box);
    void Cmd_apply_Click();
    void enableSizeBoxesForList();
    void showHelpText();
    void settingsChanged();
    void tellApplied();

    std::unique_ptr<Ui::Frm_help> ui;
    // The control that tells a screen reader the settings were applied, and its own description.
    QPointer<QWidget> m_toldApplied;
    QString m_descriptionBefore;
};
