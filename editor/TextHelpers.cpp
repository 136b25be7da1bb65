#include "editor/TextHelpers.h"

QString toCrLfText(const QString &widgetText) {
    QString text = widgetText;
    text.replace(QChar(0x2029), QChar(10)); // paragraph separators of the text document
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return text;
}

QString toWidgetText(const QString &text) {
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QChar(13), QChar(10));
    return result;
}
