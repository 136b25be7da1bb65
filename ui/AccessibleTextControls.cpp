#include "ui/AccessibleTextControls.h"

#include "ui/AccessibleTextUnits.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QValidator>

#include <algorithm>

namespace {
// The parts all kinds of text control share; each kind says how its text, caret and selection
// are reached.
class TextControl : public QAccessibleWidget,
                    public QAccessibleTextInterface,
                    public QAccessibleEditableTextInterface {
public:
    explicit TextControl(QWidget *control, QAccessible::Role role = QAccessible::EditableText)
        : QAccessibleWidget(control, role) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Value && !hidden())
            return wholeText();
        return QAccessibleWidget::text(which);
    }
    void setText(QAccessible::Text which, const QString &text) override {
        if (which == QAccessible::Value)
            replaceAll(text);
        else
            QAccessibleWidget::setText(which, text);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = readOnly();
        state.editable = !readOnly();
        state.passwordEdit = hidden();
        state.selectableText = true;
        state.multiLine = multiLine();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Reading.
    QString text(int startOffset, int endOffset) const override {
        if (hidden() || startOffset > endOffset)
            return QString();
        return wholeText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(wholeText().size()); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                             int *endOffset) const override {
        return answer(offset, type, UnitSide::Before, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                         int *endOffset) const override {
        return answer(offset, type, UnitSide::At, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                            int *endOffset) const override {
        return answer(offset, type, UnitSide::After, startOffset, endOffset);
    }
    // No attributes anywhere: one run over the whole text. (Qt's empty run at each offset made
    // Orca, which joins the runs it is given, read every field without its last character.)
    QString attributes(int offset, int *startOffset, int *endOffset) const override {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *startOffset = *endOffset = -1;
            return QString();
        }
        *startOffset = 0;
        *endOffset = count;
        return QString();
    }

    // Caret and selection: one selection at most.
    int selectionCount() const override {
        int start = 0;
        int end = 0;
        selected(&start, &end);
        return start != end ? 1 : 0;
    }
    void selection(int index, int *startOffset, int *endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index == 0)
            selected(startOffset, endOffset);
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0)
            select(cursorPosition(), cursorPosition());
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            select(clamped(startOffset), clamped(endOffset));
    }
    void setCursorPosition(int position) override { select(clamped(position), clamped(position)); }
    void scrollToSubstring(int startIndex, int endIndex) override {
        setCursorPosition(endIndex);
        setCursorPosition(startIndex);
    }

    // Editing.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override {
        if (readOnly())
            return;
        const int start = clamped(startOffset);
        const int end = std::max(start, clamped(endOffset));
        replaceRange(start, end, text);
    }

protected:
    virtual QString wholeText() const = 0;
    virtual bool readOnly() const = 0;
    virtual bool hidden() const { return false; }
    virtual bool multiLine() const = 0;
    virtual void selected(int *start, int *end) const = 0;
    // Selects from anchor to caret; the caret ends at caret.
    virtual void select(int anchor, int caret) = 0;
    virtual void replaceRange(int start, int end, const QString &text) = 0;
    virtual void replaceAll(const QString &text) = 0;

    int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

private:
    QString answer(int offset, QAccessible::TextBoundaryType type, UnitSide side, int *startOffset,
                   int *endOffset) const {
        *startOffset = *endOffset = -1;
        if (hidden())
            return QString();
        // By convention -2 asks at the caret and -1 at the end of the text.
        if (offset == -2)
            offset = cursorPosition();
        else if (offset == -1)
            offset = characterCount();
        const TextUnit unit = textUnit(wholeText(), offset, type, side);
        *startOffset = unit.start;
        *endOffset = unit.end;
        return unit.text;
    }
};

class LineEditText : public TextControl {
public:
    explicit LineEditText(QLineEdit *field) : TextControl(field) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    QRect characterRect(int offset) const override {
        const QString shown = field()->text();
        if (hidden() || offset < 0 || offset >= shown.size())
            return QRect();
        // Measured from the caret, whose place the field knows with its scrolling.
        const QFontMetrics metrics(field()->font());
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int caretAt = field()->cursorPosition();
        const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(caretAt));
        const QRect box(x, caret.y(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                        caret.height());
        return QRect(field()->mapToGlobal(box.topLeft()), box.size());
    }
    int offsetAtPoint(const QPoint &point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }

protected:
    QString wholeText() const override { return field()->text(); }
    bool readOnly() const override { return field()->isReadOnly(); }
    bool hidden() const override { return field()->echoMode() != QLineEdit::Normal; }
    bool multiLine() const override { return false; }
    void selected(int *start, int *end) const override {
        *start = *end = 0;
        if (field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = field()->selectionEnd();
        }
    }
    void select(int anchor, int caret) override {
        if (anchor == caret)
            field()->setCursorPosition(caret);
        else
            field()->setSelection(anchor, caret - anchor);
    }
    void replaceRange(int start, int end, const QString &text) override {
        field()->setText(field()->text().replace(start, end - start, text));
    }
    void replaceAll(const QString &text) override {
        if (const QValidator *validator = field()->validator()) {
            QString candidate = text;
            int at = 0;
            if (validator->validate(candidate, at) != QValidator::Acceptable)
                return;
        }
        field()->setText(text);
    }

private:
    QLineEdit *field() const { return static_cast<QLineEdit *>(widget()); }
};

class PlainTextEditText : public TextControl {
public:
    explicit PlainTextEditText(QPlainTextEdit *editor) : TextControl(editor) {}
    int cursorPosition() const override { return editor()->textCursor().position(); }
    QRect characterRect(int offset) const override {
        if (offset < 0 || offset >= characterCount())
            return QRect();
        QTextCursor at(editor()->document());
        at.setPosition(offset);
        const QRect caret = editor()->cursorRect(at);
        at.movePosition(QTextCursor::NextCharacter);
        const QRect next = editor()->cursorRect(at);
        const int width = next.y() == caret.y() ? std::max(1, next.x() - caret.x()) : 1;
        const QRect box(caret.x(), caret.y(), width, caret.height());
        return QRect(editor()->viewport()->mapToGlobal(box.topLeft()), box.size());
    }
    int offsetAtPoint(const QPoint &point) const override {
        const QPoint inside = editor()->viewport()->mapFromGlobal(point);
        return editor()->cursorForPosition(inside).position();
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        TextControl::scrollToSubstring(startIndex, endIndex);
        editor()->ensureCursorVisible();
    }

protected:
    QString wholeText() const override { return editor()->toPlainText(); }
    bool readOnly() const override { return editor()->isReadOnly(); }
    bool multiLine() const override { return true; }
    void selected(int *start, int *end) const override {
        const QTextCursor cursor = editor()->textCursor();
        *start = cursor.selectionStart();
        *end = cursor.selectionEnd();
    }
    void select(int anchor, int caret) override {
        QTextCursor cursor = editor()->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(caret, QTextCursor::KeepAnchor);
        editor()->setTextCursor(cursor);
    }
    void replaceRange(int start, int end, const QString &text) override {
        QTextCursor cursor(editor()->document());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    }
    void replaceAll(const QString &text) override { editor()->setPlainText(text); }

private:
    QPlainTextEdit *editor() const { return static_cast<QPlainTextEdit *>(widget()); }
};
// A list that shows its chosen item (not editable): as Qt presents it, with its chosen item as a
// text to read. Orca takes a list's value from its text, or from a selection interface that
// Qt 6.4 does not offer, and said only "编译类型 combo box".
class ChosenItemText : public TextControl {
public:
    explicit ChosenItemText(QComboBox *list) : TextControl(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name && list()->accessibleName().isEmpty())
            return list()->currentText();
        return TextControl::text(which);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::EditableTextInterface)
            return nullptr;
        return TextControl::interface_cast(type);
    }
    // Its one child: the list of items, which a reader may open and walk.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == showMenuAction() || action == pressAction())
            list()->view()->isVisible() ? list()->hidePopup() : list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
    int cursorPosition() const override { return 0; }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }

protected:
    QString wholeText() const override { return list()->currentText(); }
    bool readOnly() const override { return true; }
    bool multiLine() const override { return false; }
    void selected(int *start, int *end) const override { *start = *end = 0; }
    void select(int, int) override {}
    void replaceRange(int, int, const QString &) override {}
    void replaceAll(const QString &) override {}

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};
} // namespace

QAccessibleInterface *accessibleTextControl(const QString &className, QObject *object) {
    if (className == QLatin1String("QComboBox"))
        if (auto *list = qobject_cast<QComboBox *>(object); list && !list->isEditable())
            return new ChosenItemText(list);
    if (className == QLatin1String("QLineEdit"))
        if (auto *field = qobject_cast<QLineEdit *>(object))
            return new LineEditText(field);
    if (className == QLatin1String("QPlainTextEdit"))
        if (auto *editor = qobject_cast<QPlainTextEdit *>(object))
            return new PlainTextEditText(editor);
    return nullptr;
}
