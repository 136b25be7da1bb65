#pragma once

#include "editor/ErrorPlaces.h"

#include <QList>
#include <QObject>
#include <QTextCursor>

class QPlainTextEdit;

// The errors of the last build in the editor: every line with an error has a light red
// background; the mouse over it shows the line's messages; F4 moves to the next error (from the
// last back to the first); a screen reader hears the current error (the editor's accessible
// description). A line's marks go when that line is edited, all of them when the whole text is
// replaced.
class EditorErrorMarks : public QObject {
    Q_OBJECT

public:
    explicit EditorErrorMarks(QPlainTextEdit &editor);

    // Marks the places, puts the cursor on the first one, scrolls it into view and gives the
    // editor the focus. No places: the marks go, the cursor stays where it was.
    void show(const QList<ErrorPlace> &places);
    void clear();
    // Moves the cursor to the next error after it; false when there is none.
    bool moveToNext();
    int count() const { return int(m_errors.size()); }
    // The messages of the marked line at a point of the editor's viewport; empty when none.
    QString messagesAt(const QPoint &viewportPoint) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PlacedError {
        QTextCursor at; // moves with the text
        QString message;
    };
    void linesEdited(int position, int removed, int added);
    void moveTo(const PlacedError &error);
    void refresh();

    QPlainTextEdit &m_editor;
    QList<PlacedError> m_errors;
    QString m_ownDescription; // the editor's description when no error stands
};
