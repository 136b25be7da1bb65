#include "ui/Colors.h"

#include <QAbstractScrollArea>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

static bool isTextBox(const QWidget *widget) {
    return qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QAbstractScrollArea *>(widget);
}

static void setRole(QWidget *widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    widget->setPalette(palette);
}

// The role a control fills its background with: Base behind the text of a text box, else the
// control's own (Window for most, Button for check boxes).
static QPalette::ColorRole backRole(const QWidget *widget) {
    return isTextBox(widget) ? QPalette::Base : widget->backgroundRole();
}

void setBackColor(QWidget *widget, const QColor &color) {
    setRole(widget, backRole(widget), color);
    if (!isTextBox(widget))
        widget->setAutoFillBackground(true);
}

QColor backColor(const QWidget *widget) {
    return widget->palette().color(backRole(widget));
}

void drawFramesPlain(QWidget &window) {
    // The platform style fills a frame's inside a shade darker than its colour; the classic
    // style draws an etched outline around the colour itself, as the designs show it.
    static QStyle *classic = QStyleFactory::create(QStringLiteral("Windows"));
    if (!classic)
        return;
    for (QGroupBox *frame : window.findChildren<QGroupBox *>())
        frame->setStyle(classic);
}

void setForeColor(QWidget *widget, const QColor &color) {
    setRole(widget, isTextBox(widget) ? QPalette::Text : QPalette::WindowText, color);
}

QColor foreColor(const QWidget *widget) {
    return widget->palette().color(isTextBox(widget) ? QPalette::Text : QPalette::WindowText);
}

void setLineColor(QWidget *line, const QColor &color) {
    setRole(line, QPalette::WindowText, color);
}
