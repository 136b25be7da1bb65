#pragma once

#include "ui/OnceOnlyWindow.h"
#include "ui/ThemedWindow.h"

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

namespace Ui {
class Frm_about;
}
class QLabel;

// The about box: name and version, author information and three links that underline while
// the pointer is over them and open with the system's handler when clicked.
class Frm_about : public QDialog, public OnceOnlyWindow<Frm_about>, public ThemedWindow {
    Q_OBJECT

public:
    explicit Frm_about(QWidget *parent = nullptr);
    ~Frm_about() override;

    QList<QWidget *> themedControls() const override;

    // Hands a link to the system (the browser or mail program). Tests replace it.
    static std::function<void(const QUrl &)> openLink;
    // The target of each link label, by its name; an empty URL for any other name.
    static QUrl linkTarget(const QString &labelName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void linkMouseMove(QLabel *link);
    void linkMouseDown(QLabel *link);
    void linkClick(QLabel *link);
    void backgroundMouseMove();
    // The designed sizes suit the designed Windows fonts; other fonts get the room they need.
    void widenTextsThatWouldBeCut();
    void keepTheNameAboveTheFrameLine();

    std::unique_ptr<Ui::Frm_about> ui;
    QList<QLabel *> m_links;
    bool m_releaseEndsDoubleClick = false;
};
