#include "TestSupport.h"
#include "dialogs/Frm_about.h"
#include "dialogs/Frm_help.h"
#include "layout/ScreenLayout.h"
#include "ui/Colors.h"
#include "ui/FileDialogs.h"
#include "ui/Translations.h"

#include <QAccessible>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>

#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTreeView>
#include <QWheelEvent>
#include <QtTest>

namespace {
// A rectangle in twips as the window places it in pixels.
QRect pixels(const TwipsRect &r) {
    const int left = twipsToPixels(r.left), top = twipsToPixels(r.top);
    return QRect(left, top, twipsToPixels(r.left + r.width) - left,
                 twipsToPixels(r.top + r.height) - top);
}
// Resizes the window to an outer size in twips (the reference frame of 120 x 510 included).
void resizeOuter(Frm_java &w, int width, int height) {
    w.resize(twipsToPixels(width - kFrameWidth), twipsToPixels(height - kFrameHeight));
    QCoreApplication::processEvents();
}
} // namespace

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
    }

    // The dialogs' file lists show sizes, dates and types in Chinese, whatever the system's
    // language (tests run in the C locale, or in the developer's).
    void fileListsAreChinese_data() {
        QTest::addColumn<bool>("folderChooser");
        QTest::newRow("open dialog") << false;
        QTest::newRow("folder chooser") << true;
    }
    void fileListsAreChinese() {
        QFETCH(bool, folderChooser);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("源码");
        QFile source(folder.filePath("Hello.java"));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(QByteArray(152, ' '));
        source.close();
        QFile capitals(folder.filePath("OLD.JAVA")); // a Java file however its name is written
        QVERIFY(capitals.open(QIODevice::WriteOnly));
        capitals.close();
        const auto dialog = folderChooser
                                ? makeFolderChooser(nullptr, "x", folder.path())
                                : makeFileDialog(nullptr, "x", folder.path(), "Java源文件(*.java)");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setViewMode(QFileDialog::Detail);
        dialog->show();
        auto *list = dialog->findChild<QTreeView *>("treeView");
        QVERIFY(list);
        QAbstractItemModel *model = list->model();
        QTRY_COMPARE(model->rowCount(list->rootIndex()), folderChooser ? 1 : 3);
        QHash<QString, QStringList> rows;
        for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << model->index(row, column, list->rootIndex()).data().toString();
            rows.insert(cells.takeFirst(), cells);
        }
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(rows.value("源码").mid(1, 1), QStringList{"文件夹"});
        QVERIFY2(rows.value("源码").value(2).contains(year),
                 qPrintable(rows.value("源码").join('|')));
        if (!folderChooser) {
            QCOMPARE(rows.value("Hello.java").mid(0, 2), (QStringList{"152 字节", "Java 源文件"}));
            QCOMPARE(rows.value("OLD.JAVA").mid(0, 2), (QStringList{"0 字节", "Java 源文件"}));
            QVERIFY(!rows.value("Hello.java").value(2).contains(QRegularExpression("[A-Za-z]")));
        }
    }

    // What a screen reader hears of every control of the three windows: its role, its name
    // (its own, or the label it is labelled by: a list on Linux is named by its value) and
    // whether it can be changed. A named control missing from the table fails too.
    void everyControlReadsWell_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("rows");
        // control, role, name, state: "r" read-only, "h" hidden, "-" neither
        QTest::newRow("main window") << "Frm_java"
                                     << QStringList{
                                            "Frm_java|Window|TarnelJava编译器 v1.07|-",
                                            "Pic_sky|Graphic|TarnelJava|-",
                                            "Cmd_save|Button|保存|-",
                                            "Cmd_byyx|Button|编译+运行|-",
                                            "Cmd_about|Button|关于|-",
                                            "Fra_edit|Grouping|编辑区|-",
                                            "Txt_edit|EditableText|编辑区|-",
                                            "Fra_set|Grouping|设置区|-",
                                            "Lab_table|StaticText|目录|-",
                                            "Txt_table|EditableText|目录|-",
                                            "Cmd_scan|Button|浏览|-",
                                            "Lab_file|StaticText|文件|-",
                                            "Txt_file|EditableText|文件|-",
                                            "Txt_backname|EditableText|扩展名|r",
                                            "Cmd_open|Button|打开|-",
                                            "Cmd_set|Button|保存设置|-",
                                            "Cmd_help|Button|帮助|-",
                                            "Cmd_end|Button|退出|-",
                                        };
        QTest::newRow("options dialog") << "Frm_help"
                                        << QStringList{
                                               "Frm_help|Dialog|帮助|-",
                                               "Fra_help|Grouping|帮助文档|-",
                                               "Txt_help|EditableText|帮助文档|r",
                                               "Chk_class|CheckBox|保留Class文件|-",
                                               "Cmd_apply|Button|应用|-",
                                               "Lab_option|StaticText|编译类型|-",
                                               "Com_option|ComboBox|编译类型|-",
                                               "Lab_apheight|StaticText|高度|-",
                                               "Txt_apheight|EditableText|高度|-",
                                               "Lab_apwidth|StaticText|宽度|-",
                                               "Txt_apwidth|EditableText|宽度|-",
                                               "Line1|Separator||h",
                                               "Line2|Separator||h",
                                               "Line3|Separator||h",
                                           };
        QTest::newRow("about box") << "Frm_about"
                                   << QStringList{
                                          "Frm_about|Dialog|关于|-",
                                          "Image1|Graphic|TarnelJava|-",
                                          "Lab_softname|StaticText|TarnelJava编译器 v1.07|-",
                                          "Fra_inform|Grouping||-",
                                          "Lab_myname|StaticText|作者:|-",
                                          "Txt_myname|EditableText|作者|r",
                                          "Lab_group|StaticText|组织:|-",
                                          "Txt_group|EditableText|组织|r",
                                          "Lab_qq|StaticText|QQ:|-",
                                          "Txt_qq|EditableText|QQ|r",
                                          "Lab_email|StaticText|E-mail:|-",
                                          "Txt_email|Link|tarnel@example.org|-",
                                          "Lab_date|StaticText|2011.04.17|-",
                                          "Lab_any|StaticText|相关链接:|-",
                                          "Txt_homepage|Link|个人主页|-",
                                          "Txt_update|Link|检查更新|-",
                                          "Cmd_close|Button|确定|-",
                                      };
    }
    void everyControlReadsWell() {
        QFETCH(QString, window);
        QFETCH(QStringList, rows);
        FreshStart start;
        Frm_java main;
        Frm_help help(&main);
        Frm_about about(&main);
        QWidget *const windows[] = {&main, &help, &about};
        QWidget *shown = *std::find_if(std::begin(windows), std::end(windows),
                                       [&](QWidget *w) { return w->objectName() == window; });
        shown->show();
        // What the reader reaches from the window, by the objects' names.
        QHash<QString, QAccessibleInterface *> reached;
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            const QString name = node->object() ? node->object()->objectName() : QString();
            if (!name.isEmpty() && !name.startsWith("qt_"))
                reached.insert(name, node);
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(shown));
        const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
        for (const QString &row : rows) {
            const QStringList cells = row.split('|');
            QAccessibleInterface *node = reached.take(cells[0]);
            QVERIFY2(node, qPrintable(cells[0] + " is not reached"));
            QCOMPARE(QString(roles.valueToKey(node->role())) + " " + cells[0],
                     cells[1] + " " + cells[0]);
            QStringList heard{node->text(QAccessible::Name)};
            for (const auto &[label, relation] : node->relations(QAccessible::Label))
                heard << label->text(QAccessible::Name);
            QVERIFY2(heard.contains(cells[2]), qPrintable(cells[0] + ": " + heard.join(" | ")));
            if (node->role() == QAccessible::EditableText)
                QVERIFY2(node->state().readOnly == (cells[3] == "r"), qPrintable(cells[0]));
            QVERIFY2(node->state().invisible == (cells[3] == "h"), qPrintable(cells[0]));
        }
        QVERIFY2(reached.isEmpty(),
                 qPrintable("not in the table: " + QStringList(reached.keys()).join(' ')));
    }

    // A message box is read as an alert with its caption, its text and its button's.
    void aMessageIsHeard() {
        FreshStart start;
        Frm_java main;
        main.show();
        control<QLineEdit>(&main, "Txt_file")->clear();
        MessageBoxAnswerer answer(QMessageBox::Ok);
        control<QPushButton>(&main, "Cmd_byyx")->click();
        QCOMPARE(answer.seen.size(), size_t(1));
        const QStringList heard = answer.seen[0].heard;
        QVERIFY2(heard.size() > 3 && heard[0] == "AlertMessage" && heard[1] == "出错" &&
                     heard.contains(answer.seen[0].text) && !heard.last().isEmpty(),
                 qPrintable(heard.join(" | ")));
    }

    // A screen reader presses a link as a click does; the link still takes no keyboard focus.
    void aLinkIsPressedByTheReader() {
        FreshStart start;
        Frm_java main;
        Frm_about about(&main);
        about.show();
        QUrl opened;
        const auto oldOpen =
            std::exchange(Frm_about::openLink, [&](const QUrl &url) { opened = url; });
        QAccessibleInterface *link =
            QAccessible::queryAccessibleInterface(about.findChild<QLabel *>("Txt_homepage"));
        QVERIFY(!link->state().focusable);
        QVERIFY(link->actionInterface());
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        Frm_about::openLink = oldOpen;
        QCOMPARE(opened, Frm_about::linkTarget("Txt_homepage"));
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

    // Every paste into the editor takes the clipboard's text only, once, with the editor's line
    // ends, where the cursor is; an empty clipboard changes nothing. (That a program that copied
    // and ended cannot kill the editor is the desktop test's, on a real X server.)
    void pastesTakeTextOnly_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("clipboard"); // "<none>": no data at all
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+V, Windows line ends") << "ctrl+v"
                                                   << "b\r\nc"
                                                   << "ab\nc|z";
        QTest::newRow("Shift+Insert, a lone CR") << "shift+insert"
                                                 << "b\rc"
                                                 << "ab\nc|z";
        QTest::newRow("the context menu's paste") << "menu"
                                                  << "你好"
                                                  << "a你好|z";
        QTest::newRow("an empty clipboard") << "ctrl+v"
                                            << ""
                                            << "a|z";
        QTest::newRow("no data at all") << "menu"
                                        << "<none>"
                                        << "a|z";
    }
    void pastesTakeTextOnly() {
        QFETCH(QString, way);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        FreshStart start;
        Frm_java w;
        w.show();
        auto *edit = control<QPlainTextEdit>(&w, "Txt_edit");
        edit->setPlainText("az");
        edit->moveCursor(QTextCursor::Start);
        edit->moveCursor(QTextCursor::Right);
        auto *data = new QMimeData;
        if (clipboard != "<none>") {
            data->setText(clipboard);
            data->setHtml("<b>rich</b>");
        }
        QGuiApplication::clipboard()->setMimeData(data);
        if (way == "ctrl+v") {
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "shift+insert") {
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            bool pasted = false;
            QTimer chooser;
            QObject::connect(&chooser, &QTimer::timeout, [&] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!menu)
                    return;
                for (QAction *action : menu->actions())
                    if (action->objectName() == "edit-paste") {
                        action->trigger();
                        pasted = true;
                    }
                menu->close();
            });
            chooser.start(0);
            QTest::keyClick(edit, Qt::Key_F10, Qt::ShiftModifier);
            QTRY_VERIFY(pasted);
        }
        QString shown = edit->toPlainText();
        shown.insert(edit->textCursor().position(), '|');
        QCOMPARE(shown, text);
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
        for (int i = 0; i < 4 * design; ++i)
            QTest::keyClick(edit, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(size(), design * 4);
        QWheelEvent down(QPointF(5, 5), edit->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(),
                         QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                         false);
        QCoreApplication::sendEvent(edit->viewport(), &down);
        QCOMPARE(size(), design * 4 - 1);
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

    void referenceSizeGivesTheDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("design"); // twips
        QTest::newRow("Cmd_save") << "Cmd_save" << QRect(90, 180, 795, 405);
        QTest::newRow("Pic_sky") << "Pic_sky" << QRect(3210, 90, 4155, 555);
        QTest::newRow("Fra_edit") << "Fra_edit" << QRect(60, 660, 7305, 8115);
        QTest::newRow("Txt_edit") << "Txt_edit" << QRect(120, 240, 7065, 7755);
        QTest::newRow("Fra_set") << "Fra_set" << QRect(60, 8820, 7305, 1200);
        QTest::newRow("Txt_table") << "Txt_table" << QRect(600, 270, 5775, 375);
        QTest::newRow("Txt_backname") << "Txt_backname" << QRect(3150, 720, 705, 375);
        QTest::newRow("Cmd_set") << "Cmd_set" << QRect(4780, 720, 855, 375);
        QTest::newRow("Cmd_end") << "Cmd_end" << QRect(6540, 720, 615, 375);
    }
    void referenceSizeGivesTheDesign() {
        QFETCH(QString, name);
        QFETCH(QRect, design);
        FreshStart start;
        Frm_java w;
        w.show();
        resizeOuter(w, 7545, 10590);
        QCOMPARE(w.size(), QSize(495, 672));
        const TwipsRect r{design.x(), design.y(), design.width(), design.height()};
        QCOMPARE(w.findChild<QWidget *>(name)->geometry(), pixels(r));
    }

    void startUpFitsTheScreen() {
        FreshStart start;
        Frm_java w;
        const int screen = QGuiApplication::primaryScreen()->geometry().height();
        const Offsets o = limitOffsets(screenOffsets(screen * kTwipsPerPixel));
        QCOMPARE(w.size(), QSize(twipsToPixels(outerWidth(o) - kFrameWidth),
                                 twipsToPixels(outerHeight(o) - kFrameHeight)));
        QVERIFY(w.height() < screen);
    }

    void resizingMovesAndStretchesTheControls() {
        FreshStart start;
        Frm_java w;
        w.show();
        resizeOuter(w, 9000, 12000);
        const Offsets o{1455, 1410};
        for (const ControlPlacement &p : controlPlacements(o))
            QCOMPARE(w.findChild<QWidget *>(p.name)->geometry(), pixels(p.rect));
        // Never smaller or wider than the limits.
        resizeOuter(w, 5000, 3000);
        QCOMPARE(w.size(), QSize(410, 228));
        QCOMPARE(control<QWidget>(&w, "Fra_set")->y(), 144);
        resizeOuter(w, 12000, 20000);
        QCOMPARE(w.size(), QSize(717, twipsToPixels(20000 - kFrameHeight)));
    }

    void folderChooser_data() {
        QTest::addColumn<QString>("chosen"); // below the home folder unless absolute
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("folder");
        QTest::newRow("cancel") << "" << true << "D:\\MyJava";
        QTest::newRow("no file-system path") << "" << false << "D:\\MyJava";
        QTest::newRow("home folder: a drive root") << "~" << false << "D:\\";
        QTest::newRow("below home") << "~/Java/代码" << false << "D:\\Java\\代码";
        if (platform::kOnWindows) {
            QTest::newRow("another drive") << "C:/opt/java" << false << "C:\\opt\\java";
        } else {
            QTest::newRow("outside home") << "/opt/java" << false << "Z:\\opt\\java";
            QTest::newRow("root") << "/" << false << "Z:\\";
        }
    }
    void folderChooser() {
        QFETCH(QString, chosen);
        QFETCH(bool, cancel);
        QFETCH(QString, folder);
        FreshStart start;
        const QString host = chosen.startsWith("~") ? start.home() + chosen.mid(1) : chosen;
        QString title;
        Frm_java::chooseFolder = [&](QWidget *, const QString &t) -> std::optional<QString> {
            title = t;
            if (cancel)
                return std::nullopt;
            return host;
        };
        Frm_java w;
        control<QPushButton>(&w, "Cmd_scan")->click();
        QCOMPARE(title, QString("把输出的文件存放到这个文件夹："));
        QCOMPARE(control<QLineEdit>(&w, "Txt_table")->text(), folder);
        const bool changed = folder != "D:\\MyJava";
        QCOMPARE(control<QPushButton>(&w, "Cmd_set")->isEnabled(), changed);
        QVERIFY(!w.PathInvalid);
        QCOMPARE(MainModule::JavaPath, QString("D:\\MyJava")); // stored only by Cmd_set
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
