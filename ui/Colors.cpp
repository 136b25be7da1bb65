#include "ui/Colors.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QPalette>
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

void setBackColor(QWidget *widget, const QColor &color) {
    if (isTextBox(widget)) {
        setRole(widget, QPalette::Base, color);
    } else {
        setRole(widget, QPalette::Window, color);
        widget->setAutoFillBackground(true);
    }
}

QColor backColor(const QWidget *widget) {
    return widget->palette().color(isTextBox(widget) ? QPalette::Base : QPalette::Window);
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

QColor lineColor(const QWidget *line) {
    return line->palette().color(QPalette::WindowText);
}
