#include "ui/Pictures.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QtMath>

QPixmap pictureForScale(const QString &path, qreal scale) {
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    for (int times = std::min(qCeil(scale), 3); times > 1; --times) {
        const QString sharper = path.left(dot) + QStringLiteral("@%1x").arg(times) + path.mid(dot);
        QPixmap picture;
        if (QFile::exists(sharper) && picture.load(sharper)) {
            picture.setDevicePixelRatio(times);
            return picture;
        }
    }
    return QPixmap(path);
}

void showPictureForScreen(QLabel *label, const QString &path) {
    label->setPixmap(pictureForScale(path, label->devicePixelRatioF()));
}
