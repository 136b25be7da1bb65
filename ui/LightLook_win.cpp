#include "ui/LightLook.h"

#include <QApplication>

void useDesignedDefaultFont(QApplication &) {
    // The system's own font: the design was made in it.
}
