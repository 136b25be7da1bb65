#pragma once

#include <QString>

// Removes every CR and LF, then every space (code 32; tabs stay).
QString StringFormat(const QString &SourStr);
// Removes every CR and LF, then trims spaces (code 32 only) at both ends.
QString StringFormat2(const QString &SourStr);

// The editor's text in the form the program works with: lines separated by CR LF.
QString toCrLfText(const QString &widgetText);
// Any text with CR LF, CR or LF line ends, in the form a plain-text widget takes (LF).
QString toWidgetText(const QString &text);
