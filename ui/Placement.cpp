#include "ui/Placement.h"

#include "layout/ScreenLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint screenPlacement(const QRect &screen, const QSize &outerSize) {
    const float left =
        (float(pixelsToTwips(screen.width())) - float(pixelsToTwips(outerSize.width()))) / 2.0f;
    const float top =
        (float(pixelsToTwips(screen.height())) - float(pixelsToTwips(outerSize.height()))) / 3.0f;
    return {screen.left() + twipsToPixels(left), screen.top() + twipsToPixels(top)};
}

void placeOnPrimaryScreen(QWidget &window, const QSize &frame) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.move(screenPlacement(screen->geometry(), window.size() + frame));
}
