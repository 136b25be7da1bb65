#include "editor/ClassScan.h"

#include <vector>

namespace {
const QString kClass = QStringLiteral("class");
const QString kMarker = QStringLiteral("public static void main");
constexpr qsizetype kClassLength = 5;
constexpr qsizetype kMaxOwnedName = 255;

// The scan's own line breaks: CR and LF only (the one-line boxes know more).
bool isCrOrLf(QChar c) {
    return c == QChar(13) || c == QChar(10);
}

bool isSpaceOrCrLf(QChar c) {
    return c == QChar(32) || isCrOrLf(c);
}

// The first position at or after `from` whose character passes the test (the text's end when
// none). Callers ask for positions that never go back, so each keeps one finder and the
// finder walks the text once in all.
template <typename Test> class ForwardFinder {
public:
    ForwardFinder(const QString &text, Test test) : m_text(text), m_test(test) {}
    qsizetype from(qsizetype from) {
        // Everything in [m_asked, m_found) failed the test: an answer at or after `from`
        // stands for `from` as well.
        if (m_found < from) {
            m_found = from;
            while (m_found < m_text.size() && !m_test(m_text.at(m_found)))
                ++m_found;
        }
        return m_found;
    }

private:
    const QString &m_text;
    Test m_test;
    qsizetype m_found = -1;
};

// Positions in the text without line breaks, for positions of the text that never go back.
class LineBreakFreePosition {
public:
    explicit LineBreakFreePosition(const QString &text) : m_text(text) {}
    qsizetype of(qsizetype position) {
        for (; m_position < position; ++m_position)
            m_breaks += isCrOrLf(m_text.at(m_position)) ? 1 : 0;
        return position - m_breaks;
    }

private:
    const QString &m_text;
    qsizetype m_position = 0;
    qsizetype m_breaks = 0;
};
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
    // Made when the first name that is not copied needs it.
    const auto nameSource = [&result, &text]() -> const QString & {
        if (result.nameSource.isNull()) {
            result.nameSource = text;
            result.nameSource.removeIf(isCrOrLf);
        }
        return result.nameSource;
    };

    // The name of an occurrence: from the first character after "class" that is no space or
    // line break, to the first space after that or the brace, whichever comes first; without
    // its line breaks, which makes it one run of the text without line breaks.
    ForwardFinder nameStart(text, [](QChar c) { return !isSpaceOrCrLf(c); });
    ForwardFinder nameEnd(text, [](QChar c) { return c == QChar(32); });
    LineBreakFreePosition startInSource(text);
    LineBreakFreePosition endInSource(text);
    qsizetype ownedBudget = text.size(); // characters copied into names, line breaks included

    bool chosen = false;
    qsizetype brace = -2;  // next "{" at or after the current occurrence (-1: none)
    qsizetype marker = -2; // next marker after the current occurrence (-1: none)
    for (size_t i = 0; i < occurrences.size(); ++i) {
        const qsizetype a = occurrences[i];
        if (brace != -1 && brace < a)
            brace = text.indexOf(QLatin1Char('{'), a);
        if (brace < 0 || brace == a + kClassLength)
            break; // no brace after this occurrence, or the brace follows "class" at once
        const qsizetype start = std::min(nameStart.from(a + kClassLength), brace);
        const qsizetype end = std::min(nameEnd.from(start), brace);
        const qsizetype from = startInSource.of(start);
        const qsizetype length = endInSource.of(end) - from;
        QString name;
        if (length <= kMaxOwnedName && end - start <= ownedBudget) {
            ownedBudget -= end - start;
            name = text.mid(start, end - start);
            name.removeIf(isCrOrLf);
        } else {
            name = QString::fromRawData(nameSource().constData() + from, length);
        }

        if (marker != -1 && marker < a + 1)
            marker = text.indexOf(kMarker, a + 1);
        const bool hasNext = i + 1 < occurrences.size();
        // Positions as the editor counts them: 1-based, 0 when missing.
        const qint64 m = marker < 0 ? 0 : marker + 1;
        const qint64 n = hasNext ? occurrences[i + 1] + 1 : 0;
        if (!chosen && (m < n || n == 0)) {
            result.fileName = ownedCopy(name);
            chosen = true;
        }
        result.classNames[static_cast<qsizetype>(i)] = name;
    }
    return result;
}
