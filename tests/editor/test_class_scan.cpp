#include "ClassScanRows.h"
#include "LiteralScan.h"
#include "editor/CompactSource.h"
#include "editor/JavaLexis.h"
#include "editor/PackageLine.h"
#include "editor/TextHelpers.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace class_scan_rows;

namespace {

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
    void table_data() { addTableRows(); }
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
