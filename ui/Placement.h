#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window goes on the screen: centred horizontally, with one third of the free height
// above it and two thirds below. Computed in twips with single-precision fractions.
QPoint screenPlacement(const QRect &screen, const QSize &outerSize);
// The same place for a window of that client size in the frame the window system gave it.
QPoint framedPlacement(const QRect &screen, const QSize &clientSize, const QMargins &frame);

// Moves a window (its client size plus the given frame, in pixels) to that place on the
// primary screen; once it is shown and the window manager has framed it, to the place for its
// real outer size.
void placeOnPrimaryScreen(QWidget &window, const QSize &frame);

// The frame of a fixed-size dialog, in pixels: a border of 3 on each side and a caption of 26,
// the frame the dialogs were designed with (the main window's sizable one is 1 pixel thicker).
inline const QSize kDialogFrame(6, 32);
