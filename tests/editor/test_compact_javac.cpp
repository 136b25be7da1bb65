#include "TestPaths.h"
#include "buildrun/JdkSearch.h"
#include "editor/CompactSource.h"
#include "platform/System.h"

#include <QRegularExpression>
#include <QtTest>

// Compact or not, as javac 25 decides it: javac names a compact source file's class after the
// file, so Probe.java gives Probe.class exactly when the text is one (or declares Probe itself).
class TestCompactJavac : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (platform::kOnWindows)
            QSKIP("the machine's JDKs are Linux programs");
        if (kTestNewJdkBin.isEmpty() || jdkOfBin(kTestNewJdkBin).version < 25)
            QSKIP("no JDK 25 or newer on this machine");
    }

    void sameVerdictAsJavac_data() {
        QTest::addColumn<QString>("text");
        const QStringList compact = {
            "void main() { record P(int x) {} IO.println(new P(1)); }",
            "void main() { IO.println(new P(1)); }\nrecord P(int x) {}",
            "void main() { IO.println(Color.RED); }\nenum Color { RED }",
            "void main() {}\ninterface Shape { double area(); }",
            "void main() { class Local {} new Local(); }",
            "void main() {}\n@interface Tag {}",
            "void main() {}\nclass Box { static class In {} }",
            "int count = 2;\nint twice(int x) { return 2 * x; }\nvoid main() {}",
            "import java.util.*;\n@SuppressWarnings(\"x\") <T> List<T> none() { return List.of(); "
            "}\nvoid main() {}",
            "int[] a = {1, 2};\nRunnable r = new Runnable() { public void run() {} };\n"
            "Class<?> c = String.class;\npublic static void main(String[] args) {}",
            "// class Other {}\nString s = \"class X {\";\n\\u0076oid main() {}",
        };
        const QStringList classic = {
            "class Outer { static class In {} public static void main(String[] a) {} }",
            "class A {}\nclass B { public static void main(String[] a) {} }",
            "class Shapes { record P(int x) {} void main() {} }",
            "enum Color { RED; public static void main(String[] a) {} }",
            "// void main() {}\ninterface Game { String s = \"void main() {\"; }",
        };
        const auto row = [](const char *kind, const QString &text) {
            QTest::newRow(qPrintable(kind + QString(text).replace('\n', ' '))) << text;
        };
        for (const QString &text : compact)
            row("compact: ", text);
        // A method after the classes makes them members of a compact file's class.
        for (const QString &text : classic) {
            row("classic: ", text);
            row("then a method: ", text + "\nvoid main() {}");
        }
    }
    void sameVerdictAsJavac() {
        QFETCH(QString, text);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile file(folder.filePath("Probe.java"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C.UTF-8");
        QProcess javac;
        javac.setProcessEnvironment(environment);
        javac.setWorkingDirectory(folder.path());
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(kTestNewJdkBin + "/javac", {"-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                                                "-encoding", "UTF-8", "Probe.java"});
        QVERIFY(javac.waitForFinished(120000));
        QVERIFY2(javac.exitStatus() == QProcess::NormalExit && javac.exitCode() == 0,
                 javac.readAll().constData());
        const bool declaresProbe =
            text.contains(QRegularExpression("\\b(class|interface|enum|record)\\s+Probe\\b"));
        const bool javacSaysCompact =
            QFile::exists(folder.filePath("Probe.class")) && !declaresProbe;
        QCOMPARE(isCompactSource(text), javacSaysCompact);
    }
};

QTEST_GUILESS_MAIN(TestCompactJavac)
#include "test_compact_javac.moc"
