#include "ui/Fonts.h"

#include <QFont>
#include <QWidget>

namespace {
struct FontFallback {
    const char *family;
    QStringList families;
    bool fixedPitch;
};

const FontFallback kFallbacks[] = {
    {"MS Sans Serif",
     {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "WenQuanYi Micro Hei"},
     false},
    {"Calibri", {"Calibri", "Carlito", "DejaVu Sans", "WenQuanYi Micro Hei"}, false},
    {"Fixedsys",
     {"Fixedsys", "NSimSun", "DejaVu Sans Mono", "WenQuanYi Micro Hei Mono", "Monospace"},
     true},
    {"宋体", {"宋体", "SimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC"}, false},
};

// Fixedsys has a single size (8 x 15 pixels at 96 dots per inch) whatever size a design names;
// its stand-ins get the size that gives about the same character width.
constexpr double kFixedsysStandInPointSize = 10.0;

double designPointSize(double storedSize) {
    if (storedSize == 8.0)
        return 8.25;
    if (storedSize == 10.0)
        return 10.5;
    return storedSize;
}
} // namespace

void applyDesignFonts(QWidget &window) {
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    widgets.prepend(&window);
    for (QWidget *widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue; // uses the window's font
        QFont font = widget->font();
        for (const FontFallback &fallback : kFallbacks) {
            if (font.family() != QString::fromUtf8(fallback.family))
                continue;
            font.setFamilies(fallback.families);
            font.setPointSizeF(fallback.fixedPitch ? kFixedsysStandInPointSize
                                                   : designPointSize(font.pointSizeF()));
            if (fallback.fixedPitch) {
                font.setStyleHint(QFont::TypeWriter);
                font.setFixedPitch(true);
            }
            widget->setFont(font);
        }
    }
}
