#pragma once

class QApplication;

// The program's own light palette (and on Linux Qt's own default font), set at start-up: the
// designed colours (the program paints its backgrounds itself) stay readable whatever the desktop's
// theme, a dark GTK or KDE scheme or a dark Windows, which would otherwise give the text, the
// frames and the help text its light colours.
void useLightLook(QApplication &app);

// The application's default font (one implementation per system): Linux takes Qt's own, which
// the design was measured in (a desktop theme's is larger, GTK's "Sans 10", and would cut
// texts such as 保留Class文件); Windows keeps its own.
void useDesignedDefaultFont(QApplication &app);
