// Every window looks the same on a dark desktop as on a light one: the program's own light
// palette, set at start-up, covers whatever palette the desktop's theme gave the application.
// And every window's buttons answer the keyboard as on Windows.
#include "TestSupport.h"
#include "ThreeWindows.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "ui/LightLook.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

namespace {
// A dark desktop theme's palette (as Adwaita-dark and Breeze Dark give it): light text on
// dark backgrounds, a dark base behind text, a pale highlight.
QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Dark, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Mid, QColor(0x25, 0x25, 0x25));
    return dark;
}

// The window as the program draws it, started afresh after the desktop's palette and font.
QImage drawn(const QString &window, const QPalette &desktop, const QFont &font) {
    FreshStart start;
    QApplication::setPalette(desktop);
    QApplication::setFont(font);
    useLightLook(*qApp);
    const std::unique_ptr<QWidget> shown = windowNamed(window);
    shown->show();
    if (!QTest::qWaitForWindowExposed(shown.get()))
        return QImage();
    return shown->grab().toImage();
}
} // namespace

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void sameOnADarkDesktop_data() { addWindowRows(); }
    void sameOnADarkDesktop() {
        QFETCH(QString, window);
        const QPalette light = qApp->style()->standardPalette();
        const QFont font = QApplication::font();
        const QImage onLight = drawn(window, light, font);
        // A dark theme: its palette, and on Linux a GTK theme's larger font ("Sans 10"); a
        // Windows desktop keeps the system's font, which the program keeps too.
        const QImage onDark =
            drawn(window, darkPalette(), platform::kOnWindows ? font : QFont("Sans", 10));
        QCOMPARE(onDark.size(), onLight.size());
        // Pixel by pixel; a few may differ where a caret or focus frame blinks.
        int differing = 0;
        for (int y = 0; y < onLight.height(); ++y)
            for (int x = 0; x < onLight.width(); ++x)
                differing += onLight.pixel(x, y) != onDark.pixel(x, y);
        QVERIFY2(differing <= onLight.width() * onLight.height() / 1000,
                 qPrintable(QString("%1 pixels differ").arg(differing)));
    }

    // The light palette's colours that differ by state: a selection stays blue in a window
    // that lost the focus, grey where disabled.
    void lightPaletteByState() {
        QApplication::setPalette(darkPalette());
        useLightLook(*qApp);
        const QPalette palette = QApplication::palette();
        const QList<std::tuple<QPalette::ColorGroup, QPalette::ColorRole, QColor>> colours{
            {QPalette::Active, QPalette::Highlight, QColor(48, 140, 198)},
            {QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198)},
            {QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145)},
            {QPalette::Inactive, QPalette::Window, QColor(239, 239, 239)},
            {QPalette::Disabled, QPalette::Text, QColor(190, 190, 190)},
            {QPalette::Disabled, QPalette::Base, QColor(239, 239, 239)},
            {QPalette::Active, QPalette::Base, QColor(Qt::white)},
            {QPalette::Inactive, QPalette::HighlightedText, QColor(Qt::white)}};
        for (const auto &[group, role, colour] : colours)
            QCOMPARE(palette.color(group, role), colour);
    }

    // Return on a focused button presses it, as Space does; no button is the default one.
    void returnPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::newRow("main window: 保存") << "main window"
                                           << "Cmd_save";
        QTest::newRow("options dialog: 应用") << "options dialog"
                                              << "Cmd_apply";
        QTest::newRow("about box: 关闭") << "about box"
                                         << "Cmd_close";
    }
    void returnPressesTheFocusedButton() {
        QFETCH(QString, window);
        QFETCH(QString, button);
        FreshStart start;
        const std::unique_ptr<QWidget> shown = windowNamed(window);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        for (QPushButton *each : shown->findChildren<QPushButton *>())
            QVERIFY2(!each->isDefault() && !each->autoDefault(), qPrintable(each->objectName()));
        auto *pressed = shown->findChild<QPushButton *>(button);
        QVERIFY(pressed);
        QSignalSpy clicks(pressed, &QPushButton::clicked);
        // The keypad's Enter too; with another modifier Return is another key.
        const QList<QPair<int, Qt::KeyboardModifiers>> presses{{Qt::Key_Return, Qt::NoModifier},
                                                               {Qt::Key_Enter, Qt::NoModifier},
                                                               {Qt::Key_Space, Qt::NoModifier},
                                                               {Qt::Key_Enter, Qt::KeypadModifier}};
        const QList<Qt::KeyboardModifiers> others{Qt::ControlModifier, Qt::ShiftModifier,
                                                  Qt::AltModifier,
                                                  Qt::KeypadModifier | Qt::ControlModifier};
        for (const auto &[key, modifiers] : presses) {
            pressed->setEnabled(true); // 应用 waits for a change
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key(key), modifiers);
        }
        QCOMPARE(clicks.size(), presses.size());
        for (const Qt::KeyboardModifiers modifiers : others) {
            pressed->setEnabled(true);
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key_Return, modifiers);
        }
        QCOMPARE(clicks.size(), presses.size());
    }
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
