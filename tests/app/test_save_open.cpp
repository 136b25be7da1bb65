#include "TestSupport.h"

#include <QtTest>

namespace {
const QString kFolderError = "文件目录设置错误！请重新设置...";

void setFolder(Frm_java &w, const QString &folder) {
    control<QLineEdit>(&w, "Txt_table")->setText(folder);
}
} // namespace

class TestSaveOpen : public QObject {
    Q_OBJECT

private slots:
    void saving_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("savedAs");
        QTest::addColumn<QString>("saved");
        QTest::newRow("class name") << "D:\\MyJava"
                                    << "public class Hello {\r\n}"
                                    << "MyJava/Hello.java"
                                    << "public class Hello {\r\n}";
        QTest::newRow("empty name") << "D:\\MyJava"
                                    << "no class { }"
                                    << "MyJava/None_Name.java"
                                    << "no class { }";
        QTest::newRow("blank lines after the last brace") << "D:\\MyJava"
                                                          << "class A {\r\n}\r\n\r\n"
                                                          << "MyJava/A.java"
                                                          << "class A {\r\n}";
        QTest::newRow("no brace at all") << "D:\\MyJava"
                                         << "class A\r\n"
                                         << "MyJava/None_Name.java"
                                         << "class A\r\n";
        QTest::newRow("drive root: doubled separator") << "D:\\"
                                                       << "class R {}"
                                                       << "R.java"
                                                       << "class R {}";
        QTest::newRow("chain of missing folders") << "D:\\a\\b\\c"
                                                  << "class C {}"
                                                  << "a/b/c/C.java"
                                                  << "class C {}";
        QTest::newRow("chinese") << "D:\\我的代码"
                                 << "class 类 { String s = \"你好\"; }"
                                 << "我的代码/类.java"
                                 << "class 类 { String s = \"你好\"; }";
    }
    void saving() {
        QFETCH(QString, folder);
        QFETCH(QString, text);
        QFETCH(QString, savedAs);
        QFETCH(QString, saved);
        FreshStart start;
        Frm_java w;
        setFolder(w, folder);
        w.setEditorText(text);
        QVERIFY(!w.IsSaved);
        MessageBoxAnswerer noMessage(QMessageBox::Ok);
        control<QPushButton>(&w, "Cmd_save")->click();
        QVERIFY(noMessage.seen.empty());
        QVERIFY(w.IsSaved);
        QVERIFY(!w.PathInvalid);
        QCOMPARE(QString::fromUtf8(FreshStart::readFile(start.home(savedAs))), saved + "\r\n");
        QCOMPARE(w.editorText(), saved); // the editor is cut as well
    }

    void folderWithoutColonIsRefused() {
        FreshStart start;
        Frm_java w;
        setFolder(w, "MyJava");
        QVERIFY(w.PathInvalid);
        w.setEditorText("class A {}");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        control<QPushButton>(&w, "Cmd_save")->click();
        QCOMPARE(answer.seen.size(), size_t(1));
        QCOMPARE(answer.seen[0].text, kFolderError);
        QCOMPARE(answer.seen[0].title, QString("出错"));
        QCOMPARE(answer.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(answer.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!w.IsSaved);
        QVERIFY(w.PathInvalid);
        QVERIFY(!QFile::exists("MyJava/A.java"));
    }

    void readOnlyTargetThenRefusedUntilTheFolderChanges() {
        FreshStart start;
        QDir().mkpath(start.home("MyJava"));
        const QString target = start.home("MyJava/A.java");
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        Frm_java w;
        w.setEditorText("class A {}");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(1));
        QCOMPARE(FreshStart::readFile(target), QByteArray("old"));
        QVERIFY(w.PathInvalid);
        // Every further save is refused at once, even for a writable target ...
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(2));
        QCOMPARE(FreshStart::readFile(target), QByteArray("old"));
        // ... until the folder field changes.
        setFolder(w, "D:\\MyJava\\");
        setFolder(w, "D:\\MyJava");
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(2));
        QCOMPARE(FreshStart::readFile(target), QByteArray("class A {}\r\n"));
    }

    void folderThatCannotBeCreated() {
        FreshStart start;
        {
            QFile f(start.home("plainfile"));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Frm_java w;
        setFolder(w, "D:\\plainfile\\sub");
        w.setEditorText("class A {}");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(1));
        QVERIFY(w.PathInvalid);
    }

    void saveButtonFeedback() {
        FreshStart start;
        Frm_java w;
        auto *save = control<QPushButton>(&w, "Cmd_save");
        QString captionAfterClick;
        QObject::connect(save, &QPushButton::clicked, [&] { captionAfterClick = save->text(); });
        w.setEditorText("class A {}");
        save->click();
        QCOMPARE(captionAfterClick, QString("保存中.."));
        QCOMPARE(save->text(), QString("保存中.."));
        QTRY_COMPARE_WITH_TIMEOUT(save->text(), QString("保存"), 1000);
        // Also after a failed save.
        setFolder(w, "nowhere");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        save->click();
        QCOMPARE(answer.seen.size(), size_t(1));
        QCOMPARE(save->text(), QString("保存中.."));
        QTRY_COMPARE_WITH_TIMEOUT(save->text(), QString("保存"), 1000);
    }

    void opening() {
        FreshStart start;
        const QString file = start.home("Opened.java");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("public class Opened {\n}\n");
        }
        Frm_java w;
        w.setEditorText("unsaved work");
        // Cancel changes nothing.
        Frm_java::chooseOpenFile = [](QWidget *) { return std::optional<QString>(); };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(w.editorText(), QString("unsaved work"));
        QVERIFY(w.OpenedFilePath.isEmpty());
        QVERIFY(!w.IsSaved);
        // A chosen file replaces the text without a question.
        Frm_java::chooseOpenFile = [file](QWidget *) { return std::optional<QString>(file); };
        MessageBoxAnswerer noQuestion(QMessageBox::Ok);
        control<QPushButton>(&w, "Cmd_open")->click();
        QVERIFY(noQuestion.seen.empty());
        QCOMPARE(w.editorText(), QString("public class Opened {\r\n}\r\n"));
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Opened"));
        QVERIFY(w.IsSaved);
        QCOMPARE(w.OpenedFilePath, QString("D:\\Opened.java"));
    }

    void openingWhatCannotBeRead_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("opens");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe class X {\x80", 15) << true;
        QTest::newRow("too large") << QByteArray(17 * 1024 * 1024, 'x') << false;
    }
    void openingWhatCannotBeRead() {
        QFETCH(QByteArray, content);
        QFETCH(bool, opens);
        FreshStart start;
        const QString file = start.home("X.java");
        if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        Frm_java w;
        w.setEditorText("before");
        Frm_java::chooseOpenFile = [file](QWidget *) { return std::optional<QString>(file); };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(w.OpenedFilePath, QString("D:\\X.java"));
        QCOMPARE(w.IsSaved, opens);
        QCOMPARE(w.editorText() == "before", !opens);
    }
};

QTEST_MAIN(TestSaveOpen)
#include "test_save_open.moc"
