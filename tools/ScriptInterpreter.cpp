#include "tools/ScriptInterpreter.h"

#include "platform/PathMapping.h"

const QString ScriptInterpreter::kPauseText = QStringLiteral("请按任意键继续. . . ");
const QString ScriptInterpreter::kTerminateQuestion = QStringLiteral("终止批处理操作吗(Y/N)? ");

QString ScriptInterpreter::prompt() const {
    return platform::toWindowsPath(m_console.currentFolder()) + QLatin1Char('>');
}

void ScriptInterpreter::runScript(const QStringList &lines) {
    for (const QString &line : lines) {
        if (m_stopped)
            return;
        runLine(line);
    }
}

void ScriptInterpreter::askAfterInterrupt() {
    if (!m_console.interrupted || !m_console.interrupted())
        return;
    m_console.write(QStringLiteral("^C\n"));
    for (;;) {
        m_console.write(kTerminateQuestion);
        const std::optional<QString> line = m_console.readLine();
        const QString answer = line ? line->trimmed().toUpper() : QStringLiteral("Y");
        if (answer == QLatin1String("Y") || answer == QLatin1String("N")) {
            m_stopped = answer == QLatin1String("Y");
            return;
        }
    }
}

static QString commandWord(const QString &line) {
    return line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

// A quoted argument stands for the text between its quotes.
static QString unquoted(const QString &argument) {
    if (argument.size() >= 2 && argument.startsWith(QLatin1Char('"')) &&
        argument.endsWith(QLatin1Char('"')))
        return argument.mid(1, argument.size() - 2);
    return argument;
}

static QString restAfterWord(const QString &line, const QString &word) {
    const qsizetype at = line.indexOf(word) + word.size();
    return line.mid(at + 1);
}

QString ScriptInterpreter::expandPercents(const QString &line,
                                          const std::function<QString(const QString &)> &variable) {
    QString result;
    const QChar percent(QLatin1Char('%'));
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != percent) {
            result += line.at(i);
            continue;
        }
        if (i + 1 >= line.size())
            break; // a lone "%" at the end is dropped
        const QChar next = line.at(i + 1);
        if (next == percent || next.isDigit() || next == QLatin1Char('*')) {
            if (next == percent)
                result += percent;
            ++i; // an argument of the script: there are none
            continue;
        }
        const qsizetype close = line.indexOf(percent, i + 1);
        if (close < 0)
            continue; // a lone "%" is dropped
        result += variable(line.mid(i + 1, close - i - 1));
        i = close;
    }
    return result;
}

void ScriptInterpreter::runLine(const QString &rawLine) {
    QString line = expandPercents(rawLine, [](const QString &name) {
        return qEnvironmentVariable(name.toLocal8Bit().constData());
    });
    const bool quiet = line.startsWith(QLatin1Char('@'));
    if (quiet)
        line.remove(0, 1);
    if (line.trimmed().isEmpty())
        return;
    if (m_echo && !quiet)
        m_console.write(QLatin1String("\n") + prompt() + line + QLatin1Char('\n'));

    const QString word = commandWord(line);
    const QString lower = word.toLower();
    if (lower == QLatin1String("echo")) {
        const QString text = restAfterWord(line, word);
        if (text.trimmed().compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
            m_echo = false;
        else if (text.trimmed().compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
            m_echo = true;
        else if (text.trimmed().isEmpty())
            m_console.write(m_echo ? QStringLiteral("ECHO 处于打开状态。\n")
                                   : QStringLiteral("ECHO 处于关闭状态。\n"));
        else
            m_console.write(text + QLatin1Char('\n'));
    } else if (word.size() == 2 && word.at(1) == QLatin1Char(':') &&
               !platform::driveLetter(word).isNull() && line.trimmed() == word) {
        m_drive = platform::driveLetter(word);
        if (!m_console.changeFolder(platform::toHostPath(word + QLatin1Char('\\'))))
            m_console.write(QStringLiteral("系统找不到指定的驱动器。\n"));
    } else if (lower == QLatin1String("cd")) {
        const QString path = unquoted(restAfterWord(line, word).trimmed());
        if (path.isEmpty()) {
            m_console.write(platform::toWindowsPath(m_console.currentFolder()) + QLatin1Char('\n'));
            return;
        }
        const QChar drive = platform::driveLetter(path);
        // Like the Windows interpreter, "cd" to another drive does not switch drives.
        if (!drive.isNull() && !m_drive.isNull() && drive != m_drive)
            return;
        if (!m_console.changeFolder(platform::toHostPath(path)))
            m_console.write(QStringLiteral("系统找不到指定的路径。\n"));
    } else if (lower == QLatin1String("pause")) {
        if (m_console.dropTypedAhead)
            m_console.dropTypedAhead();
        m_console.write(kPauseText);
        m_console.waitForKey();
        m_console.write(QStringLiteral("\n"));
        askAfterInterrupt();
    } else {
        QStringList arguments;
        for (const QString &argument :
             restAfterWord(line, word).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            arguments << unquoted(argument);
        if (!m_console.run(word, arguments))
            m_console.write(QLatin1Char('\'') + word +
                            QStringLiteral("' 不是内部或外部命令，也不是可运行的程序\n"
                                           "或批处理文件。\n"));
        askAfterInterrupt();
    }
}
