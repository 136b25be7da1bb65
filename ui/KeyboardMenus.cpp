#include "ui/KeyboardMenus.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QWheelEvent>

namespace {
class ShiftF10Menus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
            return false;
        // Where the Menu key opens it: at the text cursor, else in the control's middle.
        QPoint at = widget->rect().center();
        QWidget *receiver = widget;
        if (auto *editor = qobject_cast<QPlainTextEdit *>(widget)) {
            receiver = editor->viewport();
            at = editor->cursorRect().center();
        }
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, receiver->mapToGlobal(at));
        QCoreApplication::sendEvent(receiver, &menu);
        return true;
    }
};

class CtrlZoom : public QObject {
public:
    CtrlZoom(QPlainTextEdit &editor)
        : QObject(&editor), m_editor(editor), m_designSize(editor.font().pointSizeF()) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Wheel) {
            const auto *wheel = static_cast<QWheelEvent *>(event);
            if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
                return false;
            zoom(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!(key->modifiers() & Qt::ControlModifier) ||
            (key->modifiers() & ~(Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier)))
            return false;
        int step = 0;
        switch (key->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            step = 1;
            break;
        case Qt::Key_Minus:
            step = -1;
            break;
        case Qt::Key_0:
            step = 0;
            break;
        default:
            return false;
        }
        if (event->type() == QEvent::KeyPress)
            zoom(step);
        event->accept();
        return true;
    }

private:
    // Steps of one point, from 6 points to four times the design's size; 0: the design's.
    void zoom(int step) {
        QFont font = m_editor.font();
        const qreal size = step == 0 ? m_designSize : font.pointSizeF() + step;
        font.setPointSizeF(qBound<qreal>(6, size, m_designSize * 4));
        m_editor.setFont(font);
    }

    QPlainTextEdit &m_editor;
    qreal m_designSize;
};
} // namespace

void openContextMenusOnShiftF10(QWidget &window) {
    auto *filter = new ShiftF10Menus(&window);
    for (QWidget *control : window.findChildren<QWidget *>())
        if (control->contextMenuPolicy() != Qt::NoContextMenu &&
            control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(filter);
}

void zoomWithCtrl(QPlainTextEdit &editor) {
    auto *zoom = new CtrlZoom(editor);
    editor.installEventFilter(zoom);
    editor.viewport()->installEventFilter(zoom);
}
