#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window goes on the screen: centred horizontally, with one third of the free height
// above it and two thirds below. Computed in twips with single-precision fractions.
QPoint screenPlacement(const QRect &screen, const QSize &outerSize);

// Moves a window (its client size plus the given frame, in pixels) to that place on the
// primary screen.
void placeOnPrimaryScreen(QWidget &window, const QSize &frame);
