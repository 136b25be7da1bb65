#include "platform/VbNumbers.h"

#include <cfenv>
#include <cmath>

double roundHalfEven(double value) {
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return rounded;
}

static bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
static bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

double leadingNumber(const QString &text) {
    QString number;
    bool seenSign = false, seenDigit = false, seenPoint = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && !seenSign && !seenDigit &&
            !seenPoint) {
            seenSign = true;
            number += c;
        } else if (isDigit(c)) {
            seenDigit = true;
            number += c;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            number += c;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok) // too many digits for a double
        return number.startsWith(QLatin1Char('-')) ? -HUGE_VAL : HUGE_VAL;
    return value;
}

std::optional<qint16> toInt16Rounded(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString signedNumberText(qint32 value) {
    const QString digits = QString::number(value < 0 ? -qint64(value) : qint64(value));
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
}
