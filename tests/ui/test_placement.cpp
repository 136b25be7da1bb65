// Where the windows go on the screen: the place for an outer size, and the second placement
// once the window manager has framed a window, taken from the window system's events.
#include "TestWindows.h"
#include "platform/System.h"
#include "ui/FrameChanges.h"
#include "ui/Placement.h"

#include <QAbstractEventDispatcher>
#include <QScreen>
#include <QWidget>
#include <QtTest>
#include <cstring>

namespace {
// An X11 event as the xcb library hands it over: 32 bytes, the type first, the window at 4.
QByteArray xcbEvent(quint8 type, quint32 window) {
    QByteArray event(32, '\0');
    event[0] = char(type);
    std::memcpy(event.data() + 4, &window, sizeof window);
    return event;
}
constexpr quint8 kPropertyNotify = 28, kConfigureNotify = 22, kSentByAClient = 0x80;

QPoint placeFor(const QWidget &w, const QSize &frame) {
    return screenPlacement(QGuiApplication::primaryScreen()->geometry(), w.size() + frame);
}
} // namespace

class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    // Centred, a third of the free height above, to the nearest pixel; on any screen's place.
    void placeForAnOuterSize_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("even") << QRect(0, 0, 1280, 900) << QSize(500, 600) << QPoint(390, 100);
        QTest::newRow("two thirds of a pixel up")
            << QRect(0, 0, 1280, 900) << QSize(502, 601) << QPoint(389, 100);
        QTest::newRow("a third of a pixel down")
            << QRect(0, 0, 1280, 900) << QSize(502, 602) << QPoint(389, 99);
        QTest::newRow("a screen to the right")
            << QRect(1280, 0, 1920, 1080) << QSize(600, 480) << QPoint(1940, 200);
        QTest::newRow("a screen left and above")
            << QRect(-1920, -200, 1920, 1080) << QSize(600, 480) << QPoint(-1260, 0);
        QTest::newRow("larger than the screen")
            << QRect(0, 0, 1280, 900) << QSize(1400, 1000) << QPoint(-60, -33);
    }
    void placeForAnOuterSize() {
        QFETCH(QRect, screen);
        QFETCH(QSize, outer);
        QFETCH(QPoint, place);
        QCOMPARE(screenPlacement(screen, outer), place);
    }

    // A window in the frame the window system gave it: every side counts, as given.
    void placeInAFrame_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("a caption and thin sides")
            << QSize(496, 672) << QMargins(1, 20, 1, 1) << QPoint(391, 69);
        QTest::newRow("every side its own")
            << QSize(500, 600) << QMargins(4, 30, 6, 2) << QPoint(385, 89);
        QTest::newRow("a caption alone")
            << QSize(500, 600) << QMargins(0, 24, 0, 0) << QPoint(390, 92);
    }
    void placeInAFrame() {
        QFETCH(QSize, client);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, place);
        QCOMPARE(framedPlacement(QRect(0, 0, 1280, 900), client, frame), place);
    }

    // Only a property change of the window itself can bring its frame.
    void eventsThatMayBringAFrame_data() {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("event");
        QTest::addColumn<bool>("mayBring");
        const QByteArray xcb = "xcb_generic_event_t";
        const bool x11 = !platform::kOnWindows;
        QTest::newRow("a property of the window") << xcb << xcbEvent(kPropertyNotify, 42) << x11;
        QTest::newRow("sent by the window manager")
            << xcb << xcbEvent(kPropertyNotify | kSentByAClient, 42) << x11;
        QTest::newRow("a property of another window")
            << xcb << xcbEvent(kPropertyNotify, 43) << false;
        QTest::newRow("the window moved") << xcb << xcbEvent(kConfigureNotify, 42) << false;
        QTest::newRow("not X11") << QByteArray("windows_generic_MSG")
                                 << xcbEvent(kPropertyNotify, 42) << false;
        QTest::newRow("no event") << xcb << QByteArray() << false;
    }
    void eventsThatMayBringAFrame() {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, event);
        QFETCH(bool, mayBring);
        QCOMPARE(mayChangeFrameOf(type, event.isNull() ? nullptr : event.constData(), 42),
                 mayBring);
    }

    // Placed by the assumed frame at once, by the real one when shown; then left where the
    // user puts it.
    void placedAgainOnceFramed() {
        QWidget w;
        w.resize(300, 200);
        placeOnPrimaryScreen(w, QSize(10, 40));
        QCOMPARE(w.pos(), placeFor(w, QSize(10, 40)));
        w.show();
        QCoreApplication::processEvents();
        QVERIFY(!frameOf(w).isNull());
        QCOMPARE(w.frameGeometry().topLeft(), placeFor(w, frameOf(w)));
        w.move(10, 20);
        w.resize(320, 220);
        QCoreApplication::processEvents();
        QCOMPARE(w.pos(), QPoint(10, 20));
    }

    // A frame that the window system announces: the window is placed by it, shown or not;
    // an event of another window changes nothing.
    void placedWhenTheWindowSystemAnnouncesTheFrame() {
        if (platform::kOnWindows)
            QSKIP("Windows knows a window's frame before it is shown");
        QWidget w;
        w.resize(300, 200);
        placeOnPrimaryScreen(w, QSize());
        const auto window = quint32(w.winId());
        QVERIFY(!frameOf(w).isNull());
        const QPoint assumed = w.pos();
        QByteArray other = xcbEvent(kPropertyNotify, window + 1);
        qintptr result = 0;
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", other.data(),
                                                                &result);
        QCoreApplication::processEvents();
        QCOMPARE(w.pos(), assumed);
        QByteArray own = xcbEvent(kPropertyNotify, window);
        QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", own.data(),
                                                                &result);
        QCoreApplication::processEvents();
        QCOMPARE(w.frameGeometry().topLeft(), placeFor(w, frameOf(w)));
    }
};

QTEST_MAIN(TestPlacement)
#include "test_placement.moc"
