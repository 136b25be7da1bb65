#include "editor/TextHelpers.h"

static QString withoutLineBreaks(const QString &text) {
    QString result = text;
    result.remove(QChar(13));
    result.remove(QChar(10));
    return result;
}

QString StringFormat(const QString &SourStr) {
    QString result = withoutLineBreaks(SourStr);
    result.remove(QChar(32));
    return result;
}

QString StringFormat2(const QString &SourStr) {
    const QString joined = withoutLineBreaks(SourStr);
    qsizetype begin = 0;
    qsizetype end = joined.size();
    while (begin < end && joined.at(begin) == QChar(32))
        ++begin;
    while (end > begin && joined.at(end - 1) == QChar(32))
        --end;
    return joined.mid(begin, end - begin);
}

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
