#include "platform/PathMapping.h"
#include "tools/ScriptInterpreter.h"

#include <QDir>
#include <QtTest>

// The build-script interpreter with a console that records what happens.
class TestInterpreter : public QObject {
    Q_OBJECT

    QString m_output;
    QStringList m_runs;
    int m_keys = 0;
    QString m_folder = "/start";
    QStringList m_knownPrograms{"javac", "java"};

    ScriptInterpreter interpreter() {
        return ScriptInterpreter({
            [this](const QString &text) { m_output += text; },
            [this] { ++m_keys; },
            [this](const QString &program, const QStringList &args) {
                if (!m_knownPrograms.contains(program))
                    return false;
                m_runs << (QStringList{program} + args).join(' ');
                return true;
            },
            [this](const QString &folder) {
                if (folder.contains("missing"))
                    return false;
                m_folder = folder;
                return true;
            },
            [this] { return m_folder; },
        });
    }

private slots:
    void init() {
        m_output.clear();
        m_runs.clear();
        m_keys = 0;
        m_folder = "/start";
    }

    void buildScriptRuns() {
        interpreter().runScript({"@echo off", "D:", "cd D:\\MyJava\\ClassFiles",
                                 "echo ------------编译中...------------", "javac Hello.java",
                                 "echo ----------编译+运行完成----------", "java Hello", "pause"});
        QCOMPARE(m_folder, platform::toHostPath("D:\\MyJava\\ClassFiles"));
        QCOMPARE(m_runs, QStringList({"javac Hello.java", "java Hello"}));
        QCOMPARE(m_keys, 1);
        QCOMPARE(m_output, QString("------------编译中...------------\n"
                                   "----------编译+运行完成----------\n"
                                   "请按任意键继续. . . \n"));
    }

    void missingProgramIsReportedAndTheScriptGoesOn() {
        interpreter().runScript({"@echo off", "appletviewer Hello.HTML", "pause"});
        QCOMPARE(m_output, QString("'appletviewer' 不是内部或外部命令，也不是可运行的程序\n"
                                   "或批处理文件。\n请按任意键继续. . . \n"));
        QCOMPARE(m_keys, 1);
    }

    void echoOnShowsTheCommands() {
        interpreter().runScript({"echo hi", "@echo off", "echo there"});
        QCOMPARE(m_output, "\n" + platform::toWindowsPath("/start") + ">echo hi\nhi\nthere\n");
    }

    void folderThatIsMissing() {
        interpreter().runScript({"@echo off", "cd D:\\missing"});
        QCOMPARE(m_output, QString("系统找不到指定的路径。\n"));
        QCOMPARE(m_folder, QString("/start"));
    }

    void emptyLinesAndOtherDrives() {
        interpreter().runScript({"@echo off", "", "D:", "cd E:\\Other", "java "});
        QCOMPARE(m_folder, platform::toHostPath("D:\\")); // cd to another drive stays put
        QCOMPARE(m_runs, QStringList{"java"});
    }
};

QTEST_GUILESS_MAIN(TestInterpreter)
#include "test_interpreter.moc"
