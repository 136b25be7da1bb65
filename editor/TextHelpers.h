#pragma once

#include <QString>

// The editor's text in the form the program works with: lines separated by CR LF.
QString toCrLfText(const QString &widgetText);
// Any text with CR LF, CR or LF line ends, in the form a plain-text widget takes (LF).
QString toWidgetText(const QString &text);
