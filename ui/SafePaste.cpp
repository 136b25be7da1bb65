#include "ui/SafePaste.h"

#include "editor/TextHelpers.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace {

class TextOnlyPaste : public QObject {
public:
    explicit TextOnlyPaste(QPlainTextEdit &editor) : QObject(&editor), m_editor(editor) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (m_editor.isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
                return false;
            paste(QClipboard::Clipboard, nullptr);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (watched != m_editor.viewport() || mouse->button() != Qt::MiddleButton ||
                !QGuiApplication::clipboard()->supportsSelection())
                return false;
            if (event->type() == QEvent::MouseButtonRelease) {
                const QPoint at = mouse->position().toPoint();
                paste(QClipboard::Selection, &at);
            }
            return true;
        }
        case QEvent::ContextMenu:
            if (watched != m_editor.viewport())
                return false;
            showMenu(*static_cast<QContextMenuEvent *>(event));
            return true;
        default:
            return false;
        }
    }

private:
    void paste(QClipboard::Mode mode, const QPoint *at) {
        const QString text = QGuiApplication::clipboard()->text(mode);
        if (text.isEmpty())
            return;
        QTextCursor cursor = at ? m_editor.cursorForPosition(*at) : m_editor.textCursor();
        cursor.insertText(toWidgetText(text));
        m_editor.setTextCursor(cursor);
        m_editor.ensureCursorVisible();
    }
    // The editor's own menu, its 粘贴 taking the text only.
    void showMenu(const QContextMenuEvent &event) {
        QMenu *menu = m_editor.createStandardContextMenu(event.pos());
        for (QAction *action : menu->actions()) {
            if (action->objectName() != QLatin1String("edit-paste"))
                continue;
            action->disconnect();
            connect(action, &QAction::triggered, this,
                    [this] { paste(QClipboard::Clipboard, nullptr); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event.globalPos());
    }

    QPlainTextEdit &m_editor;
};

} // namespace

void pasteTextOnly(QPlainTextEdit &editor) {
    auto *filter = new TextOnlyPaste(editor);
    editor.installEventFilter(filter);
    editor.viewport()->installEventFilter(filter);
}
