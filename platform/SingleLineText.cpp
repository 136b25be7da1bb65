#include "platform/SingleLineText.h"

#include <algorithm>

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return u == 10 || u == 13 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

static bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

QString firstLine(const QString &text) {
    const auto end = std::find_if(text.cbegin(), text.cend(), isLineBreak);
    return text.left(end - text.cbegin());
}

QString oneLineText(const QString &text) {
    QString line = firstLine(text);
    line.removeIf([](QChar c) { return isControl(c) || c.category() == QChar::Other_Format; });
    return line;
}
