// The editor's marks of a failed build, without a build: the first error's place, F4's order,
// the tooltips of marked lines, and marks that go with their line's edit.
#include "TestWindows.h"
#include "ui/EditorErrorMarks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

namespace {
// "line:column" of the editor's cursor, 1-based.
QString place(const QPlainTextEdit &editor) {
    const QTextCursor cursor = editor.textCursor();
    return QString("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1);
}

QPoint lineAt(const QPlainTextEdit &editor, int line) {
    return editor.cursorRect(QTextCursor(editor.document()->findBlockByNumber(line - 1))).center();
}
} // namespace

class TestErrorMarks : public QObject {
    Q_OBJECT

    QPlainTextEdit m_editor;
    EditorErrorMarks *m_marks = nullptr;

private slots:
    void init() {
        m_editor.setPlainText("zero\none;\n\ttwo x\nthree\nfour");
        m_editor.moveCursor(QTextCursor::End);
        m_marks = new EditorErrorMarks(m_editor);
        m_marks->show({{2, 4, "a"}, {3, 2, "b"}, {3, 6, "c"}, {5, 0, "d"}, {9, 1, "beyond"}});
    }
    void cleanup() {
        m_marks->clear(); // the editor's own description back
        delete m_marks;
    }

    void theFirstErrorAndItsLines() {
        QCOMPARE(m_marks->count(), 4); // a line past the text's end marks nothing
        QCOMPARE(place(m_editor), QString("2:4"));
        QCOMPARE(m_editor.extraSelections().size(), 3);
        QCOMPARE(m_editor.accessibleDescription(), QString("a"));
        QCOMPARE(m_marks->messagesAt(lineAt(m_editor, 3)), QString("b\nc"));
        QCOMPARE(m_marks->messagesAt(lineAt(m_editor, 1)), QString());
    }

    // From each place to the next, from the last back to the first; from a place between two
    // errors to the one after it.
    void f4GoesRound() {
        QStringList visited;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(&m_editor, Qt::Key_F4);
            visited << place(m_editor);
        }
        QCOMPARE(visited, QStringList({"3:2", "3:6", "5:1", "2:4", "3:2"}));
        QCOMPARE(m_editor.accessibleDescription(), QString("b"));
        m_editor.moveCursor(QTextCursor::Start);
        QTest::keyClick(&m_editor, Qt::Key_F4);
        QCOMPARE(place(m_editor), QString("2:4"));
        QTest::keyClick(&m_editor, Qt::Key_F4, Qt::ShiftModifier); // not F4 alone: the editor's
        QCOMPARE(place(m_editor), QString("2:4"));
    }

    // An edited line loses its marks, the others move with the text; a new text loses all.
    void editsTakeMarksAway_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("left");
        QTest::newRow("in the first marked line") << 2 << "x" << 3;
        QTest::newRow("in a line with two errors") << 3 << "x" << 2;
        QTest::newRow("in the last line") << 5 << "x" << 3;
        QTest::newRow("an unmarked line") << 1 << "x" << 4;
        QTest::newRow("a line break before a marked line") << 4 << "\n" << 4;
    }
    void editsTakeMarksAway() {
        QFETCH(int, line);
        QFETCH(QString, typed);
        QFETCH(int, left);
        QTextCursor cursor(m_editor.document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(typed);
        QCOMPARE(m_marks->count(), left);
    }
    void aLineBreakMovesTheMarks() {
        QTextCursor cursor(m_editor.document()->findBlockByNumber(0));
        cursor.insertText("new line\n");
        QCOMPARE(m_marks->count(), 4);
        QCOMPARE(m_marks->messagesAt(lineAt(m_editor, 4)), QString("b\nc"));
    }
    void aNewTextTakesAllMarks() {
        m_editor.setPlainText("class A {}");
        QCOMPARE(m_marks->count(), 0);
        QCOMPARE(m_editor.extraSelections().size(), 0);
        QCOMPARE(m_editor.accessibleDescription(), QString());
        QTest::keyClick(&m_editor, Qt::Key_F4);
        QCOMPARE(place(m_editor), QString("1:1"));
    }
    void noPlacesLeaveTheCursor() {
        m_marks->show({});
        QCOMPARE(m_marks->count(), 0);
        QCOMPARE(place(m_editor), QString("2:4")); // where init's marks put it
        QCOMPARE(m_editor.extraSelections().size(), 0);
    }
};

QTEST_MAIN(TestErrorMarks)
#include "test_error_marks.moc"
