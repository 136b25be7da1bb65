#include "app/Frm_java.h"
#include "platform/SystemFolders.h"
#include "ui/LightLook.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    if (!platform::hasDisplay()) {
        std::fputs("TarnelJava needs a desktop (no DISPLAY is set). Start it inside a desktop "
                   "session, or without one as: xvfb-run -a TarnelJava\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // Docks and task bars match the window to the menu entry tarneljava.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("tarneljava"));
    useLightLook(app);
    loadQtChineseTranslation();
    Frm_java window;
    window.show();
    return app.exec();
}
