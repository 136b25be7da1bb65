// What the learner is shown of a failed compile: javac's diagnostics read from its real output
// (captured from JDK 17 and Temurin 25 in English and Chinese; the JDK 8 files are written in its
// format, with a Windows console's line ends), full-width punctuation found in the code only,
// and the places the editor marks.
#include "buildrun/CompileRecord.h"
#include "editor/ErrorPlaces.h"
#include "platform/TextFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString capturedOutput(const QString &name) {
    QFile file(":/javac-output/" + name + ".txt");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// "line:column:kind:message", the message's lines joined by "|".
QStringList described(const QList<JavacDiagnostic> &diagnostics) {
    QStringList lines;
    for (const JavacDiagnostic &d : diagnostics)
        lines << QString("%1:%2:%3:%4:%5")
                     .arg(d.file)
                     .arg(d.line)
                     .arg(d.column)
                     .arg(d.error ? "e" : "w", QString(d.message).replace('\n', '|'));
    return lines;
}

QStringList described(const QList<FullWidthMark> &marks) {
    QStringList lines;
    for (const FullWidthMark &m : marks)
        lines << QString("%1:%2:%3%4").arg(m.line).arg(m.column).arg(m.typed).arg(m.meant);
    return lines;
}
} // namespace

class TestCompileErrors : public QObject {
    Q_OBJECT

private slots:
    void javacOutputs_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("diagnostics");
        const QString cannotFind = "Broken.java:4:23:e:cannot find symbol|symbol:   variable "
                                   "undefinedName|location: class Broken";
        const QStringList semantic{
            "Broken.java:4:10:e:incompatible types: String cannot be converted to int", cannotFind,
            "Broken.java:7:9:e:method foo in class Broken cannot be applied to given "
            "types;|required: int|found:    int,int|reason: actual and formal argument lists "
            "differ in length"};
        const QStringList semanticZh{
            "Broken.java:4:10:e:不兼容的类型: String无法转换为int",
            "Broken.java:4:23:e:找不到符号|符号:   变量 undefinedName|位置: 类 Broken",
            "Broken.java:7:9:e:无法将类 Broken中的方法 foo应用到给定类型;|需要: int|找到:    "
            "int,int|原因: 实际参数列表和形式参数列表长度不同"};
        const QString removal = "Broken.java:11:43:w:[removal] stop() in Thread has been "
                                "deprecated and marked for removal";
        const QString removalZh = "Broken.java:11:43:w:[removal] Thread 中的 stop() 已过时, "
                                  "且标记为待删除";
        QStringList jdk8 = semantic;
        jdk8[2].replace("found:    int", "found: int");
        QTest::newRow("JDK 8, English, CR LF") << capturedOutput("jdk8-en-semantic") << jdk8;
        QTest::newRow("JDK 8, Chinese, CR LF")
            << capturedOutput("jdk8-zh-syntax") << QStringList{"Broken.java:5:33:e:需要';'"};
        for (const QString jdk : {"17", "25"}) {
            const bool warns = jdk == "25";
            QTest::addRow("JDK %s, English, syntax", qPrintable(jdk))
                << capturedOutput("jdk" + jdk + "-en-syntax")
                << QStringList{"Broken.java:5:33:e:';' expected"};
            QTest::addRow("JDK %s, Chinese, syntax", qPrintable(jdk))
                << capturedOutput("jdk" + jdk + "-zh-syntax")
                << QStringList{"Broken.java:5:33:e:需要';'"};
            QTest::addRow("JDK %s, English, notes and a warning", qPrintable(jdk))
                << capturedOutput("jdk" + jdk + "-en-semantic")
                << semantic + (warns ? QStringList{removal} : QStringList{});
            QTest::addRow("JDK %s, Chinese, notes and a warning", qPrintable(jdk))
                << capturedOutput("jdk" + jdk + "-zh-semantic")
                << semanticZh + (warns ? QStringList{removalZh} : QStringList{});
            QTest::addRow("JDK %s, four errors on one line", qPrintable(jdk))
                << capturedOutput("jdk" + jdk + "-zh-punct")
                << QStringList{"Punct.java:3:27:e:非法字符: '\\uff08'",
                               "Punct.java:3:19:e:不是语句",
                               "Punct.java:3:32:e:非法字符: '\\uff09'",
                               "Punct.java:3:33:e:非法字符: '\\uff1b'",
                               "Punct.java:4:18:e:非法字符: '\\uff1b'"};
        }
        QTest::newRow("a full path, a lone CR")
            << "D:\\My Java\\ClassFiles\\A.java:12: error: x\r  int y\r  ^\r"
            << QStringList{"D:\\My Java\\ClassFiles\\A.java:12:3:e:x"};
        QTest::newRow("no caret line")
            << "A.java:2: error: class, interface, enum, or record expected\n1 error\n"
            << QStringList{"A.java:2:0:e:class, interface, enum, or record expected"};
        QTest::newRow("messages without a place")
            << "error: file not found: X.java\nUsage: javac <options> <source files>\n"
               "warning: [options] bootstrap class path not set\nA.java:0: error: x\n1 error\n"
            << QStringList{};
        QTest::newRow("a message that names another place")
            << "A.java:3: error: a: B.java:4: error: b\n x\n ^\n"
            << QStringList{"A.java:3:2:e:a: B.java:4: error: b"};
    }
    void javacOutputs() {
        QFETCH(QString, output);
        QFETCH(QStringList, diagnostics);
        QCOMPARE(described(readJavacDiagnostics(output)), diagnostics);
    }

    void sourceFileNames_data() {
        QTest::addColumn<QString>("javacFile");
        QTest::addColumn<bool>("names");
        QTest::newRow("as given") << "Hello.java" << true;
        QTest::newRow("in a folder") << "/home/me/MyJava/ClassFiles/Hello.java" << true;
        QTest::newRow("a Windows path, another case") << "D:\\MyJava\\HELLO.java" << true;
        QTest::newRow("another file") << "Util.java" << false;
        QTest::newRow("a longer name") << "MyHello.java" << false;
    }
    void sourceFileNames() {
        QFETCH(QString, javacFile);
        QFETCH(bool, names);
        QCOMPARE(namesSourceFile(javacFile, "Hello.java"), names);
    }

    void fullWidthPunctuation_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("marks"); // line:column, the character, what to type
        QTest::newRow("a statement's end") << "int a = 1；" << QStringList{"1:10:；;"};
        QTest::newRow("Chinese quotes and brackets")
            << "System.out.println（“hi”）;"
            << QStringList{"1:19:（(", "1:20:“\"", "1:23:”\"", "1:24:）)"};
        QTest::newRow("every one of them")
            << "；，。：（）｛｝【】［］“”‘’＝＋－＊／＜＞！？＆｜％\u3000"
            << QStringList{"1:1:；;",  "1:2:，,",  "1:3:。.",  "1:4:：:",     "1:5:（(",
                           "1:6:）)",  "1:7:｛{",  "1:8:｝}",  "1:9:【[",     "1:10:】]",
                           "1:11:［[", "1:12:］]", "1:13:“\"", "1:14:”\"",    "1:15:‘'",
                           "1:16:’'",  "1:17:＝=", "1:18:＋+", "1:19:－-",    "1:20:＊*",
                           "1:21:／/", "1:22:＜<", "1:23:＞>", "1:24:！!",    "1:25:？?",
                           "1:26:＆&", "1:27:｜|", "1:28:％%", "1:29:\u3000 "};
        QTest::newRow("Chinese text and other full-width signs")
            << "int 你好 = 1＠；" << QStringList{"1:12:；;"};
        QTest::newRow("in strings and characters")
            << "s = \"你好；\" + '；' + \"a\\\"；\";" << QStringList{};
        QTest::newRow("in comments")
            << "// 注释；\n/* （多行）\n ； */ x；" << QStringList{"3:8:；;"};
        QTest::newRow("in a text block, then after it")
            << "s = \"\"\"\n  一，二；\n  \\\"\"\" ；\n  \"\"\"；" << QStringList{"4:6:；;"};
        QTest::newRow("an unfinished string ends with its line")
            << "s = \"abc；\nx；" << QStringList{"2:2:；;"};
        QTest::newRow("an unfinished comment") << "x；/* ；" << QStringList{"1:2:；;"};
        QTest::newRow("CR LF and lone CR line ends")
            << "a;\r\nb；\rc\n\r；" << QStringList{"2:2:；;", "5:1:；;"};
        QTest::newRow("an escape counts where it starts")
            << "int a\\u003d 1\\uff1b x\\uuFF08" << QStringList{"1:14:；;", "1:22:（("};
        QTest::newRow("an escaped backslash escapes nothing") << "a \\\\uff1b" << QStringList{};
        QTest::newRow("an escape inside a string") << "\"\\uff1b\"" << QStringList{};
        QTest::newRow("an escaped quote ends no string")
            << "s = \\u0022；\"；" << QStringList{"1:13:；;"};
        QTest::newRow("beyond the BMP before it") << "s𠀀；" << QStringList{"1:4:；;"};
    }
    void fullWidthPunctuation() {
        QFETCH(QString, text);
        QFETCH(QStringList, marks);
        QCOMPARE(described(findFullWidthPunctuation(text)), marks);
    }

    void fullWidthHintTexts() {
        const QList<FullWidthMark> marks{
            {20, 25, QChar(u'；'), ";"}, {3, 1, QChar(0x3000), " "}, {4, 2, QChar(u'，'), ","}};
        QCOMPARE(fullWidthHints(marks, 3),
                 QStringList({"提示：第 20 行第 25 列是中文标点“；”，Java 程序里要用英文标点“;”。",
                              "提示：第 3 行第 1 列是中文空格“\u3000”，Java 程序里要用英文空格。",
                              "提示：第 4 行第 2 列是中文标点“，”，Java 程序里要用英文标点“,”。"}));
        const QStringList cut = fullWidthHints(marks, 1);
        QCOMPARE(cut.size(), 2);
        QCOMPARE(cut.last(), QString("提示：另有 2 处中文标点，编辑区中都已标出。"));
        QCOMPARE(fullWidthHints({}, 1), QStringList());
    }

    void placesMarked_data() {
        QTest::addColumn<bool>("failed");
        QTest::addColumn<bool>("byteOrderMark");
        QTest::addColumn<QStringList>("places");
        const QString hint = "提示：第 2 行第 5 列是中文标点“；”，Java 程序里要用英文标点“;”。";
        QTest::newRow("a failed compile")
            << true << false
            << QStringList{"1:3:first", "2:5:" + hint, "2:5:b", "2:7:c", "9:0:no caret"};
        QTest::newRow("with a byte-order mark: line 1 one further")
            << true << true
            << QStringList{"1:4:first", "2:5:" + hint, "2:5:b", "2:7:c", "9:0:no caret"};
        QTest::newRow("a good compile: the punctuation only")
            << false << false << QStringList{"2:5:" + hint};
    }
    void placesMarked() {
        QFETCH(bool, failed);
        QFETCH(bool, byteOrderMark);
        QFETCH(QStringList, places);
        const QList<JavacDiagnostic> diagnostics{
            {"A.java", 2, 7, true, "c"},          {"A.java", 2, 5, true, "b"},
            {"A.java", 3, 1, false, "a warning"}, {"Other.java", 1, 1, true, "elsewhere"},
            {"A.java", 9, 0, true, "no caret"},   {"a.JAVA", 1, 3, true, "first"}};
        QStringList found;
        for (const ErrorPlace &place :
             errorPlaces({{2, 5, QChar(u'；'), ";"}}, diagnostics, "A.java", failed, byteOrderMark))
            found << QString("%1:%2:%3").arg(place.line).arg(place.column).arg(place.message);
        QCOMPARE(found, places);
    }

    // The launcher's record as the program takes it after the build: the exit file tells
    // whether javac ended and how; both files are gone afterwards.
    void compileRecordsTaken_data() {
        QTest::addColumn<QByteArray>("exitFile"); // "<none>": no such file
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("failed");
        QTest::newRow("failed") << QByteArray("1") << true << true;
        QTest::newRow("succeeded") << QByteArray("0") << true << false;
        QTest::newRow("ended by Ctrl+C, a line end") << QByteArray("130\r\n") << true << true;
        QTest::newRow("javac never ended") << QByteArray("<none>") << false << false;
        QTest::newRow("cut short") << QByteArray("") << false << false;
    }
    void compileRecordsTaken() {
        QFETCH(QByteArray, exitFile);
        QFETCH(bool, ended);
        QFETCH(bool, failed);
        QTemporaryDir folder;
        const QString record = newCompileRecordFile(folder.path());
        QVERIFY(record.startsWith(folder.path()));
        QVERIFY(newCompileRecordFile(folder.path()) != record);
        const QString output = "A.java:1: 错误: 需要';'\n";
        QFile file(record);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(platform::toSystemCodePage(output));
        file.close();
        if (exitFile != "<none>") {
            QFile exit(record + ".exit");
            QVERIFY(exit.open(QIODevice::WriteOnly));
            exit.write(exitFile);
        }
        const CompileRecord taken = takeCompileRecord(record);
        QCOMPARE(taken.ended, ended);
        QCOMPARE(taken.failed(), failed);
        QCOMPARE(taken.output, output);
        QVERIFY(QDir(folder.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCompileErrors)
#include "test_compile_errors.moc"
