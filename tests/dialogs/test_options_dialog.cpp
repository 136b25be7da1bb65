#include "TestSupport.h"
#include "dialogs/Frm_help.h"
#include "editor/TextHelpers.h"
#include "settings/SizeFilter.h"
#include "ui/Colors.h"

#include "ui/Placement.h"
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QTextEdit>

#include <QScreen>
#include <QtTest>

namespace {
struct Dialog {
    Frm_help help;
    QCheckBox *check = control<QCheckBox>(&help, "Chk_class");
    QComboBox *list = control<QComboBox>(&help, "Com_option");
    QLineEdit *height = control<QLineEdit>(&help, "Txt_apheight");
    QLineEdit *width = control<QLineEdit>(&help, "Txt_apwidth");
    QPushButton *apply = control<QPushButton>(&help, "Cmd_apply");

    void pick(const QString &item) {
        list->setCurrentIndex(list->findText(item));
        emit list->activated(list->currentIndex());
    }
};
} // namespace

// The help text as the design words it: full-width "：", "，" and "。", half-width brackets
// and plus sign, paragraphs apart by an empty line.
const QString kDesignedHelpText = QString::fromUtf8(
    "目录：为保存Java源文件(.java)的目录，如D:\\MyJava，用户可自行设置。\r\n\r\n"
    "文件：即(.java)源文件名，系统将根据代码中的主类(Class)名自动设置保存的文件名。\r\n\r\n"
    "编译+运行：编译当前编辑区的代码并运行，如需保存Java文件，必须点[保存]按钮。\r\n\r\n"
    "打开：打开一个已存在的Java文件，系统自动载入代码到编辑区。\r\n");

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void openingWithStartValues() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        QCOMPARE(d.help.windowTitle(), QString("帮助"));
        QCOMPARE(d.list->currentText(), QString("Java 标准程序"));
        QCOMPARE(d.list->itemText(1), QString("Applet 应用程序"));
        QCOMPARE(d.height->text(), QString("200"));
        QCOMPARE(d.width->text(), QString("400"));
        QVERIFY(!d.height->isEnabled());
        QVERIFY(!d.width->isEnabled());
        QVERIFY(!d.check->isChecked());
        QVERIFY(!d.apply->isEnabled());
        QCOMPARE(d.check->text(), QString("保留Class文件"));
        QCOMPARE(toCrLfText(control<QTextEdit>(&d.help, "Txt_help")->toPlainText()),
                 kDesignedHelpText);
    }

    void helpText() {
        QCOMPARE(Frm_help::kHelpText, kDesignedHelpText);
        const QString text = Frm_help::kHelpText;
        QCOMPARE(text.count("\r\n\r\n"), 3);
        QVERIFY(text.endsWith("编辑区。\r\n"));
        QVERIFY(text.startsWith("目录：为保存Java源文件(.java)的目录，如D:\\MyJava"));
        // 291 bytes in the Chinese code page: 4 paragraphs, 7 line ends, 115 Chinese characters.
        int chinese = 0;
        for (QChar c : text)
            chinese += c.unicode() > 0x7f ? 1 : 0;
        QCOMPARE(text.size() + chinese, 291);
    }

    void picking() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.pick("Applet 应用程序");
        QVERIFY(d.height->isEnabled());
        QVERIFY(d.width->isEnabled());
        QVERIFY(d.apply->isEnabled());
        QCOMPARE(MainModule::CompileType, qint16(0)); // not before Apply
        d.apply->click();
        QCOMPARE(MainModule::CompileType, qint16(1));
        QVERIFY(!d.apply->isEnabled());
        d.pick("Applet 应用程序"); // the same item again still enables Apply
        QVERIFY(d.apply->isEnabled());
        d.pick("Java 标准程序");
        QVERIFY(!d.height->isEnabled());
        d.apply->click();
        QCOMPARE(MainModule::CompileType, qint16(0));
    }

    void typing_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits one at a time") << ""
                                              << "250"
                                              << "250";
        QTest::newRow("leading zero") << ""
                                      << "0"
                                      << "";
        QTest::newRow("fifth digit") << "2500"
                                     << "1"
                                     << "";
        QTest::newRow("decimal point") << "12"
                                       << "."
                                       << "";
        QTest::newRow("blank") << ""
                               << " "
                               << "";
        QTest::newRow("sign") << ""
                              << "-"
                              << "";
        QTest::newRow("letter") << "4"
                                << "x"
                                << "";
        QTest::newRow("9999") << ""
                              << "9999"
                              << "9999";
    }
    void typing() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.pick("Applet 应用程序");
        d.height->setText(before);
        d.height->setCursorPosition(before.size());
        QTest::keyClicks(d.height, typed);
        QCOMPARE(d.height->text(), after);
        QVERIFY(d.apply->isEnabled());
    }

    void pastingAndApplying_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("applied");
        QTest::newRow("12.5 to even") << "12.5"
                                      << "12.5" << 12;
        QTest::newRow("13.5 to even") << "13.5"
                                      << "13.5" << 14;
        QTest::newRow("0.4") << "0.4"
                             << "0.4" << 0;
        QTest::newRow("negative") << "-5"
                                  << "-5" << -5;
        QTest::newRow("trailing zero") << "12.50"
                                       << "" << 200;
        QTest::newRow("above 9999") << "9999.5"
                                    << "" << 200;
        QTest::newRow("beyond 16 bits") << "-40000"
                                        << "" << 200;
        QTest::newRow("zero") << "0"
                              << "" << 200;
        QTest::newRow("minus zero") << "-0"
                                    << "" << 200;
    }
    void pastingAndApplying() {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QFETCH(int, applied);
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.height->setText(pasted);
        QCOMPARE(d.height->text(), kept);
        d.apply->click();
        QCOMPARE(int(MainModule::AppletHeight), applied);
        QCOMPARE(d.height->text(), kept.isEmpty() ? QString("200") : kept);
        QVERIFY(!d.apply->isEnabled());
    }

    void emptyWidthGivesTheDefault() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.width->clear();
        d.height->setText("300");
        d.apply->click(); // with "Java 标准程序": the disabled boxes count too
        QCOMPARE(d.width->text(), QString("400"));
        QCOMPARE(MainModule::AppletWidth, qint16(400));
        QCOMPARE(MainModule::AppletHeight, qint16(300));
        QVERIFY(!d.apply->isEnabled());
    }

    void reopeningShowsTheDesignedSizes() {
        FreshStart start;
        Frm_java w;
        {
            Dialog d;
            d.height->setText("300");
            d.apply->click();
        }
        QCOMPARE(MainModule::AppletHeight, qint16(300));
        Dialog again;
        QCOMPARE(again.height->text(), QString("200"));
        QCOMPARE(MainModule::AppletHeight, qint16(300));
    }

    void keepingClassFilesIsStoredAtOnce() {
        FreshStart start;
        Frm_java w;
        {
            Dialog d;
            d.check->click();
            QVERIFY(d.apply->isEnabled());
            QCOMPARE(start.readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 0\r\n"));
            d.apply->click();
            QCOMPARE(start.readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 1\r\n"));
            QCOMPARE(MainModule::ClassExist, qint16(1));
        }
        Dialog d;
        QVERIFY(d.check->isChecked());
        QFile::remove(start.iniPath());
        d.pick("Applet 应用程序");
        d.apply->click(); // rewritten with an unchanged ClassExist
        QCOMPARE(start.readIni(), QByteArray("JavaPath=D:\\MyJava\r\nClassExist= 1\r\n"));
    }

    void closingWithoutApplyingChangesNothing() {
        FreshStart start;
        Frm_java w;
        const QByteArray ini = start.readIni();
        {
            Dialog d;
            d.check->click();
            d.pick("Applet 应用程序");
            d.height->setText("123");
            d.help.close();
        }
        QCOMPARE(MainModule::ClassExist, qint16(0));
        QCOMPARE(MainModule::CompileType, qint16(0));
        QCOMPARE(MainModule::AppletHeight, qint16(200));
        QCOMPARE(start.readIni(), ini);
    }

    void themeColours() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        // As drawn on screen, not as set.
        const QColor theme(223, 255, 255);
        for (const char *name : {"Fra_help", "Txt_help", "Chk_class", "Lab_apheight"}) {
            const QColor shown = shownColor(control<QWidget>(&d.help, name));
            QVERIFY2(shown == theme, qPrintable(QString(name) + " shows " + shown.name()));
        }
        QCOMPARE(shownWindowColor(&d.help), theme);
        for (const char *name : {"Line1", "Line2", "Line3"})
            QCOMPARE(shownColor(control<QWidget>(&d.help, name)), QColor(214, 213, 217));
        QCOMPARE(MainModule::ThemeColor, qRgb(214, 213, 217));
    }

    void tabOrderAndFocus() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.help.show();
        QVERIFY(QTest::qWaitForWindowActive(&d.help));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.check));
        d.pick("Applet 应用程序");
        QStringList order;
        QWidget *at = d.check;
        for (int i = 0; i < 5; ++i) {
            order << at->objectName();
            do
                at = at->nextInFocusChain();
            while (at->focusPolicy() == Qt::NoFocus || !at->isEnabled() ||
                   at->objectName().startsWith("qt_") || at->objectName().isEmpty());
        }
        QCOMPARE(order, QStringList({"Chk_class", "Com_option", "Txt_apheight", "Txt_apwidth",
                                     "Cmd_apply"}));
    }

    // What a screen reader hears beyond the captions: the help text as the dialog's description
    // when it opens; after 应用 (which disables itself), the control the focus moves to says the
    // settings were applied, until the next change; the dialog is modal while shown modal.
    void heardByAScreenReader() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(&d.help);
        QCOMPARE(toCrLfText(dialog->text(QAccessible::Description)), kDesignedHelpText);
        d.help.setModal(true);
        d.help.show();
        QVERIFY(QTest::qWaitForWindowActive(&d.help));
        QVERIFY(dialog->state().modal);
        // 应用 is not focusable while it is disabled, and a press through the reader applies.
        QAccessibleInterface *apply = QAccessible::queryAccessibleInterface(d.apply);
        QCOMPARE(apply->text(QAccessible::Name), QString("应用"));
        QVERIFY(!apply->state().focusable && apply->actionInterface()->actionNames().isEmpty());
        d.pick("Applet 应用程序");
        QVERIFY(apply->state().focusable && apply->role() == QAccessible::Button);
        apply->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(MainModule::CompileType, qint16(1));
        d.check->click();
        d.apply->setFocus();
        QTest::keyClick(d.apply, Qt::Key_Space);
        QVERIFY(!d.apply->isEnabled());
        QWidget *focused = QApplication::focusWidget();
        QCOMPARE(focused, static_cast<QWidget *>(d.check)); // the next in the focus chain
        QCOMPARE(QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Description),
                 QString("设置已应用。"));
        d.check->click();
        QCOMPARE(d.check->accessibleDescription(), QString());
        QVERIFY(d.apply->isEnabled());
        // The compile type: its value, and the chosen item selected in its list, after every
        // change made with the keys while the list stays closed.
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(d.list);
        for (const char *key : {"Up", "Down"}) {
            const QString shown = d.list->currentText();
            QCOMPARE(list->text(QAccessible::Value), shown);
            QAccessibleTextInterface *read = list->textInterface(); // where Orca reads a value
            QVERIFY(read && !list->editableTextInterface());
            QCOMPARE(read->text(0, read->characterCount()), shown);
            QAccessibleInterface *items = list->child(0);
            QStringList selected;
            for (int i = 0; i < items->childCount(); ++i)
                if (items->child(i)->state().selected)
                    selected << items->child(i)->text(QAccessible::Name);
            QCOMPARE(selected, QStringList{shown});
            d.list->setFocus();
            QTest::keyClick(d.list, QString(key) == "Down" ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(d.list->currentText() != shown);
        }
    }

    // No default button: Return presses a button only when it has the focus.
    void returnKey_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("applied");
        QTest::newRow("on the check box") << "Chk_class" << false;
        QTest::newRow("on the list") << "Com_option" << false;
        QTest::newRow("in a size box") << "Txt_apheight" << false;
        QTest::newRow("on the apply button") << "Cmd_apply" << true;
    }
    void returnKey() {
        QFETCH(QString, focus);
        QFETCH(bool, applied);
        FreshStart start;
        Frm_java w;
        Dialog d;
        d.help.show();
        QVERIFY(QTest::qWaitForWindowActive(&d.help));
        d.pick("Applet 应用程序");
        d.check->click();
        auto *target = control<QWidget>(&d.help, focus.toLatin1().constData());
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(MainModule::ClassExist, qint16(applied ? 1 : 0));
        QCOMPARE(MainModule::CompileType, qint16(applied ? 1 : 0));
        QVERIFY(d.help.isVisible());
    }

    void placedCentredByItsOuterSize() {
        FreshStart start;
        Frm_java w;
        Dialog d;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize outer = d.help.size() + kDialogFrame;
        QVERIFY(qAbs(d.help.x() - (screen.width() - outer.width()) / 2) <= 1);
        QVERIFY(qAbs(d.help.y() - (screen.height() - outer.height()) / 3) <= 1);
    }

    void sizeFilterRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        for (const char *yes : {"1", "9999", "12.5", "0.4", "-5", "-0.5", "-32768"})
            QTest::addRow("%s", yes) << QString(yes) << true;
        for (const char *no : {"", "0", "-0", "01", "1.", ".5", "1.50", "+1", " 1", "10000", "1e3",
                               "-32769", "１２"})
            QTest::addRow("'%s'", no) << QString::fromUtf8(no) << false;
    }
    void sizeFilterRules() {
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        QCOMPARE(isAcceptableSizeText(text), acceptable);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"
