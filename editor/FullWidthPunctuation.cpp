#include "editor/FullWidthPunctuation.h"

#include "editor/JavaLexis.h"

namespace {

// The ASCII form of a full-width character; empty for any other character.
QString asciiFor(QChar c) {
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
        if (c.unicode() == pair.fullWidth)
            return QString::fromLatin1(pair.ascii);
    return QString();
}

// Where a character of the code stands: the lexer's states outside code.
class CodeReader {
public:
    explicit CodeReader(const QString &text) : m_text(text) {}
    // Moves past a comment or literal starting at `at`, if one does; true when it did.
    bool skipNonCode(qsizetype &at) const {
        if (startsWith(at, "//")) {
            while (at < m_text.size() && !isLineEnd(at))
                ++at;
            return true;
        }
        if (startsWith(at, "/*")) {
            const qsizetype end = m_text.indexOf(QLatin1String("*/"), at + 2);
            at = end < 0 ? m_text.size() : end + 2;
            return true;
        }
        if (startsWith(at, "\"\"\"")) {
            skipPast(at, at + 3, QStringLiteral("\"\"\""), false);
            return true;
        }
        const QChar c = m_text.at(at);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            skipPast(at, at + 1, QString(c), true);
            return true;
        }
        return false;
    }

private:
    bool startsWith(qsizetype at, const char *ascii) const {
        return QStringView(m_text).mid(at).startsWith(QLatin1String(ascii));
    }
    bool isLineEnd(qsizetype at) const {
        return m_text.at(at) == QLatin1Char('\n') || m_text.at(at) == QLatin1Char('\r');
    }
    // Past the closing text (a backslash escapes the character after it); a string or character
    // literal also ends, unfinished, at its line's end.
    void skipPast(qsizetype &at, qsizetype from, const QString &closing, bool endsWithLine) const {
        for (at = from; at < m_text.size(); ++at) {
            if (m_text.at(at) == QLatin1Char('\\')) {
                ++at;
            } else if (QStringView(m_text).mid(at).startsWith(closing)) {
                at += closing.size();
                return;
            } else if (endsWithLine && isLineEnd(at)) {
                return;
            }
        }
    }

    const QString &m_text;
};

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
    QList<qsizetype> origins;
    const QString code = javalexis::withUnicodeEscapesTranslated(text, &origins);
    const CodeReader reader(code);
    LineCounter counter(text);
    QList<FullWidthMark> marks;
    for (qsizetype at = 0; at < code.size();) {
        if (reader.skipNonCode(at))
            continue;
        const QString meant = asciiFor(code.at(at));
        if (!meant.isEmpty()) {
            counter.moveTo(origins.at(at));
            marks.append({counter.line(), counter.column(), code.at(at), meant});
        }
        ++at;
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
