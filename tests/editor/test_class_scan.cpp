#include "LiteralScan.h"
#include "TestSupport.h"
#include "editor/CompactSource.h"
#include "editor/JavaLexis.h"
#include "editor/PackageLine.h"
#include "editor/TextHelpers.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
const QString kMain = QStringLiteral("public static void main(String[] args) { }");

struct Row {
    const char *tag;
    QString text;
    int count;
    QStringList names;
    QString file;
};

QList<Row> tableRows() {
    const QString crlf = "\r\n";
    return {
        {"empty", "", 0, {}, ""},
        {"capital Class", "public Class Foo {", 0, {}, ""},
        {"hello", "public class Hello {" + crlf + kMain + crlf + "}", 1, {"Hello"}, "Hello"},
        {"shape then main",
         "class Shape {" + crlf + "}" + crlf + "public class Main {" + crlf + kMain + crlf + "}",
         2,
         {"Shape", "Main"},
         "Main"},
        {"main first",
         "public class A {" + kMain + "}" + crlf + "class B {" + crlf + "}",
         2,
         {"A", "B"},
         "A"},
        {"applet",
         "public class MyApplet extends Applet {" + crlf + "}" + crlf + "class Util {" + crlf + "}",
         2,
         {"MyApplet", "Util"},
         "MyApplet"},
        {"three, no marker", "class A {} class B {} class C {}", 3, {"A", "B", "C"}, "A"},
        {"marker in B", "class A {} class B {" + kMain + "} class C {}", 3, {"A", "B", "C"}, "B"},
        {"marker in C", "class A {} class B {} class C {" + kMain + "}", 3, {"A", "B", "C"}, "C"},
        {"marker in a comment first",
         "// public static void main" + crlf + "class A {} class B {}",
         2,
         {"A", "B"},
         "A"},
        {"no brace yet", "public class A", 1, {""}, ""},
        {"brace at once", "class{", 1, {""}, ""},
        {"empty name chosen", "class {", 1, {""}, ""},
        {"trailing keyword", "public class A {" + kMain + "} class", 2, {"A", ""}, "A"},
        {"extends and implements",
         "public class Foo extends Bar implements Baz {",
         1,
         {"Foo"},
         "Foo"},
        {"type parameter", "class Foo<T>{", 1, {"Foo<T>"}, "Foo<T>"},
        {"name across lines", "class" + crlf + "Foo" + crlf + "{", 1, {"Foo"}, "Foo"},
        {"tab kept", "class\tFoo {", 1, {"\tFoo"}, "\tFoo"},
        {"subclass in a comment",
         "// subclass demo" + crlf + "public class Demo {" + kMain + "}",
         2,
         {"demopublic", "Demo"},
         "Demo"},
        {"marker with two spaces",
         "class A {} class B {public static  void main() {}}",
         2,
         {"A", "B"},
         "A"},
        {"CLASS", "public CLASS X {", 0, {}, ""},
    };
}

QString randomSource(QRandomGenerator &rng) {
    static const QStringList pieces{"class",
                                    "class",
                                    "{",
                                    "}",
                                    " ",
                                    " ",
                                    "\r\n",
                                    "\t",
                                    "A",
                                    "Bc",
                                    "public static void main",
                                    "中文",
                                    "x",
                                    "sub",
                                    "classy",
                                    "=",
                                    "  "};
    QString text;
    const int parts = int(rng.bounded(60));
    for (int i = 0; i < parts; ++i)
        text += pieces.at(int(rng.bounded(pieces.size())));
    return text;
}
} // namespace

class TestClassScan : public QObject {
    Q_OBJECT

private slots:
    void table_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("file");
        for (const Row &row : tableRows())
            QTest::newRow(row.tag) << row.text << row.count << row.names << row.file;
    }
    void table() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QStringList, names);
        QFETCH(QString, file);
        const ClassScanResult fast = scanClasses(text);
        QCOMPARE(fast.classCount, count);
        QCOMPARE(fast.classNames, names);
        QCOMPARE(fast.fileName, file);
        const ClassScanResult literal = literalScan(text);
        QCOMPARE(literal.classNames, names);
        QCOMPARE(literal.fileName, file);
    }

    // Through the real window: set the editor's text, read what the window shows.
    void tableThroughTheWindow_data() { table_data(); }
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

    void sameAsTheLiteralStepsOnGeneratedTexts() {
        QRandomGenerator rng(20261207);
        for (int i = 0; i < 20000; ++i) {
            const QString text = randomSource(rng);
            const ClassScanResult fast = scanClasses(text);
            const ClassScanResult literal = literalScan(text);
            // The window scans its own text, with LF line ends: that must not matter.
            const ClassScanResult lf = scanClasses(toWidgetText(text));
            if (fast.classCount != literal.classCount || fast.classNames != literal.classNames ||
                fast.fileName != literal.fileName || lf.classNames != literal.classNames ||
                lf.fileName != literal.fileName)
                QFAIL(qPrintable("differs for: " + text.toHtmlEscaped()));
        }
    }

    // Names that overlap ("class" repeated without spaces) add up to the square of the text:
    // they are exact all the same, hold no more characters of their own than the text has,
    // and stay right after the scanned text is gone.
    void overlappingNames_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("class repeated") << QString("class").repeated(400) + "{ }";
        QTest::newRow("with line breaks") << (QString("class\r\n").repeated(60) + "{").repeated(10);
        QTest::newRow("groups of short names")
            << (QString("class").repeated(51) + "{").repeated(40) + kMain;
        QTest::newRow("one long name") << "class " + QString(300, 'x') + "\r\ny {" + kMain;
        QTest::newRow("line breaks in long names")
            << (QString("class\n").repeated(120) + "{ } ").repeated(3);
    }
    void overlappingNames() {
        QFETCH(QString, text);
        const ClassScanResult literal = literalScan(text);
        ClassScanResult scan;
        {
            QString scanned = text;
            scanned.detach();
            scan = scanClasses(scanned);
            scanned.fill('?'); // the editor's text changes on
        }
        QCOMPARE(scan.classCount, literal.classCount);
        QCOMPARE(scan.classNames, literal.classNames);
        QCOMPARE(scan.fileName, literal.fileName);
        qsizetype owned = 0;
        for (const QString &name : scan.classNames)
            owned += name.isDetached() ? name.size() : 0; // the others refer to nameSource
        QVERIFY2(owned <= text.size(), qPrintable(QString::number(owned)));
        QVERIFY(scan.fileName.isDetached() || scan.fileName.isEmpty());
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

    // The package of the text's first statement, past white space and comments.
    void declaredPackages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("package");
        QTest::newRow("none") << "public class A {}"
                              << "";
        QTest::newRow("simple") << "package base2;\r\npublic class 九九乘法表 {}"
                                << "base2";
        QTest::newRow("qualified") << "package com.example.app;\nclass A {}"
                                   << "com.example.app";
        QTest::newRow("after comments")
            << "// 作业 1\n/* by me\n */\n  package  a . b ;\nclass A {}"
            << "a.b";
        QTest::newRow("form feed and tab are spaces too") << "\f\tpackage\fa\t.b;"
                                                          << "a.b";
        QTest::newRow("Chinese package") << "package 练习;\nclass A {}"
                                         << "练习";
        QTest::newRow("import first: no package line") << "import java.util.*;\npackage a;"
                                                       << "";
        QTest::newRow("in a comment only") << "// package a;\nclass A {}"
                                           << "";
        QTest::newRow("no semicolon") << "package a\nclass A {}"
                                      << "";
        QTest::newRow("another word") << "packages a;"
                                      << "";
        QTest::newRow("part starting with a digit") << "package a.1b;"
                                                    << "";
        QTest::newRow("empty part") << "package a..b;"
                                    << "";
        QTest::newRow("unfinished comment") << "/* package a;"
                                            << "";
        // As javac reads it: the byte-order mark, unicode escapes (in comments too), Java's
        // identifier characters.
        QTest::newRow("after a byte-order mark") << QString(QChar(0xFEFF)) + "package a;"
                                                 << "a";
        QTest::newRow("escaped keyword") << "\\u0070ackage a;"
                                         << "a";
        QTest::newRow("escaped dot, several u") << "package a\\uuu002eb;"
                                                << "a.b";
        QTest::newRow("escaped line end ends a line comment") << "// x \\u000a package a;"
                                                              << "a";
        QTest::newRow("an escaped backslash escapes nothing") << "// \\\\u000a package a;"
                                                              << "";
        QTest::newRow("malformed escape") << "package a\\u00zz;"
                                          << "";
        QTest::newRow("dollar, currency, connector") << "package $a.€b.‿c;"
                                                     << "$a.€b.‿c";
        QTest::newRow("combining mark, digits inside") << "package e\u0301t2;"
                                                       << "e\u0301t2";
        QTest::newRow("ignorable characters left out") << "package a\u200bb;"
                                                       << "ab";
        QTest::newRow("beyond the BMP") << "package 𠀀x;"
                                        << "𠀀x";
        QTest::newRow("no space is white space to javac") << "package\u3000a;"
                                                          << "";
    }
    void declaredPackages() {
        QFETCH(QString, text);
        QFETCH(QString, package);
        QCOMPARE(declaredPackage(text), package);
    }

    // Java's classes of characters at the edges of their ranges, as Character tells them.
    void javaCharacters_data() {
        QTest::addColumn<uint>("c");
        QTest::addColumn<QString>("kinds"); // s: space, g: ignorable, i: start, p: part
        const QList<QPair<uint, QString>> rows{
            {0x00, "gp"},   {0x08, "gp"}, {0x09, "s"},    {0x0B, ""},     {0x0C, "s"},
            {0x0D, "s"},    {0x0E, "gp"}, {0x1B, "gp"},   {0x1C, ""},     {0x20, "s"},
            {'$', "ip"},    {'0', "p"},   {'_', "ip"},    {'a', "ip"},    {0x7E, ""},
            {0x7F, "gp"},   {0x9F, "gp"}, {0xA0, ""},     {0xA2, "ip"},   {0x301, "p"},
            {0x200B, "gp"}, {0x3000, ""}, {0x4E2D, "ip"}, {0x203F, "ip"}, {0x20000, "ip"}};
        for (const auto &[c, kinds] : rows)
            QTest::newRow(qPrintable(QString("U+%1").arg(c, 4, 16, QChar('0')))) << c << kinds;
    }
    void javaCharacters() {
        QFETCH(uint, c);
        QFETCH(QString, kinds);
        QCOMPARE(javalexis::isSpace(c), kinds.contains('s'));
        QCOMPARE(javalexis::isIgnorable(c), kinds.contains('g'));
        QCOMPARE(javalexis::isIdentifierStart(c), kinds.contains('i'));
        QCOMPARE(javalexis::isIdentifierPart(c), kinds.contains('p'));
    }

    // Unicode escapes as javac translates them, and where each character came from.
    void unicodeEscapes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("translated");
        QTest::addColumn<QList<qsizetype>>("origins");
        QTest::newRow("one") << "a\\u0042c"
                             << "aBc" << QList<qsizetype>{0, 1, 7};
        QTest::newRow("several u, capitals") << "\\uuuu004A"
                                             << "J" << QList<qsizetype>{0};
        QTest::newRow("an escaped backslash")
            << "\\\\u0041"
            << "\\\\u0041" << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("three backslashes") << "\\\\\\u0041"
                                           << "\\\\A" << QList<qsizetype>{0, 1, 2};
        QTest::newRow("cut at the end") << "x\\u004"
                                        << "x\\u004" << QList<qsizetype>{0, 1, 2, 3, 4, 5};
        QTest::newRow("a backslash u at the very end") << "x\\u"
                                                       << "x\\u" << QList<qsizetype>{0, 1, 2};
        QTest::newRow("a backslash at the very end") << "x\\"
                                                     << "x\\" << QList<qsizetype>{0, 1};
        QTest::newRow("escapes in a row") << "\\u0041\\u0042"
                                          << "AB" << QList<qsizetype>{0, 6};
        QTest::newRow("not hexadecimal") << "\\u00g1"
                                         << "\\u00g1" << QList<qsizetype>{0, 1, 2, 3, 4, 5};
    }
    void unicodeEscapes() {
        QFETCH(QString, text);
        QFETCH(QString, translated);
        QFETCH(QList<qsizetype>, origins);
        QList<qsizetype> found;
        QCOMPARE(javalexis::withUnicodeEscapesTranslated(text, &found), translated);
        QCOMPARE(found, origins);
    }

    // A compact source file, as javac 25 tells it (the slow tests ask javac itself): members
    // outside any class, main among them.
    void compactSources_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("compact");
        QTest::newRow("main alone") << "void main() {}" << true;
        QTest::newRow("a generic record after main")
            << "void main() {}\nrecord R<T>(T t) {}" << true;
        QTest::newRow("a generic record before a class")
            << "record R<T>(T t) {}\nclass A {}" << false;
        QTest::newRow("a record holding main") << "record R(int x) { void main() {} }" << false;
        QTest::newRow("a field first") << "int count = 2;\nvoid main() {}" << true;
        QTest::newRow("a class holding main") << "class A { void main() {} }" << false;
        QTest::newRow("a class, then a method") << "class A {}\nvoid main() {}" << true;
        QTest::newRow("main in a comment") << "// void main() {}\nclass A {}" << false;
        QTest::newRow("an escaped void") << "\\u0076oid main() {}" << true;
        QTest::newRow("after an editor's byte-order mark") << "\uFEFFvoid main() {}" << true;
    }
    void compactSources() {
        QFETCH(QString, text);
        QFETCH(bool, compact);
        QCOMPARE(isCompactSource(text), compact);
    }
};

QTEST_MAIN(TestClassScan)
#include "test_class_scan.moc"
