#include "settings/SizeFilter.h"

#include "platform/VbNumbers.h"

#include <QRegularExpression>

bool isAcceptableSizeText(const QString &text) {
    static const QRegularExpression canonical(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
    if (!canonical.match(text).hasMatch() || text == QLatin1String("0") ||
        text == QLatin1String("-0"))
        return false;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value <= 9999.0 && toInt16Rounded(value).has_value();
}

qint16 appliedSize(const QString &text, qint16 defaultSize) {
    if (text.isEmpty() || !isAcceptableSizeText(text))
        return defaultSize;
    return *toInt16Rounded(text.toDouble());
}
