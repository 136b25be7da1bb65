#include "ui/KeyboardMenus.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

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

} // namespace

void openContextMenusOnShiftF10(QWidget &window) {
    auto *filter = new ShiftF10Menus(&window);
    for (QWidget *control : window.findChildren<QWidget *>())
        if (control->contextMenuPolicy() != Qt::NoContextMenu &&
            control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(filter);
}
