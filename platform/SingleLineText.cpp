#include "platform/SingleLineText.h"

#include <algorithm>

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return u == 10 || u == 13 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

static bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

bool hasControlCharacter(const QString &text) {
    return std::any_of(text.cbegin(), text.cend(), isControl);
}

QString firstLine(const QString &text) {
    const auto end = std::find_if(text.cbegin(), text.cend(), isLineBreak);
    return text.left(end - text.cbegin());
}

QString commandText(const QString &text) {
    QString line = firstLine(text);
    line.removeIf(isControl);
    return line;
}

QString oneLineText(const QString &text) {
    QString line = firstLine(text);
    line.removeIf([](QChar c) { return isControl(c) || c.category() == QChar::Other_Format; });
    return line;
}
