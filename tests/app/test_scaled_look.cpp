// The three windows on scaled screens (125 % to 200 %): every text whole inside its control,
// the pictures drawn from pictures made for the scale. One program runs the windows at each
// scale in turn, each with an application of its own.
#include "TestSupport.h"
#include "ThreeWindows.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "ui/LightLook.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QTextEdit>
#include <QtTest>

namespace {
// The lowest row of a text box's viewport, in the screen's pixels, that holds text: dark ink on
// the box's light background. -1 when none does.
int lowestInkRow(QTextEdit *box) {
    const QImage drawn = box->viewport()->grab().toImage();
    for (int y = drawn.height() - 1; y >= 0; --y)
        for (int x = 0; x < drawn.width(); ++x)
            if (qGray(drawn.pixel(x, y)) < 96)
                return y;
    return -1;
}

// What of a control's text does not fit in it ("" when all does): its advance across, its ink
// down.
QString cutText(QWidget *control) {
    const QFontMetrics metrics = control->fontMetrics();
    QString text;
    int across = control->width();
    int down = control->height();
    if (auto *label = qobject_cast<QLabel *>(control); label && label->pixmap().isNull()) {
        text = label->text();
        across = label->contentsRect().width();
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        text = box->text();
        across -= box->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                  box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        text = button->text();
    } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
        text = frame->title();
        down = INT_MAX;
    } else if (auto *field = qobject_cast<QLineEdit *>(control); field && field->isReadOnly()) {
        text = field->text();
    } else if (auto *box = qobject_cast<QTextEdit *>(control)) {
        // The last line's ink stays above the box's bottom edge.
        const int ink = lowestInkRow(box);
        const int bottom = qFloor(box->viewport()->height() * box->devicePixelRatioF()) - 1;
        return ink >= bottom ? QString("%1's last line reaches row %2 of %3")
                                   .arg(box->objectName())
                                   .arg(ink)
                                   .arg(bottom + 1)
                             : QString();
    }
    if (text.isEmpty())
        return QString();
    const int wide = metrics.horizontalAdvance(text);
    const int tall = metrics.tightBoundingRect(text).height();
    if (wide <= across && tall <= down)
        return QString();
    return QString("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(control->objectName(), text)
        .arg(wide)
        .arg(tall)
        .arg(across)
        .arg(down);
}
} // namespace

class TestScaledLook : public QObject {
    Q_OBJECT

private slots:
    void textsWholeAndPicturesSharp_data() { addWindowRows(); }
    void textsWholeAndPicturesSharp() {
        QFETCH(QString, window);
        // Texts are measured in the fonts that draw them; a platform without a Chinese font (Qt's
        // offscreen platform under Wine has none) draws boxes of no meaning.
        if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
            QSKIP("no Chinese font to measure the texts in");
        FreshStart start;
        useLightLook(*qApp);
        const std::unique_ptr<QWidget> shown = windowNamed(window);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        const qreal scale = shown->devicePixelRatioF();
        QCOMPARE(scale, qgetenv("QT_SCALE_FACTOR").toDouble());
        QStringList cut;
        for (QWidget *control : shown->findChildren<QWidget *>()) {
            if (!control->isVisible() || control->objectName().startsWith("qt_"))
                continue;
            cut << cutText(control);
            // A control in a frame stays clear of the frame's border lines (a rule line across
            // the frame meets them by design).
            const auto *rule = qobject_cast<QFrame *>(control);
            const bool isRule = rule && (rule->frameShape() == QFrame::HLine ||
                                         rule->frameShape() == QFrame::VLine);
            if (auto *frame = qobject_cast<QGroupBox *>(control->parentWidget());
                frame && !isRule &&
                !frame->rect().adjusted(1, 1, -1, -1).contains(control->geometry()))
                cut << QString("%1 touches its frame's border").arg(control->objectName());
            if (auto *label = qobject_cast<QLabel *>(control); label && !label->pixmap().isNull())
                if (label->pixmap().devicePixelRatio() < std::min(scale, 3.0))
                    cut << QString("%1's picture is drawn for %2")
                               .arg(control->objectName())
                               .arg(label->pixmap().devicePixelRatio());
        }
        cut.removeAll(QString());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
    }
};

int main(int argc, char **argv) {
    int failed = 0;
    for (const char *scale : {"1", "1.25", "1.5", "1.75", "2"}) {
        qputenv("QT_SCALE_FACTOR", scale);
        QApplication app(argc, argv);
        TestScaledLook test;
        failed += QTest::qExec(&test, argc, argv);
    }
    return failed;
}

#include "test_scaled_look.moc"
