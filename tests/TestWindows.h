#pragma once
// The windows as the tests see them: drawn offscreen, their colours on screen, their controls by
// name, and message boxes answered (or failing the test when none was awaited).
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

// Windows are drawn offscreen, started from ctest as from a debugger, unless the caller chose a
// platform: the tests compare pixels, which a desktop's own theme and scaling would change.
inline const bool kOffscreenByDefault = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

// The colour that covers most of a control (or of a part of it) as its window draws it on
// screen: its background, or for a line the line's colour.
inline QColor shownColor(QWidget *control, QRect part = QRect()) {
    QWidget *window = control->window();
    if (part.isNull())
        part = control->rect();
    const QImage image =
        window->grab(part.translated(control->mapTo(window, QPoint(0, 0)))).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            best = it.key(), most = it.value();
    return QColor(best);
}

// The size a shown window's frame adds to it, as the window system gave it.
inline QSize frameOf(const QWidget &window) {
    const QMargins m = window.windowHandle()->frameMargins();
    return QSize(m.left() + m.right(), m.top() + m.bottom());
}

// A window's own background: its bottom right corner, where no control lies.
inline QColor shownWindowColor(QWidget *window) {
    return shownColor(window, QRect(window->width() - 5, window->height() - 5, 3, 3));
}

template <typename T> T *control(QWidget *window, const char *name) {
    return window->findChild<T *>(QLatin1String(name));
}

// What a modal message box showed, and the button pressed on it.
struct MessageSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QStringList heard; // what a screen reader reads: the box's role and name, then its texts
};

// Answers the next modal message box with the given button (or Escape when `escape`), and
// records what it showed. Polls until a box appears.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer, bool escape = false)
        : m_answer(answer), m_escape(escape) {
        start();
    }
    // Answers with the button that bears this text.
    explicit MessageBoxAnswerer(const QString &buttonText)
        : m_answer(QMessageBox::NoButton), m_escape(false), m_buttonText(buttonText) {
        start();
    }
    ~MessageBoxAnswerer() { --waiting; }
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;
    std::vector<MessageSeen> seen;
    // How many answerers wait for a box now.
    static inline int waiting = 0;

private:
    void start() {
        ++waiting;
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tryAnswer(); });
        m_timer.start();
    }
    void tryAnswer() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        MessageSeen s;
        s.text = box->text();
        s.title = box->windowTitle();
        s.icon = box->icon();
        s.buttons = box->standardButtons();
        if (box->defaultButton())
            s.defaultButton = box->standardButton(box->defaultButton());
        if (QAccessibleInterface *read = QAccessible::queryAccessibleInterface(box)) {
            s.heard << QMetaEnum::fromType<QAccessible::Role>().valueToKey(read->role())
                    << read->text(QAccessible::Name);
            std::function<void(QAccessibleInterface *)> readAll = [&](QAccessibleInterface *node) {
                for (int i = 0; i < node->childCount(); ++i) {
                    s.heard << node->child(i)->text(QAccessible::Name);
                    readAll(node->child(i));
                }
            };
            readAll(read);
        }
        seen.push_back(s);
        if (m_escape) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &esc);
        } else {
            // A box without that button (a message after the prompt) is closed with OK.
            QAbstractButton *button = box->button(m_answer);
            for (QAbstractButton *b : box->buttons())
                if (!m_buttonText.isEmpty() && b->text() == m_buttonText)
                    button = b;
            (button ? button : box->button(QMessageBox::Ok))->click();
        }
    }
    QMessageBox::StandardButton m_answer;
    bool m_escape;
    QString m_buttonText;
    QTimer m_timer;
};

// A message box that no answerer waits for fails the test at once, with its text, and is
// closed: no test waits for one until its time limit.
class UnexpectedMessageBoxes : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *box = event->type() == QEvent::Show ? qobject_cast<QMessageBox *>(watched) : nullptr;
        if (box && MessageBoxAnswerer::waiting == 0) {
            QTest::qFail(
                qPrintable("an unexpected message box: " + box->windowTitle() + ": " + box->text()),
                __FILE__, __LINE__);
            QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }
};
inline void failOnUnexpectedMessageBoxes() {
    static bool installed = false;
    if (!installed && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(new UnexpectedMessageBoxes);
    installed = true;
}
Q_COREAPP_STARTUP_FUNCTION(failOnUnexpectedMessageBoxes)
