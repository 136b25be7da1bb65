#include "TestSupport.h"
#include "platform/PathMapping.h"

#include "platform/TextFiles.h"
#include "platform/TextGuess.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStringEncoder>
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
        QCOMPARE(platform::fromSystemCodePage(fileBytes(start.home(savedAs))), saved + "\r\n");
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

    // A large text is scanned once typing pauses, not at every key; a save before the pause
    // ends takes the name of the text as it is. A text of an everyday size names its file at
    // once, as before.
    void aLargeTextIsScannedWhenItsNameIsNeeded() {
        FreshStart start;
        QDir().mkpath(start.home("MyJava"));
        Frm_java w;
        auto *file = w.findChild<QLineEdit *>("Txt_file");
        w.setEditorText("public class Small {}");
        QCOMPARE(file->text(), QString("Small"));
        const QString filler =
            QString("// filler line\n").repeated(Frm_java::kScanAtOnceCharacters / 15);
        w.setEditorText(filler + "public class Big {}");
        QTRY_COMPARE(file->text(), QString("Big")); // after the pause
        w.setEditorText(filler + "public class Bigger {}");
        QCOMPARE(file->text(), QString("Big")); // not yet
        w.Savefile();
        QCOMPARE(file->text(), QString("Bigger"));
        QVERIFY(QFile::exists(start.home("MyJava/Bigger.java")));
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
        QCOMPARE(answer.seen[0].text, kFolderError + "\n\n原因：这个文件是只读的。");
        QCOMPARE(fileBytes(target), QByteArray("old"));
        QVERIFY(w.PathInvalid);
        // Every further save is refused at once, even for a writable target ...
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(2));
        QCOMPARE(fileBytes(target), QByteArray("old"));
        // ... until the folder field changes.
        setFolder(w, "D:\\MyJava\\");
        setFolder(w, "D:\\MyJava");
        w.Savefile();
        QCOMPARE(answer.seen.size(), size_t(2));
        QCOMPARE(fileBytes(target), QByteArray("class A {}\r\n"));
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
        QCOMPARE(answer.seen[0].text, kFolderError + "\n\n原因：文件夹“" +
                                          QDir::toNativeSeparators(start.home("plainfile/sub")) +
                                          "”不存在。");
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
        Frm_java::chooseOpenFile = [](QWidget *, const QString &) {
            return std::optional<QString>();
        };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(w.editorText(), QString("unsaved work"));
        QVERIFY(w.OpenedFilePath.isEmpty());
        QVERIFY(!w.IsSaved);
        // A chosen file replaces the text without a question.
        Frm_java::chooseOpenFile = [file](QWidget *, const QString &) {
            return std::optional<QString>(file);
        };
        MessageBoxAnswerer noQuestion(QMessageBox::Ok);
        control<QPushButton>(&w, "Cmd_open")->click();
        QVERIFY(noQuestion.seen.empty());
        QCOMPARE(w.editorText(), QString("public class Opened {\r\n}\r\n"));
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Opened"));
        QVERIFY(w.IsSaved);
        QCOMPARE(w.OpenedFilePath, QString("D:\\Opened.java"));
    }

    // The open dialog starts where the learner's files are: the folder of 目录, as it stands
    // in the box, when that folder exists.
    void openDialogStartsInTheWorkingFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QString>("belowHome"); // where it starts; "": where the dialog chooses
        QTest::newRow("an existing folder") << "D:\\我的 Java" << true << "我的 Java";
        QTest::newRow("a folder not made yet") << "D:\\MyJava" << false << "";
        QTest::newRow("an empty box") << "" << false << "";
    }
    void openDialogStartsInTheWorkingFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, made);
        QFETCH(QString, belowHome);
        FreshStart start;
        if (made)
            QVERIFY(QDir().mkpath(platform::toHostPath(folder)));
        Frm_java w;
        setFolder(w, folder);
        QString startedIn = "<not asked>";
        Frm_java::chooseOpenFile = [&startedIn](QWidget *, const QString &startFolder) {
            startedIn = startFolder;
            return std::optional<QString>();
        };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(QDir::fromNativeSeparators(startedIn),
                 belowHome.isEmpty() ? QString() : start.home(belowHome));
    }

    void openingWhatCannotBeRead_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("opens");
        QTest::newRow("missing") << QByteArray() << false;
        if (!platform::kOnWindows) // the Windows code page reads any bytes, as it always did
            QTest::newRow("bytes that are text in no code page")
                << QByteArray("\x00\x01\xff\xfe class X {\x80", 15) << false;
        QTest::newRow("control characters in UTF-8")
            << QByteArray("\x00\x01 class X {}", 13) << true;
        QByteArray largest = QByteArray("class X {}\n").repeated(16 * 1024 * 1024 / 11);
        largest += QByteArray(16 * 1024 * 1024 - largest.size(), '\n');
        QTest::newRow("the largest that opens: 16 MiB") << largest << true;
        QTest::newRow("a byte more") << largest + ' ' << false;
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
        Frm_java::chooseOpenFile = [file](QWidget *, const QString &) {
            return std::optional<QString>(file);
        };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(w.OpenedFilePath, QString("D:\\X.java"));
        QCOMPARE(w.IsSaved, opens);
        QCOMPARE(w.editorText() == "before", !opens);
    }

    // Text in, text out: what is opened and saved again keeps every character.
    void openedAndSavedKeepsEveryCharacter_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        const QString chinese = "// 你好，世界：中文注释\r\npublic class Hello {\r\n"
                                "    String s = \"编译+运行\";\r\n}";
        // Every file the Windows program saved is in GBK; it opens as Chinese text.
        QTest::newRow("GBK with Chinese comments and strings") << gbk(chinese + "\r\n") << chinese;
        // What today's editors write opens as UTF-8 on every system.
        QTest::newRow("UTF-8 with Chinese comments and strings")
            << (chinese + "\r\n").toUtf8() << chinese;
        if (!platform::kOnWindows) // the Windows code page has no byte-order mark: saving asks
            QTest::newRow("UTF-8 with a byte-order mark")
                << QByteArray("\xef\xbb\xbf") + (chinese + "\r\n").toUtf8()
                << QChar(0xFEFF) + chinese;
        const QString rare =
            QChar(0xFEFF) + QString("class A {\r\n    String s = \"a\u00a0b\u2028c\u200b"
                                    "\t\u0001\u007f\";\r\n    // \U0001F600 \u3000 \u0085\r\n}");
        if (!platform::kOnWindows) // most of them are not in the Windows code page (GBK here)
            QTest::newRow("no-break space, line separator, controls, byte-order mark")
                << platform::toSystemCodePage(rare + "\r\n") << rare;
    }
    void openedAndSavedKeepsEveryCharacter() {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        FreshStart start;
        const QString path = start.home("MyJava/Hello.java");
        QDir().mkpath(start.home("MyJava"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        Frm_java w;
        Frm_java::chooseOpenFile = [path](QWidget *, const QString &) {
            return std::optional<QString>(path);
        };
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(w.editorText(), text + "\r\n");
        QVERIFY(w.IsSaved);
        control<QLineEdit>(&w, "Txt_file")->setText("Hello");
        control<QPushButton>(&w, "Cmd_save")->click();
        QVERIFY(!w.PathInvalid);
        // Written in the system code page: the same characters, and on a system whose code
        // page the file was in, the same bytes.
        QCOMPARE(platform::decodeText(fileBytes(path)).value_or("<none>"), text + "\r\n");
        if (platform::toSystemCodePage(text + "\r\n") == file)
            QCOMPARE(fileBytes(path), file);
    }

    // A file that is UTF-8 but not throughout is not shown as mojibake: the user is told on
    // which line and chooses how to read it, or opens nothing.
    void openingDamagedUtf8Asks_data() {
        QTest::addColumn<QString>("answer"); // the button's text; empty: Escape
        QTest::addColumn<QString>("opened"); // empty: nothing opened
        QTest::newRow("as UTF-8") << "按 UTF-8 打开" << QString("// 你好世界 caf\uFFFDs\r\n}");
        QTest::newRow("as GBK") << "按 GBK 打开" << QString("// 浣犲ソ涓栫晫 caf閟\r\n}");
        QTest::newRow("cancelled") << ""
                                   << "";
    }
    void openingDamagedUtf8Asks() {
        QFETCH(QString, answer);
        QFETCH(QString, opened);
        FreshStart start;
        const QString path = start.home("Damaged.java");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("// 你好世界 caf\xe9s\n}");
        f.close();
        Frm_java w;
        w.setEditorText("before");
        Frm_java::chooseOpenFile = [path](QWidget *, const QString &) {
            return std::optional<QString>(path);
        };
        auto told = answer.isEmpty()
                        ? std::make_unique<MessageBoxAnswerer>(QMessageBox::Cancel, true)
                        : std::make_unique<MessageBoxAnswerer>(answer);
        control<QPushButton>(&w, "Cmd_open")->click();
        QCOMPARE(int(told->seen.size()), 1);
        QCOMPARE(told->seen[0].title, QString("编码"));
        QVERIFY(told->seen[0].text.contains("第 1 行"));
        QCOMPARE(w.editorText(), opened.isEmpty() ? QString("before") : opened);
        QCOMPARE(w.IsSaved, !opened.isEmpty());
    }

    // Where the system code page cannot hold a character, saving asks first.
    void savingWhatTheCodePageCannotHoldAsks() {
        const QString text = "class A { String s = \"\U0001F600 \u0E01\"; }";
        if (platform::fitsSystemCodePage(text))
            QSKIP("this system's code page holds every character");
        FreshStart start;
        Frm_java w;
        w.setEditorText(text);
        MessageBoxAnswerer no(QMessageBox::No);
        control<QPushButton>(&w, "Cmd_save")->click();
        QCOMPARE(int(no.seen.size()), 1);
        QCOMPARE(no.seen[0].title, QString("编码"));
        QVERIFY(!w.IsSaved);
        QVERIFY(!w.PathInvalid);
        QVERIFY(!QFile::exists(start.home("MyJava/A.java")));
    }

    // Bytes that are text in neither the system code page nor GB18030 are not opened, and
    // what is no regular file is not opened either (a FIFO would freeze the program).
    void openingRefused_data() {
        QTest::addColumn<QString>("kind");
        if (!platform::kOnWindows) // the Windows code page reads any bytes, as it always did
            QTest::newRow("unfinished sequence at the end") << "unfinished";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
    }
    void openingRefused() {
        QFETCH(QString, kind);
        FreshStart start;
        const QString path = start.home("x.java");
        if (kind == "fifo") {
            if (!makeFifo(path))
                QSKIP("no FIFOs on this system");
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("class A {}\r\n\xe4");
        }
        Frm_java w;
        w.setEditorText("before");
        Frm_java::chooseOpenFile = [path](QWidget *, const QString &) {
            return std::optional<QString>(path);
        };
        control<QPushButton>(&w, "Cmd_open")->click(); // a read of the pipe would never return
        QCOMPARE(w.editorText(), QString("before"));
        QVERIFY(!w.IsSaved);
    }

    // A name that no system takes as a file name is not saved under (a NUL would cut it short,
    // a quote is no Windows file name, a direction override shows it reversed).
    void nameWithAControlCharacterIsNotSaved_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("NUL") << QString("victim.txt") + QChar(0) + "x";
        QTest::newRow("escape") << QString("A\x1b[31m");
        QTest::newRow("C1 control") << QString("A\u0085B");
        QTest::newRow("quotes and &") << QString("\"&calc&\"");
        QTest::newRow("device name") << QString("NUL");
        QTest::newRow("direction override") << QString("A\u202Eavaj.exe");
    }
    void nameWithAControlCharacterIsNotSaved() {
        QFETCH(QString, name);
        FreshStart start;
        Frm_java w;
        w.setEditorText("class A {}");
        control<QLineEdit>(&w, "Txt_file")->setText(name);
        MessageBoxAnswerer answer(QMessageBox::Ok);
        w.Savefile();
        QCOMPARE(int(answer.seen.size()), 1);
        QVERIFY2(answer.seen[0].text.contains("不能用作文件名"), qPrintable(answer.seen[0].text));
        QVERIFY(w.PathInvalid);
        QCOMPARE(filesIn(start.home("MyJava")), QStringList());
    }

    // 保存 through a link: into a regular file the link stays and its file gets the text, as
    // editors do; a link to a FIFO, or a FIFO, is refused with the save error and stays one.
    void savingThroughALink_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("saved");
        QTest::newRow("link to a text file") << "link to file" << true;
        QTest::newRow("link to a FIFO") << "link to fifo" << false;
        QTest::newRow("FIFO") << "fifo" << false;
    }
    void savingThroughALink() {
        QFETCH(QString, kind);
        QFETCH(bool, saved);
        FreshStart start;
        QDir().mkpath(start.home("MyJava"));
        const QString other = start.home("other.txt");
        const QString fifo = start.home("fifo");
        const QString java = start.home("MyJava/Link.java");
        QVERIFY(platform::writeLines(other, {"my notes"}));
        if (!makeFifo(fifo))
            QSKIP("no FIFOs on this system");
        if (kind == "fifo")
            QVERIFY(QFile::rename(fifo, java));
        else
            QVERIFY(QFile::link(kind == "link to file" ? other : fifo, java));
        Frm_java w;
        w.setEditorText("public class Link {}");
        MessageBoxAnswerer answer(QMessageBox::Ok);
        control<QPushButton>(&w, "Cmd_save")->click();
        QCOMPARE(int(answer.seen.size()), saved ? 0 : 1);
        QCOMPARE(w.IsSaved, saved);
        if (saved) {
            QVERIFY(QFileInfo(java).isSymLink());
            QCOMPARE(fileBytes(other), QByteArray("public class Link {}\r\n"));
        } else {
            QCOMPARE(answer.seen[0].text,
                     kFolderError + "\n\n原因：这个名字已经是一个文件夹或特殊文件，不是普通文件。");
            QCOMPARE(fileBytes(other), QByteArray("my notes\r\n"));
            QVERIFY(!QFileInfo(kind == "fifo" ? java : fifo).isFile());
        }
    }

    // A writable file in a folder where no new file can be made is still saved, in place.
    void writableFileInAFolderThatTakesNoNewFile() {
        FreshStart start;
        QDir().mkpath(start.home("MyJava"));
        QFile f(start.home("MyJava/A.java"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
        f.close();
        QFile::setPermissions(start.home("MyJava"), QFile::ReadOwner | QFile::ExeOwner);
        if (QFile(start.home("MyJava/probe")).open(QIODevice::WriteOnly))
            QSKIP("this user (root) can make files in any folder");
        Frm_java w;
        w.setEditorText("class A {}");
        w.Savefile();
        QFile::setPermissions(start.home("MyJava"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!w.PathInvalid);
        QCOMPARE(fileBytes(start.home("MyJava/A.java")), QByteArray("class A {}\r\n"));
    }

    // A paste or drop into a one-line box inserts its first line at the cursor, whatever the
    // texts around it: a path copied from a terminal brings a line break, which would give
    // Setting.ini a third line, and the box never splices later lines in.
    void pasteKeepsTheFirstLine_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor"); // -1: all selected
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        const QStringList ways{"Ctrl+V", "Shift+Insert", "context menu", "drop"};
        for (const QString &way : ways) {
            const auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s, %s", qPrintable(way), name);
            };
            row("folder, whole text") << "Txt_table"
                                      << "D:\\MyJava" << -1 << "D:\\Work\ntouch INJECTED \n"
                                      << "D:\\Work";
            row("folder over one with the same end") << "Txt_table"
                                                     << "D:\\MyJava" << -1 << "D:\\Test\nJava"
                                                     << "D:\\Test";
            row("folder, notes after an empty line")
                << "Txt_table"
                << "D:\\MyJava" << -1 << "Z:\\etc\n\n# my notes: D:\\MyJava"
                << "Z:\\etc";
            row("folder, into the middle") << "Txt_table"
                                           << "D:\\My" << 4 << "Ja\r\nva"
                                           << "D:\\MJay";
            row("file name, with a tab and a NUL")
                << "Txt_file"
                << "Class_Name" << -1 << QString("A\tB") + QChar(0) + "C\rD"
                << "ABC";
        }
    }
    void pasteKeepsTheFirstLine() {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        const QString way = QString(QTest::currentDataTag()).section(',', 0, 0);
        FreshStart start;
        Frm_java w;
        auto *box = control<QLineEdit>(&w, field.toLatin1().constData());
        box->setText(before);
        if (cursor < 0)
            box->selectAll();
        else
            box->setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        if (way == "Ctrl+V") {
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "Shift+Insert") {
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "context menu") {
            QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2),
                                        box->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(box, &menuEvent);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            const QList<QAction *> actions = menu->actions();
            const auto paste = std::find_if(actions.cbegin(), actions.cend(), [](QAction *a) {
                return a->text().contains("Paste") || a->text().contains("粘贴");
            });
            QVERIFY(paste != actions.cend());
            (*paste)->trigger();
            menu->close();
        } else {
            // A drop lands where the pointer is: at the cursor's place here.
            if (cursor < 0)
                box->clear();
            const QPoint at = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            QMimeData data;
            data.setText(pasted);
            // Entering makes the box the drop's target, as a real drag does.
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
            QVERIFY(drop.isAccepted());
        }
        QCOMPARE(box->text(), after);
        if (field == "Txt_table") {
            control<QPushButton>(&w, "Cmd_set")->click();
            QCOMPARE(start.readIni(), "JavaPath=" + after.toUtf8() + "\r\nClassExist= 0\r\n");
        }
    }

    // A folder is never cut short by the box.
    void longFolderIsKept() {
        FreshStart start;
        Frm_java w;
        auto *box = control<QLineEdit>(&w, "Txt_table");
        const QString folder = "D:\\" + QString(40000, 'x');
        box->selectAll();
        QApplication::clipboard()->setText(folder);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), folder);
    }
};

QTEST_MAIN(TestSaveOpen)
#include "test_save_open.moc"
