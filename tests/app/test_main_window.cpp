#include "TestSupport.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "ui/Colors.h"
#include "ui/Translations.h"

#include <QAccessible>
#include <QFileDialog>
#include <QMenu>

#include <QGroupBox>
#include <QLabel>
#include <QMimeDatabase>
#include <QScreen>
#include <QWheelEvent>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startWithoutSettingsFile() {
        FreshStart start;
        Frm_java w;
        QCOMPARE(start.readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n"));
        QCOMPARE(control<QLineEdit>(&w, "Txt_table")->text(), QString("D:\\MyJava"));
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->text(), QString("Class_Name"));
        QVERIFY(!control<QPushButton>(&w, "Cmd_set")->isEnabled());
        QVERIFY(!w.PathInvalid);
        QVERIFY(w.IsSaved);
        QCOMPARE(w.ClassCount, 0);
        QCOMPARE(MainModule::CompileType, qint16(0));
        QCOMPARE(MainModule::AppletHeight, qint16(200));
        QCOMPARE(MainModule::AppletWidth, qint16(400));
        QCOMPARE(w.windowTitle(), QString("TarnelJava编译器 v1.07"));
    }

    void startUpStates_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("pathInvalid");
        QTest::newRow("valid file")
            << QByteArray("JavaPath=E:\\Java\r\nClassExist= 1\r\n") << "E:\\Java" << false;
        QTest::newRow("no colon") << QByteArray("JavaPath=MyJava\r\n") << "MyJava" << true;
        // The folder field stays empty, so its change handling never runs.
        QTest::newRow("empty file") << QByteArray() << "" << false;
    }
    void startUpStates() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, folder);
        QFETCH(bool, pathInvalid);
        FreshStart start;
        start.writeIni(ini);
        Frm_java w;
        QCOMPARE(control<QLineEdit>(&w, "Txt_table")->text(), folder);
        QCOMPARE(w.PathInvalid, pathInvalid);
        QVERIFY(!control<QPushButton>(&w, "Cmd_set")->isEnabled());
        QCOMPARE(start.readIni(), ini); // read, never rewritten
    }

    void folderFieldAndSaveSettings_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pathInvalid");
        QTest::newRow("bare drive") << "D:" << false;
        QTest::newRow("colon in the middle") << "abc:def" << false;
        QTest::newRow("no colon") << "MyJava" << true;
        QTest::newRow("empty") << "" << true;
    }
    void folderFieldAndSaveSettings() {
        QFETCH(QString, typed);
        QFETCH(bool, pathInvalid);
        FreshStart start;
        Frm_java w;
        auto *folder = control<QLineEdit>(&w, "Txt_table");
        auto *set = control<QPushButton>(&w, "Cmd_set");
        folder->selectAll();
        QTest::keyClick(folder, Qt::Key_Delete);
        QTest::keyClicks(folder, typed);
        QCOMPARE(w.PathInvalid, pathInvalid);
        QVERIFY(set->isEnabled());
        QCOMPARE(MainModule::JavaPath, QString("D:\\MyJava")); // not stored yet
        set->click();
        QVERIFY(!set->isEnabled());
        QCOMPARE(MainModule::JavaPath, typed);
        QCOMPARE(start.readIni(), "JavaPath=" + typed.toUtf8() + "\r\nClassExist= 0\r\n");
    }

    // Everything Qt supplies is Chinese too, whatever the system's language.
    void qtTextsAreChinese() {
        QVERIFY(loadQtChineseTranslation());
        QMessageBox box(QMessageBox::Warning, "保存确认", "x",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY2(box.button(QMessageBox::Yes)->text().startsWith("是"),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY(box.button(QMessageBox::No)->text().startsWith("否"));
        QVERIFY(box.button(QMessageBox::Cancel)->text().startsWith("取消"));
        QMessageBox error(QMessageBox::Critical, "出错", "x", QMessageBox::Ok);
        QVERIFY(error.button(QMessageBox::Ok)->text().startsWith("确定"));
        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList items;
        for (QAction *action : menu->actions())
            items << action->text();
        QVERIFY2(items.join(' ').contains("复制") && items.join(' ').contains("粘贴"),
                 qPrintable(items.join(' ')));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (QLabel *label : dialog.findChildren<QLabel *>())
            labels << label->text();
        QVERIFY2(labels.join(' ').contains("文件名"), qPrintable(labels.join(' ')));
        // What the file list shows of a file: its size, its date and its type.
        const QString size = QLocale().formattedDataSize(30);
        QVERIFY2(size.contains("字节"), qPrintable(size));
        const QString date = QLocale().toString(QDate(2026, 12, 8), QLocale::ShortFormat);
        QVERIFY2(date.contains("2026") && !date.contains("Dec"), qPrintable(date));
        const QString folder = QMimeDatabase().mimeTypeForName("inode/directory").comment();
        QVERIFY2(folder == "文件夹", qPrintable(folder));
    }

    // A screen reader names each field by its caption, not by its frame's.
    void accessibleNames_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const char *const rows[][3] = {
            {"Frm_java", "Txt_table", "目录"},      {"Frm_java", "Txt_file", "文件"},
            {"Frm_java", "Txt_backname", "扩展名"}, {"Frm_java", "Txt_edit", "编辑区"},
            {"Frm_help", "Com_option", "编译类型"}, {"Frm_help", "Txt_apheight", "高度"},
            {"Frm_help", "Txt_apwidth", "宽度"},    {"Frm_about", "Txt_myname", "作者"},
            {"Frm_about", "Txt_group", "组织"},     {"Frm_about", "Txt_qq", "QQ"},
        };
        for (const auto &row : rows)
            QTest::newRow(qPrintable(QString(row[0]) + " " + row[1])) << row[0] << row[1] << row[2];
    }
    void accessibleNames() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        FreshStart start;
        Frm_java main;
        Frm_help help(&main);
        Frm_about about(&main);
        QWidget *const windows[] = {&main, &help, &about};
        QWidget *widget = nullptr;
        for (QWidget *w : windows)
            if (w->objectName() == window)
                widget = w->findChild<QWidget *>(control);
        QVERIFY(widget);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        // Its own name, or (a list on Linux, whose name is its value) the label it is labelled by.
        QStringList heard{accessible->text(QAccessible::Name)};
        for (const auto &[label, relation] : accessible->relations(QAccessible::Label))
            heard << label->text(QAccessible::Name);
        QVERIFY2(std::any_of(heard.cbegin(), heard.cend(),
                             [&](const QString &text) { return text.startsWith(name); }),
                 qPrintable(heard.join(" | ")));
    }

    // Shift+F10 opens a control's context menu as the Menu key does, in the main window and in
    // the options dialog's boxes too.
    void shiftF10OpensTheContextMenu_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("the editor") << "Txt_edit";
        QTest::newRow("目录") << "Txt_table";
        QTest::newRow("文件") << "Txt_file";
    }
    void shiftF10OpensTheContextMenu() {
        QFETCH(QString, control);
        FreshStart start;
        Frm_java w;
        w.show();
        auto *widget = w.findChild<QWidget *>(control);
        QVERIFY(widget);
        widget->setFocus();
        QStringList shown;
        QTimer closer; // the menu may run its own loop (the editor's) or just pop up
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *action : menu->actions())
                    shown << action->text();
                menu->close();
            }
        });
        closer.start(0);
        QTest::keyClick(widget, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY2(shown.size() > 3, qPrintable(shown.join(' '))); // undo, cut, copy, paste…
    }

    // The editor's font grows and shrinks with the keys and the wheel, and comes back with
    // Ctrl+0; the editor stays where the layout put it.
    void editorZoom() {
        FreshStart start;
        Frm_java w;
        auto *edit = control<QPlainTextEdit>(&w, "Txt_edit");
        const qreal design = edit->font().pointSizeF();
        const QRect place = edit->geometry();
        const auto size = [&] { return edit->font().pointSizeF(); };
        QTest::keyClick(edit, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(size(), design + 2);
        QTest::keyClick(edit, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(size(), design + 1);
        QWheelEvent up(QPointF(5, 5), edit->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                       QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(edit->viewport(), &up);
        QCOMPARE(size(), design + 2);
        QTest::keyClick(edit, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(size(), design);
        for (int i = 0; i < 40; ++i)
            QTest::keyClick(edit, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(size(), 6.0);
        QCOMPARE(edit->geometry(), place);
        QCOMPARE(edit->toPlainText(), QString()); // no key reached the text
    }

    // Text the program puts into a one-line box shows from its start.
    void programTextShowsItsStart() {
        FreshStart start;
        start.writeIni("JavaPath=D:\\" + QByteArray(200, 'x').append("\\end") + "\r\n");
        Frm_java w;
        QCOMPARE(control<QLineEdit>(&w, "Txt_table")->cursorPosition(), 0);
        w.setEditorText("public class " + QString(100, 'N') + " {}");
        QCOMPARE(control<QLineEdit>(&w, "Txt_file")->cursorPosition(), 0);
    }

    void themeColours() {
        FreshStart start;
        Frm_java w;
        const QColor theme(235, 233, 237);
        // As drawn on screen, not as set.
        QCOMPARE(shownWindowColor(&w), theme);
        QCOMPARE(shownColor(control<QWidget>(&w, "Fra_set")), theme);
        QCOMPARE(shownColor(control<QWidget>(&w, "Lab_table")), theme);
        QCOMPARE(shownColor(control<QWidget>(&w, "Txt_file")), QColor(224, 224, 224));
        QCOMPARE(foreColor(control<QWidget>(&w, "Txt_file")), QColor(0, 0, 255));
        QCOMPARE(foreColor(control<QWidget>(&w, "Lab_table")), QColor(255, 0, 0));
        QCOMPARE(MainModule::ThemeColor, qRgb(235, 233, 237));

        QWidget other;
        other.setObjectName("Frm_other");
        const QColor before = backColor(&other);
        MainModule::ApplyFormTheme(other);
        QCOMPARE(backColor(&other), before);
        QCOMPARE(MainModule::ThemeColor, qRgb(235, 233, 237));
    }

    void controlsAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("save") << "Cmd_save"
                              << "保存";
        QTest::newRow("build") << "Cmd_byyx"
                               << "编译+运行";
        QTest::newRow("about") << "Cmd_about"
                               << "关于";
        QTest::newRow("browse") << "Cmd_scan"
                                << "浏览";
        QTest::newRow("open") << "Cmd_open"
                              << "打开";
        QTest::newRow("set") << "Cmd_set"
                             << "保存设置";
        QTest::newRow("help") << "Cmd_help"
                              << "帮助";
        QTest::newRow("exit") << "Cmd_end"
                              << "退出";
        QTest::newRow("folder label") << "Lab_table"
                                      << "目录";
        QTest::newRow("file label") << "Lab_file"
                                    << "文件";
        QTest::newRow("edit frame") << "Fra_edit"
                                    << "编辑区";
        QTest::newRow("settings frame") << "Fra_set"
                                        << "设置区";
        QTest::newRow("extension") << "Txt_backname"
                                   << ".java";
    }
    void controlsAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        FreshStart start;
        Frm_java w;
        QWidget *c = w.findChild<QWidget *>(name);
        QVERIFY(c);
        QString text;
        if (auto *b = qobject_cast<QAbstractButton *>(c))
            text = b->text();
        else if (auto *l = qobject_cast<QLabel *>(c))
            text = l->text();
        else if (auto *g = qobject_cast<QGroupBox *>(c))
            text = g->title();
        else if (auto *e = qobject_cast<QLineEdit *>(c))
            text = e->text();
        QCOMPARE(text, caption);
    }

    void editorAndFonts() {
        FreshStart start;
        Frm_java w;
        auto *edit = control<QPlainTextEdit>(&w, "Txt_edit");
        QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(edit->font().styleHint(), QFont::TypeWriter);
        if (platform::kOnWindows && QGuiApplication::platformName() == "offscreen")
            QSKIP("the offscreen platform has no font database on Windows");
        QVERIFY(QFontInfo(edit->font()).fixedPitch());
        auto *ext = control<QLineEdit>(&w, "Txt_backname");
        QVERIFY(!ext->isEnabled());
        QVERIFY(ext->isReadOnly());
    }

    void tabOrder() {
        FreshStart start;
        Frm_java w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QStringList expected{"Txt_edit",  "Cmd_save", "Cmd_byyx", "Cmd_about",
                                   "Txt_table", "Cmd_scan", "Txt_file", "Cmd_open",
                                   "Cmd_set",   "Cmd_help", "Cmd_end"};
        control<QWidget>(&w, "Cmd_set")->setEnabled(true);
        QWidget *at = control<QWidget>(&w, "Txt_edit");
        at->setFocus();
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            seen << at->objectName();
            at = at->nextInFocusChain();
            while (at->focusPolicy() == Qt::NoFocus || !at->isEnabled() ||
                   at->objectName().isEmpty() || at->objectName().startsWith("qt_"))
                at = at->nextInFocusChain();
        }
        QCOMPARE(seen, expected);
    }

    void placedCentredWithAThirdAbove() {
        FreshStart start;
        Frm_java w;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int outerWidth = w.width() + 8;    // 120 twips of frame
        const int outerHeight = w.height() + 34; // 510 twips of frame
        QVERIFY(qAbs(w.x() - (screen.width() - outerWidth) / 2) <= 1);
        QVERIFY(qAbs(w.y() - (screen.height() - outerHeight) / 3) <= 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
