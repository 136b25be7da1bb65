#pragma once

#include <QList>

class QWidget;

// A window that the colour theme paints names its themed controls through its design's
// members, so that a control renamed or missing in the design fails to compile instead of
// silently losing its colour.
class ThemedWindow {
public:
    virtual ~ThemedWindow() = default;
    // The controls that take the theme's colour as their background.
    virtual QList<QWidget *> themedControls() const = 0;
    // The lines that take the theme's line colour.
    virtual QList<QWidget *> themedLines() const { return {}; }
};
