// What a screen reader is told of 目录, 文件 and the editor: every piece of text at, before and
// after every offset, by character, word, sentence and line, answered (Qt 6.4's own answer for
// a word at the end of "D:\MyJava" never came back) and adding up to the whole text.
#include "TestSupport.h"
#include "ThreeWindows.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {
struct Answer {
    QString text;
    int start;
    int end;
};

Answer ask(QAccessibleTextInterface *text, int offset, QAccessible::TextBoundaryType type,
           const QString &side) {
    Answer answer{QString(), -7, -7};
    if (side == "before")
        answer.text = text->textBeforeOffset(offset, type, &answer.start, &answer.end);
    else if (side == "after")
        answer.text = text->textAfterOffset(offset, type, &answer.start, &answer.end);
    else
        answer.text = text->textAtOffset(offset, type, &answer.start, &answer.end);
    return answer;
}

QString shown(const Answer &answer) {
    return QString("%1 [%2,%3)").arg(answer.text).arg(answer.start).arg(answer.end);
}

const QList<QAccessible::TextBoundaryType> kTypes{
    QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::LineBoundary};
} // namespace

class TestAccessibleText : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;

    QAccessibleTextInterface *control(const QString &name, const QString &text) {
        QWidget *widget = m_window->findChild<QWidget *>(name);
        if (auto *field = qobject_cast<QLineEdit *>(widget))
            field->setText(text);
        else
            qobject_cast<QPlainTextEdit *>(widget)->setPlainText(text);
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(widget);
        return read ? read->textInterface() : nullptr;
    }

    static void addControlRows() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("目录") << "Txt_table"
                              << "D:\\MyJava";
        QTest::newRow("目录, spaces") << "Txt_table"
                                      << "C:\\Program Files\\我的 程序\\";
        QTest::newRow("文件") << "Txt_file"
                              << "Class_Name";
        QTest::newRow("文件, one letter") << "Txt_file"
                                          << "A";
        QTest::newRow("editor") << "Txt_edit"
                                << "class Hello {\n  // 你好。世界！\n\n  int a𠀀 = 1; }. Two.\n";
        QTest::newRow("editor, no final line break") << "Txt_edit"
                                                     << "class A {}";
        QTest::newRow("editor, empty") << "Txt_edit"
                                       << "";
    }

private slots:
    void init() { m_window = windowNamed("main window"); }
    void cleanup() { m_window.reset(); }

    // Each question gets an answer that is a piece of the text, placed where it says.
    void everyOffsetAnswered_data() { addControlRows(); }
    void everyOffsetAnswered() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QAccessibleTextInterface *read = control(name, text);
        QVERIFY(read);
        QCOMPARE(read->text(0, read->characterCount()), text);
        for (QAccessible::TextBoundaryType type : kTypes) {
            for (int offset = -2; offset <= text.size(); ++offset) {
                for (const QString side : {"before", "at", "after"}) {
                    const Answer answer = ask(read, offset, type, side);
                    const QString where =
                        QString("%1 %2 offset %3 type %4").arg(name, side).arg(offset).arg(type);
                    if (answer.start == -1) {
                        QVERIFY2(answer.end == -1 && answer.text.isEmpty(), qPrintable(where));
                        QVERIFY2(side != "at", qPrintable(where));
                        continue;
                    }
                    QVERIFY2(0 <= answer.start && answer.start <= answer.end &&
                                 answer.end <= text.size(),
                             qPrintable(where + ": " + shown(answer)));
                    QCOMPARE(answer.text, text.mid(answer.start, answer.end - answer.start));
                    if (side == "at" && offset >= 0) {
                        QVERIFY2(answer.start <= offset && offset <= answer.end,
                                 qPrintable(where + ": " + shown(answer)));
                        QVERIFY2(offset < answer.end || offset == text.size(),
                                 qPrintable(where + ": " + shown(answer)));
                    }
                }
            }
        }
    }

    // A reader that walks from piece to piece, forward or back, reads the whole text.
    void walkedWhole_data() { addControlRows(); }
    void walkedWhole() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QAccessibleTextInterface *read = control(name, text);
        QVERIFY(read);
        for (QAccessible::TextBoundaryType type : kTypes) {
            QString forward;
            Answer piece = ask(read, 0, type, "at");
            while (piece.start >= 0 && piece.start < piece.end) {
                forward += piece.text;
                piece = ask(read, piece.start, type, "after");
            }
            QCOMPARE(forward, text);
            QString backward;
            piece = ask(read, -1, type, "at");
            if (piece.start == piece.end) // nothing at the end: no character, an empty line
                piece = ask(read, -1, type, "before");
            while (piece.start >= 0 && piece.start < piece.end) {
                backward.prepend(piece.text);
                piece = ask(read, piece.start, type, "before");
            }
            QCOMPARE(backward, text);
        }
    }

    // The text attribute runs (none of the controls has attributes) cover the whole text: a
    // reader that walks them and joins them, as Orca does to find the text's languages, reads
    // the last character too ("D:\MyJava", not "D:\MyJav").
    void attributeRunsCoverTheText_data() { addControlRows(); }
    void attributeRunsCoverTheText() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QAccessibleTextInterface *read = control(name, text);
        QVERIFY(read);
        int covered = 0;
        for (int offset = 0; offset < text.size();) {
            int start = -7;
            int end = -7;
            read->attributes(offset, &start, &end);
            QVERIFY2(start <= offset && offset < end,
                     qPrintable(QString("%1-%2 at %3").arg(start).arg(end).arg(offset)));
            covered = end;
            offset = std::max(end, offset + 1);
        }
        QCOMPARE(covered, int(text.size()));
    }

    void pieces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("expected");
        const int word = QAccessible::WordBoundary;
        const int line = QAccessible::LineBoundary;
        const int character = QAccessible::CharBoundary;
        const int sentence = QAccessible::SentenceBoundary;
        const QString dir = "D:\\MyJava";
        QTest::newRow("word at the end") << "Txt_table" << dir << 9 << word << "at"
                                         << "MyJava [3,9)";
        QTest::newRow("word at -1") << "Txt_table" << dir << -1 << word << "at"
                                    << "MyJava [3,9)";
        QTest::newRow("word before the end") << "Txt_table" << dir << 9 << word << "before"
                                             << "D:\\ [0,3)";
        QTest::newRow("word after the last") << "Txt_table" << dir << 4 << word << "after"
                                             << " [-1,-1)";
        QTest::newRow("word at its first letter") << "Txt_table" << dir << 3 << word << "at"
                                                  << "MyJava [3,9)";
        QTest::newRow("word at the sign before it") << "Txt_table" << dir << 2 << word << "at"
                                                    << "D:\\ [0,3)";
        QTest::newRow("sentence at the end") << "Txt_table" << dir << 9 << sentence << "at"
                                             << "D:\\MyJava [0,9)";
        QTest::newRow("line at the end") << "Txt_file"
                                         << "Class_Name" << 10 << line << "at"
                                         << "Class_Name [0,10)";
        QTest::newRow("character at the end") << "Txt_file"
                                              << "Class_Name" << 10 << character << "at"
                                              << " [10,10)";
        QTest::newRow("character before the end") << "Txt_file"
                                                  << "Class_Name" << 10 << character << "before"
                                                  << "e [9,10)";
        QTest::newRow("character, two code units") << "Txt_edit"
                                                   << "a𠀀b" << 1 << character << "at"
                                                   << "𠀀 [1,3)";
        QTest::newRow("character after two code units") << "Txt_edit"
                                                        << "a𠀀b" << 1 << character << "after"
                                                        << "b [3,4)";
        const QString lines = "ab\ncd\n";
        QTest::newRow("line with its break") << "Txt_edit" << lines << 2 << line << "at"
                                             << "ab\n [0,3)";
        QTest::newRow("the empty last line") << "Txt_edit" << lines << 6 << line << "at"
                                             << " [6,6)";
        QTest::newRow("line before the empty last") << "Txt_edit" << lines << 6 << line << "before"
                                                    << "cd\n [3,6)";
        QTest::newRow("line after the first") << "Txt_edit" << lines << 0 << line << "after"
                                              << "cd\n [3,6)";
        QTest::newRow("line before the first") << "Txt_edit" << lines << 1 << line << "before"
                                               << " [-1,-1)";
        QTest::newRow("caret at -2") << "Txt_edit" << lines << -2 << line << "at"
                                     << "cd\n [3,6)";
        QTest::newRow("beyond the end") << "Txt_edit" << lines << 7 << line << "at"
                                        << " [-1,-1)";
        QTest::newRow("empty text") << "Txt_edit"
                                    << "" << 0 << word << "at"
                                    << " [0,0)";
        QTest::newRow("Chinese sentences") << "Txt_edit"
                                           << "你好。世界！" << 4 << sentence << "at"
                                           << "世界！ [3,6)";
    }
    void pieces() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(int, type);
        QFETCH(QString, side);
        QFETCH(QString, expected);
        QAccessibleTextInterface *read = control(name, text);
        QVERIFY(read);
        if (offset == -2)
            read->setCursorPosition(4);
        QCOMPARE(shown(ask(read, offset, QAccessible::TextBoundaryType(type), side)), expected);
    }

    // The caret, the selection and edits made through the reader reach the control.
    void caretSelectionAndEdits() {
        for (const QString name : {"Txt_table", "Txt_edit"}) {
            QAccessibleTextInterface *read = control(name, "abcdef");
            QVERIFY(read);
            read->setSelection(0, 1, 4);
            int start = 0;
            int end = 0;
            read->selection(0, &start, &end);
            QCOMPARE(QString("%1 %2 %3").arg(read->selectionCount()).arg(start).arg(end),
                     QString("1 1 4"));
            QCOMPARE(read->cursorPosition(), 4);
            read->removeSelection(0);
            QCOMPARE(read->selectionCount(), 0);
            read->setCursorPosition(99);
            QCOMPARE(read->cursorPosition(), 6);
            QAccessibleInterface *whole =
                QAccessible::queryAccessibleInterface(m_window->findChild<QWidget *>(name));
            whole->editableTextInterface()->replaceText(1, 3, "XY");
            whole->editableTextInterface()->insertText(6, "!");
            whole->editableTextInterface()->deleteText(0, 1);
            QCOMPARE(whole->text(QAccessible::Value), QString("XYdef!"));
            QVERIFY(whole->state().editable && !whole->state().readOnly);
        }
    }
};

QTEST_MAIN(TestAccessibleText)
#include "test_accessible_text.moc"
