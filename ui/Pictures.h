#pragma once

#include <QString>

class QLabel;
class QPixmap;

// A picture of the resources drawn for a screen scale: name@3x.png or name@2x.png where the
// screen needs more pixels than name.png has (the nearest at or above the scale), else
// name.png.
QPixmap pictureForScale(const QString &path, qreal scale);

// Shows the picture in a label, drawn for the scale of the label's screen.
void showPictureForScreen(QLabel *label, const QString &path);
