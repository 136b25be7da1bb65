#include "ui/LightLook.h"

#include <QApplication>
#include <QFont>

void useDesignedDefaultFont(QApplication &app) {
    app.setFont(QFont(QStringLiteral("Sans Serif"), 9));
}
