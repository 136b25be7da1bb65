#pragma once

#include <QString>

class QLabel;

// Shows a picture of the resources in a label, drawn for the scale of the screens: name@3x.png
// or name@2x.png where a screen needs more pixels than name.png has, else name.png.
void showPictureForScreen(QLabel *label, const QString &path);
