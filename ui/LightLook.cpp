#include "ui/LightLook.h"

#include <QApplication>
#include <QPalette>

namespace {
// Qt's own light palette (its "Fusion" colours), the one the windows are designed and tested
// with. Written out: a desktop theme's palette, and Fusion's standard palette under it, follow
// the theme (with Qt's GTK theme and GTK_THEME=Adwaita:dark, Fusion's standard palette is the
// dark one).
QPalette lightPalette() {
    const QColor background(239, 239, 239);
    const QColor dark = background.darker(150);
    const QColor mid = background.darker(130);
    const QColor shadow = dark.darker(135);
    const QColor disabledText(190, 190, 190);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    QPalette palette(Qt::black, background, background.lighter(150), dark, mid, Qt::black,
                     Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Button, background);
    palette.setBrush(QPalette::Shadow, shadow);
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    palette.setBrush(QPalette::PlaceholderText, placeholder);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setBrush(QPalette::Disabled, role, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, background);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setBrush(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}
} // namespace

void useLightLook(QApplication &app) {
    app.setPalette(lightPalette());
    useDesignedDefaultFont(app);
}
