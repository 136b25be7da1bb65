#pragma once
// Texts and the classes the scan finds in them, shared by the scan's own test and the window's.
#include <QString>
#include <QStringList>
#include <QTest>

namespace class_scan_rows {
inline const QString kMain = QStringLiteral("public static void main(String[] args) { }");

struct Row {
    const char *tag;
    QString text;
    int count;
    QStringList names;
    QString file;
};

inline QList<Row> tableRows() {
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

// The rows as a test's data: the text, the class count, the names, the file name.
inline void addTableRows() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("file");
    for (const Row &row : tableRows())
        QTest::newRow(row.tag) << row.text << row.count << row.names << row.file;
}
} // namespace class_scan_rows
