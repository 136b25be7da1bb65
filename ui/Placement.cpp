#include "ui/Placement.h"

#include "layout/ScreenLayout.h"
#include "ui/FrameChanges.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
// Places a shown window again once the window manager has framed it, by its real outer size
// (the frame assumed before showing differs from desktop to desktop). The frame is looked for
// when the window is shown, when it moves or is resized after that, and whenever the window
// system says it may have a new one; each look waits for the events before it, so that Qt has
// taken in the new frame. Where no frame ever comes (no window manager), the helper waits with
// its window.
class PlaceWhenFramed : public QObject, public QAbstractNativeEventFilter {
public:
    explicit PlaceWhenFramed(QWidget &window) : QObject(&window), m_window(&window) {
        window.installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override {
        // Only a window that exists in the window system has an id: asking one that does not
        // yet for its id would make it, inside the window system's own messages.
        const QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
        if (handle && handle->handle() && mayChangeFrameOf(eventType, message, handle->winId()))
            lookLater();
        return false;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            m_shown = true;
        if (m_shown && (event->type() == QEvent::Show || event->type() == QEvent::Move ||
                        event->type() == QEvent::Resize))
            lookLater();
        return false;
    }

private:
    void lookLater() {
        QMetaObject::invokeMethod(
            this, [this] { placeIfFramed(); }, Qt::QueuedConnection);
    }
    void placeIfFramed() {
        const QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (m_placed || !handle || !screen)
            return;
        const QMargins frame = handle->frameMargins();
        if (frame.isNull())
            return;
        const QPoint place = framedPlacement(screen->geometry(), m_window->size(), frame);
        if (m_window->frameGeometry().topLeft() != place)
            m_window->move(place);
        m_placed = true;
        m_window->removeEventFilter(this);
        QCoreApplication::instance()->removeNativeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> m_window;
    bool m_shown = false;
    bool m_placed = false;
};
} // namespace

QPoint screenPlacement(const QRect &screen, const QSize &outerSize) {
    const float left =
        (float(pixelsToTwips(screen.width())) - float(pixelsToTwips(outerSize.width()))) / 2.0f;
    const float top =
        (float(pixelsToTwips(screen.height())) - float(pixelsToTwips(outerSize.height()))) / 3.0f;
    return {screen.left() + twipsToPixels(left), screen.top() + twipsToPixels(top)};
}

QPoint framedPlacement(const QRect &screen, const QSize &clientSize, const QMargins &frame) {
    return screenPlacement(
        screen, clientSize + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
}

void placeOnPrimaryScreen(QWidget &window, const QSize &frame) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.move(screenPlacement(screen->geometry(), window.size() + frame));
    new PlaceWhenFramed(window);
}
