#include "ui/SingleLineField.h"

#include "platform/SingleLineText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {
// Takes over every way of inserting text into the box that can bring a line break or a
// control character (paste by key or menu, the middle button's selection, a drop), and inserts
// at the cursor only the first line of it, without such characters. Typing cannot bring them.
class SingleLineGuard : public QObject {
public:
    explicit SingleLineGuard(QLineEdit &field) : QObject(&field), m_field(field) {
        field.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &m_field || m_field.isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
                return false;
            insertOneLine(QApplication::clipboard()->text(QClipboard::Clipboard));
            return true;
        case QEvent::ContextMenu:
            return showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            return middleButtonPaste(static_cast<QMouseEvent *>(event));
        case QEvent::Drop:
            return drop(static_cast<QDropEvent *>(event));
        default:
            return false;
        }
    }

private:
    // Inserts the first line of the text at the cursor, in place of a selection.
    void insertOneLine(const QString &text) { m_field.insert(oneLineText(text)); }

    bool showMenu(const QPoint &at) {
        QMenu *menu = m_field.createStandardContextMenu();
        // The menu's paste item is the one that calls the box's paste(): it calls ours instead.
        for (QAction *action : menu->actions()) {
            if (disconnect(action, SIGNAL(triggered()), &m_field, SLOT(paste())))
                connect(action, &QAction::triggered, this, [this] {
                    insertOneLine(QApplication::clipboard()->text(QClipboard::Clipboard));
                });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(at);
        return true;
    }

    bool middleButtonPaste(QMouseEvent *event) {
        QClipboard *clipboard = QApplication::clipboard();
        if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        if (event->type() == QEvent::MouseButtonRelease) {
            m_field.deselect();
            m_field.setCursorPosition(m_field.cursorPositionAt(event->position().toPoint()));
            insertOneLine(clipboard->text(QClipboard::Selection));
        }
        return true;
    }

    bool drop(QDropEvent *event) {
        if (!event->mimeData()->hasText())
            return false;
        const QString text = event->mimeData()->text();
        if (oneLineText(text) == text)
            return false; // the box's own drop (a move within it included)
        m_field.deselect();
        m_field.setCursorPosition(m_field.cursorPositionAt(event->position().toPoint()));
        insertOneLine(text);
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return true;
    }

    QLineEdit &m_field;
};
} // namespace

void keepSingleLine(QLineEdit &field) {
    // Folders of any length a file system allows (a box holds 32,767 characters by default).
    field.setMaxLength(1 << 24);
    new SingleLineGuard(field);
}
