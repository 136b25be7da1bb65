#include "ui/Colors.h"
#include "ui/MainModule.h"
#include "ui/ThemedWindow.h"

#include <QWidget>

// The colour scheme of the program's windows, one entry per window name; the window names
// the controls (ThemedWindow).
namespace {
struct ThemeEntry {
    const char *window;
    QRgb color;
    bool lines; // applied to the window's lines as their colour, not as background colour
};

const ThemeEntry kScheme[] = {
    {"Frm_java", qRgb(235, 233, 237), false},
    {"Frm_help", qRgb(223, 255, 255), false},
    {"Frm_help", qRgb(214, 213, 217), true},
    {"Frm_about", qRgb(255, 255, 223), false},
};
} // namespace

void MainModule::ApplyFormTheme(QWidget &window) {
    const QString name = window.objectName();
    const auto *themed = dynamic_cast<const ThemedWindow *>(&window);
    for (const ThemeEntry &entry : kScheme) {
        if (name != QLatin1String(entry.window))
            continue;
        ThemeColor = entry.color;
        if (!entry.lines)
            setBackColor(&window, QColor(ThemeColor));
        if (!themed)
            continue;
        for (QWidget *control : entry.lines ? themed->themedLines() : themed->themedControls()) {
            if (entry.lines)
                setLineColor(control, QColor(ThemeColor));
            else
                setBackColor(control, QColor(ThemeColor));
        }
    }
}
