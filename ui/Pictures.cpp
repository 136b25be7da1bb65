#include "ui/Pictures.h"

#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QtMath>

void showPictureForScreen(QLabel *label, const QString &path) {
    // QIcon takes name@2x.png or name@3x.png beside name.png where the screens need more
    // pixels than name.png has. Asked for whole times the pixels (a screen at 125 % gets the
    // @2x picture, drawn smaller), the picture keeps its own size on the screen.
    const QIcon picture(path);
    label->setPixmap(picture.pixmap(QImageReader(path).size(), qCeil(label->devicePixelRatioF())));
}
