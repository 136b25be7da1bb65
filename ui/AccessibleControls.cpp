#include "ui/AccessibleControls.h"

#include "ui/AccessibleTextControls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {
const char kLinkMark[] = "tarneljava_link";

bool isRuleLine(QObject *object) {
    auto *frame = qobject_cast<QFrame *>(object);
    return frame && frame->metaObject() == &QFrame::staticMetaObject &&
           (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine);
}

// A line drawn between groups of controls: nothing to read, so not shown to the reader.
class RuleLine : public QAccessibleWidget {
public:
    explicit RuleLine(QWidget *line) : QAccessibleWidget(line, QAccessible::Separator) {}
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

class LinkLabel : public QAccessibleWidget {
public:
    explicit LinkLabel(QLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}
    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(which);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override {
        if (action != pressAction())
            return;
        // Pressed as the mouse presses it, so the window's own handling of a click runs.
        QWidget *label = widget();
        const QPointF at = QRectF(label->rect()).center();
        const QPointF global = label->mapToGlobal(at);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, at, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(label, &click);
        }
    }
};

// A push button as Qt presents one, but not focusable while disabled (it cannot take the focus
// then, and a reader that believes it can sends the learner to a dead control).
class PushButton : public QAccessibleWidget {
public:
    explicit PushButton(QPushButton *button) : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text which) const override {
        QString said;
        if (which == QAccessible::Name) {
            said = widget()->accessibleName();
            if (said.isEmpty())
                said = withoutMnemonic(button()->text());
        } else if (which == QAccessible::Accelerator && button()->isDefault()) {
            said = QKeySequence(Qt::Key_Enter).toString(QKeySequence::NativeText);
        }
        return said.isEmpty() ? QAccessibleWidget::text(which) : said;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = state.focusable && widget()->isEnabled();
        state.pressed = button()->isDown();
        state.defaultButton = button()->isDefault();
        return state;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action == pressAction() && widget()->isEnabled())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }
    // "&Open" is read "Open"; "&&" stands for "&".
    static QString withoutMnemonic(const QString &caption) {
        QString plain;
        for (int at = 0; at < caption.size(); ++at) {
            if (caption.at(at) == QLatin1Char('&') && at + 1 < caption.size())
                ++at;
            plain += caption.at(at);
        }
        return plain;
    }
};

// A dialog: modal while it keeps the other windows from input (shown with exec()).
class DialogWindow : public QAccessibleWidget {
public:
    explicit DialogWindow(QWidget *dialog) : QAccessibleWidget(dialog, QAccessible::Dialog) {}
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.modal = widget()->isModal();
        return state;
    }
};

QAccessibleInterface *programAccessible(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("QFrame") && isRuleLine(object))
        return new RuleLine(widget);
    if (className == QLatin1String("QLabel") && object->property(kLinkMark).toBool())
        return new LinkLabel(static_cast<QLabel *>(widget));
    if (QAccessibleInterface *text = accessibleTextControl(className, object))
        return text;
    if (className == QLatin1String("QDialog"))
        return new DialogWindow(widget);
    // Checkable buttons and buttons with a menu stay Qt's.
    if (auto *button = qobject_cast<QPushButton *>(object);
        button && className == QLatin1String("QPushButton") && !button->isCheckable() &&
        !button->menu())
        return new PushButton(button);
    // A window made from a plain widget (the main window): a frame read with its caption.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}
} // namespace

void installAccessibleRoles() {
    static const bool installed = (QAccessible::installFactory(programAccessible), true);
    Q_UNUSED(installed);
}

void markAsLink(QLabel *label) {
    installAccessibleRoles();
    label->setProperty(kLinkMark, true);
    // A reader may have asked for the label already: it is read as a link from now on.
    if (QAccessibleInterface *asLabel = QAccessible::queryAccessibleInterface(label);
        asLabel && asLabel->role() != QAccessible::Link)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(asLabel));
}

void keepChosenItemSelected(QComboBox *list) {
    const auto select = [list](int index) {
        QItemSelectionModel *selection = list->view()->selectionModel();
        const QModelIndex item =
            list->model()->index(index, list->modelColumn(), list->rootModelIndex());
        if (selection && item.isValid())
            selection->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    };
    QObject::connect(list, &QComboBox::currentIndexChanged, list, select);
    select(list->currentIndex());
}
