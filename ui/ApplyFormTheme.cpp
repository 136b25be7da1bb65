#include "ui/Colors.h"
#include "ui/MainModule.h"

#include <QWidget>

// The colour scheme of the program's windows, one entry per window name.
namespace {
struct ThemeEntry {
    const char *window;
    QRgb color;
    bool lines; // applied as line colour instead of background colour
    std::initializer_list<const char *> controls;
};

const ThemeEntry kScheme[] = {
    {"Frm_java", qRgb(235, 233, 237), false, {"Fra_edit", "Fra_set"}},
    {"Frm_help", qRgb(223, 255, 255), false, {"Fra_help", "Txt_help", "Chk_class"}},
    {"Frm_help", qRgb(214, 213, 217), true, {"Line1", "Line2", "Line3"}},
    {"Frm_about", qRgb(255, 255, 223), false, {"Fra_inform"}},
};
} // namespace

void MainModule::ApplyFormTheme(QWidget &window) {
    const QString name = window.objectName();
    for (const ThemeEntry &entry : kScheme) {
        if (name != QLatin1String(entry.window))
            continue;
        ThemeColor = entry.color;
        if (!entry.lines)
            setBackColor(&window, QColor(ThemeColor));
        for (const char *controlName : entry.controls) {
            if (auto *control = window.findChild<QWidget *>(QLatin1String(controlName))) {
                if (entry.lines)
                    setLineColor(control, QColor(ThemeColor));
                else
                    setBackColor(control, QColor(ThemeColor));
            }
        }
    }
}
