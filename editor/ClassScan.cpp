#include "editor/ClassScan.h"

#include <vector>

namespace {
const QString kClass = QStringLiteral("class");
const QString kMarker = QStringLiteral("public static void main");
constexpr qsizetype kClassLength = 5;

bool isLineBreak(QChar c) {
    return c == QChar(13) || c == QChar(10);
}

// The name between the end of "class" (from) and the brace (to, exclusive): line breaks do not
// count, leading spaces are skipped and the name ends at the first space after them. This
// equals StringFormat2 of the range cut at its first space, without copying the whole range.
QString nameBetween(const QString &text, qsizetype from, qsizetype to) {
    qsizetype i = from;
    while (i < to && (text.at(i) == QChar(32) || isLineBreak(text.at(i))))
        ++i;
    QString name;
    for (; i < to && text.at(i) != QChar(32); ++i) {
        if (!isLineBreak(text.at(i)))
            name.append(text.at(i));
    }
    return name;
}
} // namespace

ClassScanResult scanClasses(const QString &text) {
    std::vector<qsizetype> occurrences;
    for (qsizetype at = text.indexOf(kClass); at >= 0; at = text.indexOf(kClass, at + 1))
        occurrences.push_back(at);

    ClassScanResult result;
    result.classCount = static_cast<qint32>(occurrences.size());
    result.classNames.reserve(result.classCount);
    for (qint32 i = 0; i < result.classCount; ++i)
        result.classNames.append(QString());

    bool chosen = false;
    qsizetype brace = -2;  // next "{" at or after the current occurrence (-1: none)
    qsizetype marker = -2; // next marker after the current occurrence (-1: none)
    for (size_t i = 0; i < occurrences.size(); ++i) {
        const qsizetype a = occurrences[i];
        if (brace != -1 && brace < a)
            brace = text.indexOf(QLatin1Char('{'), a);
        if (brace < 0 || brace == a + kClassLength)
            break; // no brace after this occurrence, or the brace follows "class" at once
        const QString name = nameBetween(text, a + kClassLength, brace);

        if (marker != -1 && marker < a + 1)
            marker = text.indexOf(kMarker, a + 1);
        const bool hasNext = i + 1 < occurrences.size();
        // Positions as the editor counts them: 1-based, 0 when missing.
        const qint64 m = marker < 0 ? 0 : marker + 1;
        const qint64 n = hasNext ? occurrences[i + 1] + 1 : 0;
        if (!chosen && (m < n || n == 0)) {
            result.fileName = name;
            chosen = true;
        }
        result.classNames[static_cast<qsizetype>(i)] = name;
    }
    return result;
}
