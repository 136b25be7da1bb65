// The program's applet viewer, run by the JDK the tests were configured with: the one line it
// prints for each page or class it cannot show, and what an applet sees of its page on a
// virtual X server of the test's own.
#include "TestPaths.h"
#include "buildrun/JdkSearch.h"
#include "platform/System.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Applets and a class that is none, compiled once for all cases. Reporter prints what it sees
// of its page when it starts.
const char *const kSources[][2] = {
    {"Plain.java", "public class Plain {}"},
    {"Shown.java", "public class Shown extends java.applet.Applet {}"},
    {"classes/p/Reporter.java",
     "package p;\n"
     "public class Reporter extends java.applet.Applet {\n"
     "  public void start() {\n"
     "    java.awt.Container c = this; while (!(c instanceof java.awt.Frame)) c = c.getParent();\n"
     "    System.out.println(\"title=\" + ((java.awt.Frame) c).getTitle());\n"
     "    System.out.println(\"size=\" + getWidth() + \"x\" + getHeight());\n"
     "    System.out.println(\"a=\" + getParameter(\"a\") + \" b=\" + getParameter(\"b\")\n"
     "        + \" none=\" + getParameter(\"none\"));\n"
     "    System.out.println(\"code=\" + getCodeBase().getPath().endsWith(\"/classes/\")\n"
     "        + \" page=\" + getDocumentBase().getPath().endsWith(\"/page.html\"));\n"
     "    System.out.println(\"image=\" + (getImage(getCodeBase(), \"x.png\") != null)\n"
     "        + \" context=\" + (getAppletContext().getApplet(\"rep\") == this));\n"
     "    showStatus(\"状态\"); getAppletContext().showDocument(getDocumentBase());\n"
     "    System.out.println(\"started\");\n"
     "  }\n"
     "}\n"},
};
} // namespace

class TestAppletViewer : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    QString java() const { return kTestJdkBin + "/java"; }
    static QString jar() { return appletViewerFolder() + "/tarneljava-appletviewer.jar"; }

    void writePage(const QString &name, const QByteArray &text) const {
        QFile page(m_folder.filePath(name));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(text);
    }

    // The viewer's output (both streams) and exit code, run in the test's folder.
    QPair<QString, int> view(const QString &page, const QProcessEnvironment &environment) const {
        QProcess viewer;
        viewer.setWorkingDirectory(m_folder.path());
        viewer.setProcessEnvironment(environment);
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        viewer.start(java(), {"-jar", jar(), page});
        viewer.waitForFinished(60000);
        return {QString::fromUtf8(viewer.readAll()), viewer.exitCode()};
    }

    static QProcessEnvironment utf8Environment() {
        QProcessEnvironment environment;
        environment.insert("PATH", "/usr/bin:/bin");
        environment.insert("LC_ALL", "C.UTF-8");
        return environment;
    }

private slots:
    void initTestCase() {
        if (platform::kOnWindows)
            QSKIP("the viewer's own behaviour is the same on every system; tested on Linux");
        if (kTestJdkBin.isEmpty())
            QSKIP("no JDK was found when the project was configured");
        QStringList files;
        for (const auto &source : kSources) {
            const QString path = m_folder.filePath(source[0]);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(source[1]);
            files << source[0];
        }
        QProcess javac;
        javac.setWorkingDirectory(m_folder.path());
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(kTestJdkBin + "/javac",
                    QStringList{"-nowarn", "-encoding", "UTF-8", "-d", "."} << files.mid(0, 2));
        QVERIFY(javac.waitForFinished(120000));
        QCOMPARE(javac.exitCode(), 0);
        javac.start(kTestJdkBin + "/javac",
                    {"-nowarn", "-encoding", "UTF-8", "-d", "classes", files.at(2)});
        QVERIFY(javac.waitForFinished(120000));
        QVERIFY2(javac.exitCode() == 0, javac.readAll().constData());
    }

    // Without a display, and for what it cannot show: one Chinese line, no stack trace, and an
    // exit code that is not 0.
    void oneLineForWhatCannotBeShown_data() {
        QTest::addColumn<QByteArray>("page"); // "<none>": no page file
        QTest::addColumn<QString>("line");
        QTest::newRow("no page file")
            << QByteArray("<none>") << "无法读取页面 page.html: 找不到文件";
        QTest::newRow("no applet in the page")
            << QByteArray("<html><!-- <applet code=Shown.class> --><body>hi</body></html>")
            << "页面 page.html 中没有 <applet> 标记。";
        QTest::newRow("no code") << QByteArray("<applet width=10 height=10></applet>")
                                 << "<applet> 标记缺少 code 属性。";
        QTest::newRow("no class file") << QByteArray("<applet code=\"Nope.class\">")
                                       << "找不到小应用程序的类 Nope (在 file:%1/ 中)。";
        QTest::newRow("a class that is no applet")
            << QByteArray("<applet code=Plain.class width=10 height=10></applet>")
            << "Plain 不是小应用程序: 它不是 java.applet.Applet 的子类。";
        QTest::newRow("an applet, but no display")
            << QByteArray("<html>\r\n<applet code=\"Shown.class\" height=200 width=400>\r\n"
                          "</applet>\r\n</html>\r\n")
            << "无法打开小应用程序的窗口: 没有图形显示。";
        QTest::newRow("tags in any case, a codebase, a package")
            << QByteArray("<APPLET Code='p/Reporter.class' CODEBASE=classes WIDTH=9>")
            << "无法打开小应用程序的窗口: 没有图形显示。";
        // Any codebase or archive value: one line naming it, and the page's next applet is
        // still tried.
        QTest::newRow("a codebase that is no URL, then the next applet")
            << QByteArray("<applet code=Shown.class codebase=\"%zz\"></applet>"
                          "<applet code=Plain.class></applet>")
            << "小应用程序 Shown 的 codebase 无效: %zz\n"
               "Plain 不是小应用程序: 它不是 java.applet.Applet 的子类。";
        QTest::newRow("an archive that is no URL")
            << QByteArray("<applet code=Shown.class archive=\"lib.jar, %zz.jar\"></applet>")
            << "小应用程序 Shown 的 archive 无效: %zz.jar";
        QTest::newRow("a class in a package found by its plain name")
            << QByteArray("<applet code=Reporter.class codebase=\"classes/p\">")
            << "无法加载小应用程序的类 Reporter: Reporter (wrong name: p/Reporter)";
    }
    void oneLineForWhatCannotBeShown() {
        QFETCH(QByteArray, page);
        QFETCH(QString, line);
        QFile::remove(m_folder.filePath("page.html"));
        if (page != "<none>")
            writePage("page.html", page);
        const auto [output, code] = view("page.html", utf8Environment());
        QCOMPARE(output, QString(line).replace("%1", QDir(m_folder.path()).canonicalPath()) + "\n");
        QVERIFY(code != 0);
    }

    // On a display: the window's title and size, the page's parameters in any case, the code
    // base and document base, and the context's services.
    void whatTheAppletSees() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            QSKIP("Xvfb is not installed");
        writePage("page.html", "<HTML><Applet name=rep code=\"p.Reporter.class\" codebase=classes/ "
                               "width=120 height=80>\n<PARAM NAME=A VALUE=\"x &amp; y\">"
                               "<param name='B' value=甲></APPLET></HTML>");
        QProcess server;
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        QVERIFY(server.waitForReadyRead(20000));
        const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();
        QProcessEnvironment environment = utf8Environment();
        environment.insert("DISPLAY", display);
        QProcess viewer;
        viewer.setWorkingDirectory(m_folder.path());
        viewer.setProcessEnvironment(environment);
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        viewer.start(java(), {"-jar", jar(), "page.html"});
        QVERIFY(viewer.waitForStarted());
        QDeadlineTimer deadline(60000);
        QByteArray output;
        while (!output.contains("started") && !deadline.hasExpired() &&
               viewer.state() == QProcess::Running) {
            viewer.waitForReadyRead(1000);
            output += viewer.readAll();
        }
        viewer.kill();
        viewer.waitForFinished();
        server.terminate();
        server.waitForFinished();
        QCOMPARE(QString::fromUtf8(output),
                 QString("title=小应用程序查看器: p.Reporter.class\nsize=120x80\n"
                         "a=x & y b=甲 none=null\ncode=true page=true\n"
                         "image=true context=true\nstarted\n"));
    }
};

QTEST_GUILESS_MAIN(TestAppletViewer)
#include "test_applet_viewer.moc"
