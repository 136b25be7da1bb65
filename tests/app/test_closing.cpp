#include "TestSupport.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"

#include <QtTest>

namespace {
enum class Way { CloseBox, ExitButton };

void requestClose(Frm_java &w, Way way) {
    if (way == Way::CloseBox)
        w.close();
    else
        control<QPushButton>(&w, "Cmd_end")->click();
}
} // namespace

class TestClosing : public QObject {
    Q_OBJECT

private slots:
    void closing_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("prompts");
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        for (Way way : {Way::CloseBox, Way::ExitButton}) {
            const char *w = way == Way::CloseBox ? "close box" : "exit button";
            const int n = int(way);
            QTest::addRow("%s: nothing edited", w) << n << false << int(QMessageBox::Yes) << false
                                                   << "D:\\MyJava" << 0 << 0 << true << false;
            QTest::addRow("%s: yes saves", w) << n << true << int(QMessageBox::Yes) << false
                                              << "D:\\MyJava" << 1 << 0 << true << true;
            QTest::addRow("%s: yes with a failed save stays", w)
                << n << true << int(QMessageBox::Yes) << false << "MyJava" << 1 << 1 << false
                << false;
            QTest::addRow("%s: no closes unsaved", w) << n << true << int(QMessageBox::No) << false
                                                      << "D:\\MyJava" << 1 << 0 << true << false;
            QTest::addRow("%s: cancel stays", w) << n << true << int(QMessageBox::Cancel) << false
                                                 << "D:\\MyJava" << 1 << 0 << false << false;
            QTest::addRow("%s: escape stays", w) << n << true << int(QMessageBox::Cancel) << true
                                                 << "D:\\MyJava" << 1 << 0 << false << false;
        }
    }
    void closing() {
        QFETCH(int, way);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, escape);
        QFETCH(QString, folder);
        QFETCH(int, prompts);
        QFETCH(int, errors);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        FreshStart start;
        Frm_java w;
        w.show();
        control<QLineEdit>(&w, "Txt_table")->setText(folder);
        const QByteArray ini = start.readIni();
        if (edited)
            w.setEditorText("public class Hello {}");
        // The save prompt, then (after a failed save) the error message.
        MessageBoxAnswerer prompt(QMessageBox::StandardButton(answer), escape);
        requestClose(w, Way(way));
        std::vector<MessageSeen> seen = prompt.seen;
        QCOMPARE(int(seen.size()), prompts + errors);
        if (prompts) {
            QCOMPARE(seen[0].text, "将改动保存到 " + folder + "\\Hello.java？");
            QCOMPARE(seen[0].title, QString("保存确认"));
            QCOMPARE(seen[0].icon, QMessageBox::Warning);
            QCOMPARE(seen[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QCOMPARE(seen[0].defaultButton, QMessageBox::Yes);
        }
        if (errors)
            QCOMPARE(seen[1].title, QString("出错"));
        QCOMPARE(w.isVisible(), !closed);
        QCOMPARE(QFile::exists(start.home("MyJava/Hello.java")), saved);
        QCOMPARE(start.readIni(), ini); // closing writes no settings
        if (!closed)
            QVERIFY(!w.IsSaved);
    }

    void promptWithNoClassYet() {
        FreshStart start;
        Frm_java w;
        w.show();
        w.setEditorText("x");
        MessageBoxAnswerer prompt(QMessageBox::Cancel);
        w.close();
        QCOMPARE(prompt.seen.at(0).text, QString("将改动保存到 D:\\MyJava\\.java？"));
    }

    void dialogsCloseWithTheMainWindow() {
        FreshStart start;
        Frm_java w;
        w.show();
        auto *help = new Frm_help(&w);
        auto *about = new Frm_about(&w);
        help->show();
        about->show();
        QCOMPARE(Frm_help::loaded(), help);
        control<QPushButton>(&w, "Cmd_end")->click();
        QVERIFY(!help->isVisible());
        QVERIFY(!about->isVisible());
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestClosing)
#include "test_closing.moc"
