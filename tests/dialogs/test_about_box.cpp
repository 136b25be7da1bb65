#include "TestSupport.h"
#include "ui/Colors.h"
#include "dialogs/Frm_about.h"

#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QtTest>

namespace {
struct AboutBox {
    Frm_about about;
    QLabel *homepage = control<QLabel>(&about, "Txt_homepage");
    QLabel *update = control<QLabel>(&about, "Txt_update");
    QLabel *email = control<QLabel>(&about, "Txt_email");

    AboutBox() {
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
    }
    // Moves the pointer to a point of a control (its centre by default).
    void moveOver(QWidget *w, QPoint at = QPoint(-1, -1)) {
        const QPoint local = at == QPoint(-1, -1) ? w->rect().center() : at;
        QTest::mouseMove(&about, w->mapTo(&about, local));
        QCoreApplication::processEvents();
    }
    void moveToBackground() {
        QTest::mouseMove(&about, QPoint(about.width() / 2, about.height() - 3));
        QCoreApplication::processEvents();
    }
    QList<bool> underlined() const {
        return {homepage->font().underline(), update->font().underline(),
                email->font().underline()};
    }
};
} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void designedTextsAndColours() {
        AboutBox box;
        QCOMPARE(box.about.windowTitle(), QString("关于"));
        QCOMPARE(control<QLabel>(&box.about, "Lab_softname")->text(),
                 QString("TarnelJava编译器 v1.07"));
        QCOMPARE(control<QLabel>(&box.about, "Lab_date")->text(), QString("2011.04.17"));
        QCOMPARE(control<QLabel>(&box.about, "Lab_any")->text(), QString("相关链接:"));
        QCOMPARE(box.homepage->text(), QString("个人主页"));
        QCOMPARE(box.update->text(), QString("检查更新"));
        QCOMPARE(control<QPushButton>(&box.about, "Cmd_close")->text(), QString("确定"));
        const QColor yellow(255, 255, 192);
        QCOMPARE(backColor(&box.about), yellow);
        for (const char *name : {"Fra_inform", "Txt_myname", "Txt_group", "Txt_qq"})
            QCOMPARE(backColor(control<QWidget>(&box.about, name)), yellow);
        QCOMPARE(foreColor(box.homepage), QColor(0, 0, 255));
        QCOMPARE(box.underlined(), QList<bool>({false, false, false}));
        QCOMPARE(Frm_about::linkTarget("Txt_email"), QUrl("mailto:" + box.email->text()));
        // Only the button takes the focus.
        for (const char *name : {"Txt_myname", "Txt_group", "Txt_qq"})
            QCOMPARE(control<QWidget>(&box.about, name)->focusPolicy(), Qt::NoFocus);
    }

    void notThemed() {
        FreshStart start;
        Frm_java w; // the theme of the other windows is applied
        AboutBox box;
        QCOMPARE(backColor(&box.about), QColor(255, 255, 192));
    }

    void placedCentredWithAThirdAbove() {
        AboutBox box;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(box.about.x() - (screen.width() - box.about.width()) / 2) <= 1);
        QVERIFY(qAbs(box.about.y() - (screen.height() - box.about.height()) / 3) <= 1);
    }

    void hoverUnderline() {
        AboutBox box;
        box.moveOver(box.homepage);
        QCOMPARE(box.underlined(), QList<bool>({true, false, false}));
        QCOMPARE(box.homepage->cursor().shape(), Qt::PointingHandCursor);
        // Straight onto the neighbouring label: the underline stays.
        box.moveOver(control<QWidget>(&box.about, "Lab_any"));
        QCOMPARE(box.underlined(), QList<bool>({true, false, false}));
        // A second link is underlined as well.
        box.moveOver(box.update);
        QCOMPARE(box.underlined(), QList<bool>({true, true, false}));
        box.moveToBackground();
        QCOMPARE(box.underlined(), QList<bool>({false, false, false}));
    }

    void frameBackgroundClearsAllThree() {
        AboutBox box;
        box.moveOver(box.email);
        box.moveOver(box.update);
        QCOMPARE(box.underlined(), QList<bool>({false, true, true}));
        auto *frame = control<QWidget>(&box.about, "Fra_inform");
        box.moveOver(control<QWidget>(&box.about, "Txt_qq")); // a field keeps them
        QCOMPARE(box.underlined(), QList<bool>({false, true, true}));
        box.moveOver(frame, QPoint(frame->width() - 4, frame->height() / 3));
        QCOMPARE(box.underlined(), QList<bool>({false, false, false}));
    }

    void clickingLinksKeepsTheBoxOpen() {
        QList<QUrl> opened;
        Frm_about::openLink = [&opened](const QUrl &url) { opened << url; };
        AboutBox box;
        for (QLabel *link : {box.homepage, box.update, box.email})
            QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>({Frm_about::linkTarget("Txt_homepage"),
                                      Frm_about::linkTarget("Txt_update"),
                                      Frm_about::linkTarget("Txt_email")}));
        QVERIFY(opened[0].scheme() == "https" && opened[1].hasQuery());
        QVERIFY(box.about.isVisible());
        control<QPushButton>(&box.about, "Cmd_close")->click();
        QVERIFY(!box.about.isVisible());
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
