#include "editor/FullWidthPunctuation.h"

#include "editor/JavaLexis.h"

namespace {

// The ASCII form of a full-width character; empty for any other character.
QString asciiFor(char32_t c) {
    static const struct {
        char16_t fullWidth;
        const char *ascii;
    } kPairs[] = {
        {u'；', ";"}, {u'，', ","}, {u'。', "."}, {u'：', ":"}, {u'（', "("},     {u'）', ")"},
        {u'｛', "{"}, {u'｝', "}"}, {u'【', "["}, {u'】', "]"}, {u'［', "["},     {u'］', "]"},
        {u'“', "\""}, {u'”', "\""}, {u'‘', "'"},  {u'’', "'"},  {u'＝', "="},     {u'＋', "+"},
        {u'－', "-"}, {u'＊', "*"}, {u'／', "/"}, {u'＜', "<"}, {u'＞', ">"},     {u'！', "!"},
        {u'？', "?"}, {u'＆', "&"}, {u'｜', "|"}, {u'％', "%"}, {u'\u3000', " "},
    };
    for (const auto &pair : kPairs)
        if (c == pair.fullWidth)
            return QString::fromLatin1(pair.ascii);
    return QString();
}

// Line and column of each position of the text, as javac counts them.
class LineCounter {
public:
    explicit LineCounter(const QString &text) : m_text(text) {}
    // Positions must come in ascending order.
    void moveTo(qsizetype position) {
        for (; m_at < position; ++m_at) {
            const QChar c = m_text.at(m_at);
            const bool crlf = c == QLatin1Char('\r') && m_at + 1 < m_text.size() &&
                              m_text.at(m_at + 1) == QLatin1Char('\n');
            if ((c == QLatin1Char('\n') || c == QLatin1Char('\r')) && !crlf) {
                ++m_line;
                m_lineStart = m_at + 1;
            }
        }
    }
    int line() const { return m_line; }
    int column() const { return int(m_at - m_lineStart) + 1; }

private:
    const QString &m_text;
    qsizetype m_at = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
};

} // namespace

QList<FullWidthMark> findFullWidthPunctuation(const QString &text) {
    QList<qsizetype> origins; // of the translated text's UTF-16 units
    const QString translated = javalexis::withUnicodeEscapesTranslated(text, &origins);
    const javalexis::CodePoints code(translated);
    LineCounter counter(text);
    QList<FullWidthMark> marks;
    qsizetype unit = 0; // the UTF-16 unit where code point `at` starts
    for (qsizetype at = 0; at < code.size();) {
        const qsizetype after =
            javalexis::skipLiteral(code, javalexis::skipSpaceAndComments(code, at));
        const qsizetype next = after == at ? at + 1 : after;
        const QString meant = after == at ? asciiFor(code.at(at)) : QString();
        if (!meant.isEmpty()) {
            counter.moveTo(origins.at(unit));
            marks.append({counter.line(), counter.column(), QChar(char16_t(code.at(at))), meant});
        }
        for (; at < next; ++at)
            unit += code.at(at) > 0xFFFF ? 2 : 1;
    }
    return marks;
}

QString fullWidthHint(const FullWidthMark &mark) {
    if (mark.typed == QChar(0x3000))
        return QStringLiteral("提示：第 %1 行第 %2 列是中文空格“%3”，Java 程序里要用英文空格。")
            .arg(mark.line)
            .arg(mark.column)
            .arg(mark.typed);
    return QStringLiteral("提示：第 %1 行第 %2 列是中文标点“%3”，Java 程序里要用英文标点“%4”。")
        .arg(mark.line)
        .arg(mark.column)
        .arg(mark.typed)
        .arg(mark.meant);
}

QStringList fullWidthHints(const QList<FullWidthMark> &marks, int most) {
    QStringList lines;
    for (qsizetype i = 0; i < marks.size() && i < most; ++i)
        lines << fullWidthHint(marks.at(i));
    if (marks.size() > most)
        lines << QStringLiteral("提示：另有 %1 处中文标点，编辑区中都已标出。")
                     .arg(marks.size() - most);
    return lines;
}
