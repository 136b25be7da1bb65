#include "ui/SingleLineField.h"

#include "platform/SingleLineText.h"

#include <QLineEdit>

namespace {
// Remembers the box's text before each edit, to know what the edit inserted.
class SingleLineGuard : public QObject {
public:
    explicit SingleLineGuard(QLineEdit &field) : QObject(&field), m_field(field) {
        m_before = field.text();
        // A user edit reports textEdited before textChanged.
        connect(&field, &QLineEdit::textEdited, this, &SingleLineGuard::edited);
        connect(&field, &QLineEdit::textChanged, this, [this] { m_before = m_field.text(); });
    }

private:
    void edited(const QString &after) {
        const QString kept = singleLineEdit(m_before, after);
        if (kept == after)
            return;
        // The cursor keeps its distance from the end: it stays behind what was kept.
        const qsizetype fromEnd = after.size() - m_field.cursorPosition();
        m_field.setText(kept);
        m_field.setCursorPosition(int(std::max<qsizetype>(0, kept.size() - fromEnd)));
    }

    QLineEdit &m_field;
    QString m_before;
};
} // namespace

void keepSingleLine(QLineEdit &field) {
    new SingleLineGuard(field);
}
