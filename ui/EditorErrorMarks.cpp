#include "ui/EditorErrorMarks.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSet>
#include <QTextBlock>
#include <QToolTip>

namespace {
// Light enough that the program's text colours and the selection stay readable on it.
const QColor kErrorLine(255, 214, 214);
} // namespace

EditorErrorMarks::EditorErrorMarks(QPlainTextEdit &editor)
    : QObject(&editor), m_editor(editor), m_ownDescription(editor.accessibleDescription()) {
    connect(editor.document(), &QTextDocument::contentsChange, this,
            &EditorErrorMarks::linesEdited);
    editor.installEventFilter(this);
    editor.viewport()->installEventFilter(this);
}

void EditorErrorMarks::show(const QList<ErrorPlace> &places) {
    m_errors.clear();
    QTextDocument &document = *m_editor.document();
    for (const ErrorPlace &place : places) {
        const QTextBlock block = document.findBlockByNumber(place.line - 1);
        if (!block.isValid())
            continue;
        // A column past the line's end (javac's place after its last character) is its end.
        const int column = qBound(0, place.column - 1, block.length() - 1);
        m_errors.append({QTextCursor(&document), place.message});
        m_errors.last().at.setPosition(block.position() + column);
    }
    refresh();
    if (!m_errors.isEmpty())
        moveTo(m_errors.first());
}

void EditorErrorMarks::clear() {
    if (m_errors.isEmpty())
        return;
    m_errors.clear();
    refresh();
}

bool EditorErrorMarks::moveToNext() {
    if (m_errors.isEmpty())
        return false;
    const int here = m_editor.textCursor().position();
    for (const PlacedError &error : std::as_const(m_errors)) {
        if (error.at.position() > here) {
            moveTo(error);
            return true;
        }
    }
    moveTo(m_errors.first());
    return true;
}

QString EditorErrorMarks::messagesAt(const QPoint &viewportPoint) const {
    const int line = m_editor.cursorForPosition(viewportPoint).blockNumber();
    QStringList messages;
    for (const PlacedError &error : m_errors)
        if (error.at.blockNumber() == line)
            messages << error.message;
    return messages.join(QLatin1Char('\n'));
}

bool EditorErrorMarks::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_editor.viewport() && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString messages = messagesAt(help->pos());
        if (messages.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), messages, m_editor.viewport());
        return true;
    }
    if (watched == &m_editor && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4 &&
        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier)
        return moveToNext();
    return QObject::eventFilter(watched, event);
}

void EditorErrorMarks::linesEdited(int position, int removed, int added) {
    if (m_errors.isEmpty() || (removed == 0 && added == 0))
        return;
    const QTextDocument &document = *m_editor.document();
    const int first = document.findBlock(position).blockNumber();
    const QTextBlock lastBlock = document.findBlock(position + added);
    const int last = lastBlock.isValid() ? lastBlock.blockNumber() : document.blockCount() - 1;
    const auto before = m_errors.size();
    m_errors.removeIf([first, last](const PlacedError &error) {
        const int line = error.at.blockNumber();
        return line >= first && line <= last;
    });
    if (m_errors.size() != before)
        refresh();
}

void EditorErrorMarks::moveTo(const PlacedError &error) {
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(error.at.position());
    m_editor.setTextCursor(cursor);
    m_editor.ensureCursorVisible();
    m_editor.setAccessibleDescription(error.message);
    if (QAccessible::isActive()) {
        QAccessibleEvent described(&m_editor, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

void EditorErrorMarks::refresh() {
    QList<QTextEdit::ExtraSelection> lines;
    QSet<int> marked;
    for (const PlacedError &error : std::as_const(m_errors)) {
        if (marked.contains(error.at.blockNumber()))
            continue;
        marked.insert(error.at.blockNumber());
        QTextEdit::ExtraSelection line;
        line.cursor = QTextCursor(error.at.block());
        line.format.setBackground(kErrorLine);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        lines << line;
    }
    m_editor.setExtraSelections(lines);
    if (m_errors.isEmpty())
        m_editor.setAccessibleDescription(m_ownDescription);
}
