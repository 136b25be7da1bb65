#include "ui/Placement.h"

#include "layout/ScreenLayout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {
// Places a shown window again once the window manager has framed it, by its real outer size
// (the frame assumed before showing differs from desktop to desktop). The frame is known a
// moment after the window appears; it is looked for at the window's events and a few times
// shortly after, then the helper is done.
class PlaceWhenFramed : public QObject {
public:
    explicit PlaceWhenFramed(QWidget &window) : QObject(&window), m_window(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show && m_tries == 0)
            tryLater();
        else if (m_tries > 0 && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            placeIfFramed();
        return false;
    }

private:
    void tryLater() {
        if (++m_tries > 20) {
            deleteLater();
            return;
        }
        QTimer::singleShot(50, this, [this] {
            if (!placeIfFramed())
                tryLater();
        });
    }
    bool placeIfFramed() {
        const QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!handle || !screen)
            return false;
        const QMargins frame = handle->frameMargins();
        if (frame.isNull())
            return false;
        const QSize outer =
            m_window->size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        const QPoint place = screenPlacement(screen->geometry(), outer);
        if (m_window->frameGeometry().topLeft() != place)
            m_window->move(place);
        m_window->removeEventFilter(this);
        deleteLater();
        m_tries = 1000;
        return true;
    }

    QPointer<QWidget> m_window;
    int m_tries = 0;
};
} // namespace

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
    new PlaceWhenFramed(window);
}
