#include "TestSupport.h"
#include "dialogs/Frm_about.h"
#include "ui/Colors.h"
#include "ui/Placement.h"

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
        QCOMPARE(shownWindowColor(&box.about), yellow);
        for (const char *name : {"Fra_inform", "Txt_myname", "Txt_group", "Txt_qq", "Lab_any"})
            QCOMPARE(shownColor(control<QWidget>(&box.about, name)), yellow);
        QCOMPARE(foreColor(box.homepage), QColor(0, 0, 255));
        QCOMPARE(box.underlined(), QList<bool>({false, false, false}));
        QCOMPARE(Frm_about::linkTarget("Txt_email"), QUrl("mailto:" + box.email->text()));
        // Only the button takes the focus.
        for (const char *name : {"Txt_myname", "Txt_group", "Txt_qq"})
            QCOMPARE(control<QWidget>(&box.about, name)->focusPolicy(), Qt::NoFocus);
    }

    // The program's name is drawn whole: the frame's top line lies below its descenders.
    void nameAboveTheFrameLine() {
        AboutBox box;
        auto *name = control<QLabel>(&box.about, "Lab_softname");
        auto *frame = box.about.findChild<QWidget *>("Fra_inform");
        QVERIFY(frame);
        const QImage drawn = name->grab().toImage();
        int lowestInk = -1; // the lowest row of the label that holds text
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (qGray(drawn.pixel(x, y)) < 160)
                    lowestInk = y;
        QVERIFY(lowestInk >= 0);
        QVERIFY2(name->y() + lowestInk < frame->y(),
                 qPrintable(
                     QString("ink to %1, line at %2").arg(name->y() + lowestInk).arg(frame->y())));
    }

    // Every text of the box shows whole, with room to spare, inside its container.
    void textsHaveRoom() {
        AboutBox box;
        const auto hasRoom = [](const QWidget *widget, const QString &text) {
            const QString name = widget->objectName();
            QVERIFY2(widget->width() >= widget->fontMetrics().horizontalAdvance(text) + 4,
                     qPrintable(name));
            QVERIFY2(widget->geometry().right() < widget->parentWidget()->width() - 2 ||
                         widget->x() == 0,
                     qPrintable(name));
            QVERIFY2(widget->height() >= widget->fontMetrics().height(), qPrintable(name));
        };
        for (const QLabel *label : box.about.findChildren<QLabel *>())
            if (label->pixmap().isNull())
                hasRoom(label, label->text());
        for (const QLineEdit *field : box.about.findChildren<QLineEdit *>())
            hasRoom(field, field->text());
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
        QCoreApplication::processEvents(); // the look at the frame once shown
        // Shown: by its outer size with the frame it was given.
        QVERIFY(!frameOf(box.about).isNull());
        const QSize outer = box.about.size() + frameOf(box.about);
        QVERIFY(qAbs(box.about.x() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(box.about.y() - (screen.height() - outer.height()) / 3) <= 1);
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

    // The underline shows on screen: a line of link colour below the whole text appears.
    void hoverUnderlineIsDrawn() {
        AboutBox box;
        for (QLabel *link : {box.homepage, box.update, box.email}) {
            const QImage before = box.about
                                      .grab(link->geometry().translated(
                                          link->parentWidget()->mapTo(&box.about, QPoint())))
                                      .toImage();
            box.moveOver(link);
            const QImage after = box.about
                                     .grab(link->geometry().translated(
                                         link->parentWidget()->mapTo(&box.about, QPoint())))
                                     .toImage();
            box.moveToBackground();
            int longestNewLine = 0;
            for (int y = 0; y < after.height(); ++y) {
                int run = 0;
                for (int x = 0; x < after.width(); ++x) {
                    run = after.pixel(x, y) != before.pixel(x, y) ? run + 1 : 0;
                    longestNewLine = std::max(longestNewLine, run);
                }
            }
            const int textWidth = link->fontMetrics().horizontalAdvance(link->text());
            QVERIFY2(longestNewLine >= textWidth - 2, qPrintable(link->objectName()));
        }
    }

    void keys() {
        QList<QUrl> opened;
        Frm_about::openLink = [&opened](const QUrl &url) { opened << url; };
        AboutBox box;
        QTest::keyClick(&box.about, Qt::Key_Escape); // only 确定 and the close box close it
        QVERIFY(box.about.isVisible());
        // A double-click as the system delivers it: a click, then a press that is reported as
        // a double-click, and its release. The link opens once.
        QTest::mouseClick(box.homepage, Qt::LeftButton);
        QTest::mouseDClick(box.homepage, Qt::LeftButton);
        QTest::mouseRelease(box.homepage, Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QTest::mouseClick(box.homepage, Qt::LeftButton);
        QCOMPARE(opened.size(), 2);
        Frm_about::openLink = [](const QUrl &) {};
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
