#include "layout/ScreenLayout.h"

#include <QtTest>

namespace {
TwipsRect placed(const Offsets &o, const QString &name) {
    for (const ControlPlacement &p : controlPlacements(o))
        if (p.name == name)
            return p.rect;
    return {-1, -1, -1, -1};
}
} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void screenHeights_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("dxBeforeLimit");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("600") << 9000 << -3530 << -2515 << 6270 << 7060;
        QTest::newRow("720") << 10800 << -2118 << -1509 << 6270 << 8472;
        QTest::newRow("768") << 11520 << -1554 << -1108 << 6437 << 9036;
        QTest::newRow("900") << 13500 << 0 << 0 << 7545 << 10590;
        QTest::newRow("1024") << 15360 << 1459 << 1039 << 8584 << 12049;
        QTest::newRow("1080") << 16200 << 2118 << 1509 << 9054 << 12708;
        QTest::newRow("1440") << 21600 << 6354 << 4527 << 10875 << 16944;
        // 32-bit offsets: a very tall screen keeps its proportional height.
        QTest::newRow("8640") << 129600 << 91074 << 64887 << 10875 << 101664;
    }
    void screenHeights() {
        QFETCH(int, screen);
        QFETCH(int, dy);
        QFETCH(int, dxBeforeLimit);
        QFETCH(int, width);
        QFETCH(int, height);
        const Offsets raw = screenOffsets(screen);
        QCOMPARE(raw.dy, dy);
        QCOMPARE(raw.dx, dxBeforeLimit);
        const Offsets limited = limitOffsets(raw);
        QCOMPARE(outerWidth(limited), width);
        QCOMPARE(outerHeight(limited), height);
    }

    // The limits hold at their edges: a twip beyond one is brought back, the edge stays.
    void limitsAtTheirEdges_data() {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("limitedDx");
        QTest::addColumn<int>("limitedDy");
        const int rows[][4] = {
            {kMinDx - 1, 0, kMinDx, 0},     {kMinDx, 0, kMinDx, 0},
            {kMinDx + 1, 0, kMinDx + 1, 0}, {kMaxDx + 1, 0, kMaxDx, 0},
            {kMaxDx, 0, kMaxDx, 0},         {kMaxDx - 1, 0, kMaxDx - 1, 0},
            {0, kMinDy - 1, 0, kMinDy},     {0, kMinDy + 1, 0, kMinDy + 1},
        };
        for (const auto &row : rows)
            QTest::addRow("dx %d, dy %d", row[0], row[1]) << row[0] << row[1] << row[2] << row[3];
    }
    void limitsAtTheirEdges() {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, limitedDx);
        QFETCH(int, limitedDy);
        Offsets raw;
        raw.dx = dx;
        raw.dy = dy;
        const Offsets limited = limitOffsets(raw);
        QCOMPARE(limited.dx, limitedDx);
        QCOMPARE(limited.dy, limitedDy);
    }

    void windowSizes_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::newRow("too small") << 5000 << 3000 << -1275 << -6660;
        QTest::newRow("too wide, tall") << 12000 << 20000 << 3330 << 9410;
        QTest::newRow("within limits") << 9000 << 12000 << 1455 << 1410;
        QTest::newRow("reference") << 7545 << 10590 << 0 << 0;
        QTest::newRow("huge") << 50000 << 50000 << 3330 << 39410;
    }
    void windowSizes() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, dx);
        QFETCH(int, dy);
        const Offsets o = limitOffsets(windowOffsets(width, height));
        QCOMPARE(o.dx, dx);
        QCOMPARE(o.dy, dy);
    }

    void halvesRoundToEven() {
        QCOMPARE(windowOffsets(7545.5, 10590.5).dx, 0);
        QCOMPARE(windowOffsets(7546.5, 10591.5).dy, 2);
    }

    // 15 twips to the pixel, to the nearest pixel (a half away from zero).
    void twipsToNearestPixels() {
        const QList<QPair<double, int>> rows{{0, 0},      {7, 0},      {7.5, 1},   {14, 1},
                                             {22, 1},     {22.5, 2},   {-7.5, -1}, {-8, -1},
                                             {7230, 482}, {7237, 482}, {7238, 483}};
        for (const auto &[twips, pixels] : rows)
            QCOMPARE(twipsToPixels(twips), pixels);
    }

    void smallestWindowLayout() {
        const Offsets o = limitOffsets(windowOffsets(5000, 3000));
        QCOMPARE(placed(o, "Txt_edit").width, 5790);
        QCOMPARE(placed(o, "Txt_edit").height, 1095);
        QCOMPARE(placed(o, "Fra_set").top, 2160);
    }

    void edgeDistancesHoldForAnyOffsets() {
        for (int dx = kMinDx; dx <= kMaxDx; dx += 97) {
            for (int dy = kMinDy; dy <= 30000; dy += 331) {
                const Offsets o{dx, dy};
                const int clientWidth = outerWidth(o) - kFrameWidth;
                for (const char *name : {"Pic_sky", "Fra_edit", "Fra_set"}) {
                    const TwipsRect r = placed(o, name);
                    QCOMPARE(clientWidth - (r.left + r.width), 60);
                }
                const TwipsRect set = placed(o, "Fra_set");
                for (const char *name : {"Cmd_end", "Cmd_scan"}) {
                    const TwipsRect r = placed(o, name);
                    QCOMPARE(set.width - (r.left + r.width), 150);
                }
                const TwipsRect edit = placed(o, "Fra_edit");
                QCOMPARE(set.top - (edit.top + edit.height), 45);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
