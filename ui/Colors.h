#pragma once

#include <QColor>

class QWidget;

// Colours of windows and controls, in the terms the designs use: a text box's background is
// the colour behind its text, any other control's is the colour it fills itself with.
void setBackColor(QWidget *widget, const QColor &color);
QColor backColor(const QWidget *widget);
// Text colour, also while the control is disabled.
void setForeColor(QWidget *widget, const QColor &color);
QColor foreColor(const QWidget *widget);
// Draws the window's frames (group boxes) so that their inside shows their own colour.
void drawFramesPlain(QWidget &window);
// The colour of a line (a QFrame drawn as a horizontal or vertical line).
void setLineColor(QWidget *line, const QColor &color);
