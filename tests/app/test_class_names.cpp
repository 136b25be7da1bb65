// The class names the main window shows for its editor's text: set, typed, pasted or opened.
#include "TestSupport.h"
#include "editor/ClassScanRows.h"

#include <QtTest>

using namespace class_scan_rows;

class TestClassNames : public QObject {
    Q_OBJECT

private slots:
    void tableThroughTheWindow_data() { addTableRows(); }
    // Through the real window: set the editor's text, read what the window shows.
    void tableThroughTheWindow() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QStringList, names);
        QFETCH(QString, file);
        FreshStart start;
        Frm_java w;
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Class_Name"));
        QCOMPARE(w.ClassCount, 0);
        QVERIFY(w.IsSaved);
        w.setEditorText(text.isEmpty() ? QString("x") : text);
        if (text.isEmpty())
            w.setEditorText(text);
        QCOMPARE(w.editorText(), text);
        QCOMPARE(w.ClassCount, count);
        QCOMPARE(w.ClassNames, names);
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), file);
        QVERIFY(!w.IsSaved);
    }

    // A compact source file (JDK 25: a method or field outside every type declaration) takes
    // the name of the file it was opened from, when that can name a class, else Main; every
    // other text keeps the scan's name ("" where it finds no "class").
    void compactSourceNames_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opened"); // "": typed
        QTest::addColumn<QString>("file");
        const QString body = "void main() {\n    IO.println(\"你好\");\n}\n";
        QTest::newRow("typed") << body << ""
                               << "Main";
        QTest::newRow("opened from a file") << body << "Hello.java"
                                            << "Hello";
        QTest::newRow("from a file whose name is no class name") << body << "my program.java"
                                                                 << "Main";
        QTest::newRow("class only in a comment")
            << "// A program without a class declaration.\n" + body << "Greet.java"
            << "Greet";
        QTest::newRow("class only in strings, a character, a text block")
            << "String s = \"class X {\";\nchar c = '{';\nString t = \"\"\"\n  class Y "
               "{\n\"\"\";\n" +
                   body
            << ""
            << "Main";
        QTest::newRow("a class literal is no declaration")
            << "void main() { IO.println(String.class); }"
            << ""
            << "Main";
        QTest::newRow("an instance main with arguments, throws")
            << "void main(String[] args) throws Exception { }"
            << ""
            << "Main";
        QTest::newRow("escaped class keyword is one") << "\\u0063lass A { void main() {} }"
                                                      << ""
                                                      << "";
        QTest::newRow("void main in a class") << "class A { void main() {} }"
                                              << "B.java"
                                              << "A";
        QTest::newRow("an interface holding main")
            << "interface Game { static void main(String[] a) {} }"
            << ""
            << "";
        QTest::newRow("a record holding main: no compact file")
            << "record Point(int x) { public static void main(String[] a) {} }"
            << ""
            << "";
        QTest::newRow("an enum") << "enum Color { RED; void main() {} }"
                                 << ""
                                 << "";
        const auto typed = [](const char *tag, const QString &text, const char *file) {
            QTest::newRow(tag) << text << QString() << QString(file);
        };
        typed("a field without main", "int x = 1;", "Main");
        typed("a method, main called in it", "void run() { main(null); }", "Main");
        typed("a field only", "int x;", "Main");
        typed("a local record", "void main() { record P(int x) {} }", "Main");
        typed("a record after main", "void main() {}\nrecord P(int x) {}", "Main");
        typed("an enum after main", "void main() {}\nenum E { A }", "Main");
        typed("an interface after main", "void main() {}\ninterface I {}", "Main");
        typed("an annotation type after main", "void main() {}\n@interface Tag {}", "Main");
        typed("a local class", "void main() { class L {} }", "Main");
        typed("a class, then a method", "class A { int f() { return 1; } }\nvoid m() {}", "Main");
        typed("a nested class and main", "class Out { " + kMain + " static class In {} }", "Out");
        typed("a statement only", "System.out.println(1);", "");
        typed("new, return, assignment", "new A(); return x; x = 5; a.b = 1; a[0] = 2;", "");
        typed("a class literal in a field", "Class<?> c = A.class;\nclass A {}", "Main");
        typed("an escaped void", "\\u0076oid main() {}", "Main");
        typed("an ignorable character in a keyword", "rec\\u200Bord R(int x) {}", "");
        typed("main only in comments", "// void main() {}\n/* int x; */", "");
        typed("main only in a string, a text block", "\"void main() {\"\n\"\"\"\nint x;\"\"\"", "");
        typed("imports, a generic method", "import a.*;\nimport static b.C.d;\n<T> T g() {}",
              "Main");
        typed("import module", "import module m;", "");
        typed("a module declaration", "open module m { requires a; }", "");
        typed("package, annotation arguments", "package p;\n@A(x = 1) @B({\"y\"}) int f() {}",
              "Main");
        typed("an annotated class", "@A(k = 1) class K { int x; }", "K");
        typed("qualified and array types", "java.util.List<String>[] f() {}", "Main");
        typed("generic type arguments", "Map<String, Integer> m;", "Main");
        typed("a field list", "int a, b;", "Main");
        typed("a record's type parameters", "record P<@A T, U>(T t) {}", "");
        typed("a type named beyond the BMP", "𠀀x y;", "Main");
        typed("a class literal is no declaration", "A.class int y;", "Main");
        typed("a block", "static { int y = 1; }", "");
        typed("a stray brace ends a header", "class A\n}\n} int y;", "Main");
        typed("unfinished", "void main(", "Main");
        typed("unfinished annotation", "@A( int x;", "");
    }
    void compactSourceNames() {
        QFETCH(QString, text);
        QFETCH(QString, opened);
        QFETCH(QString, file);
        FreshStart start;
        Frm_java w;
        if (!opened.isEmpty()) {
            const QString path = start.home(opened);
            QVERIFY(platform::writeLines(path, {text}));
            const auto dialog = Frm_java::chooseOpenFile;
            Frm_java::chooseOpenFile = [path](QWidget *, const QString &) { return path; };
            control<QPushButton>(&w, "Cmd_open")->click();
            Frm_java::chooseOpenFile = dialog;
        } else {
            w.setEditorText(text);
        }
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), file);
    }

    void typingPastingAndSettingAgree() {
        const QString source =
            "class Shape {\n}\npublic class Main {\n  public static void main(String[] a) {\n  "
            "}\n}\n";
        FreshStart start;
        Frm_java typed;
        auto *edit = control<QPlainTextEdit>(&typed, "Txt_edit");
        const QStringList lines = source.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            QTest::keyClicks(edit, lines.at(i));
            if (i + 1 < lines.size())
                QTest::keyClick(edit, Qt::Key_Return);
        }
        Frm_java pasted;
        control<QPlainTextEdit>(&pasted, "Txt_edit")->insertPlainText(source);
        Frm_java set;
        set.setEditorText(QString(source).replace("\n", "\r\n"));
        for (Frm_java *w : {&typed, &pasted}) {
            QCOMPARE(w->editorText(), set.editorText());
            QCOMPARE(w->ClassNames, set.ClassNames);
            QCOMPARE(control<QLineEdit>(w, "Txt_file")->text(), QString("Main"));
        }
        // Writing the file-name field starts no scan.
        control<QLineEdit>(&set, "Txt_file")->setText("Other");
        QCOMPARE(set.ClassNames, QStringList({"Shape", "Main"}));
    }

    void lineEndsOfEveryKindAreTaken() {
        FreshStart start;
        Frm_java w;
        w.setEditorText("class\rA\n{\r\n");
        QCOMPARE(w.editorText(), QString("class\r\nA\r\n{\r\n"));
        QCOMPARE(w.ClassNames, QStringList{"A"});
    }

    void ctrlASelectsAll() {
        FreshStart start;
        Frm_java w;
        auto *edit = control<QPlainTextEdit>(&w, "Txt_edit");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); // empty: nothing to select
        QCOMPARE(edit->textCursor().selectionStart(), 0);
        QCOMPARE(edit->textCursor().selectedText(), QString());
        QVERIFY(w.IsSaved); // no change, no scan

        w.setEditorText("class A {\r\n}");
        w.IsSaved = true;
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(3);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit->textCursor().selectionStart(), 0);
        QCOMPARE(edit->textCursor().selectionEnd(), edit->toPlainText().size());
        QVERIFY(w.IsSaved);
        QCOMPARE(w.editorText(), QString("class A {\r\n}"));
    }
};

QTEST_MAIN(TestClassNames)
#include "test_class_names.moc"
