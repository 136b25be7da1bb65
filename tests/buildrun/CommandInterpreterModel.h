#pragma once

#include "buildrun/BuildFiles.h"
#include "platform/PathMapping.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <optional>

// How the Windows command interpreter reads one line of a batch file, as far as it decides
// what runs: first "%" (only "%%" is harmless: it reads as "%"; anything else expands a
// variable or drops the sign), then quotes, outside of which & | < > start another command or
// redirect and ^ escapes. A line is one plain command when neither happens; its text is then
// the line with "%%" read as "%" and the quotes taken away.
struct CommandLine {
    QString command;  // up to the first space
    QString argument; // the rest, unquoted
};

inline std::optional<CommandLine> readAsOneCommand(const QString &line) {
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != QLatin1Char('%')) {
            text += line.at(i);
        } else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('%')) {
            text += QLatin1Char('%');
            ++i;
        } else {
            return std::nullopt; // a variable would be expanded, or the sign dropped
        }
    }
    bool quoted = false;
    QString unquoted;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && QStringLiteral("&|<>^").contains(c))
            return std::nullopt;
        unquoted += c;
    }
    if (quoted)
        return std::nullopt; // an open quote: the interpreter reads the rest its own way
    const qsizetype space = unquoted.indexOf(QLatin1Char(' '));
    if (space < 0)
        return CommandLine{unquoted, QString()};
    return CommandLine{unquoted.left(space), unquoted.mid(space + 1)};
}

// A text of up to `maxLength` characters drawn from those that make the interpreter's rules
// bite: mostly those that a name or folder may hold (& ^ % and the like, which the script must
// keep harmless), now and then one that stops the build (" | < > * ? and the like).
inline QString hostileText(QRandomGenerator &random, int maxLength) {
    static const QString allowed = QStringLiteral("&^%()!=;, .\\Aa1$中");
    static const QString stopping = QStringLiteral("\"|<>*?:/\t");
    const int length = int(random.bounded(maxLength + 1));
    QString text;
    for (int i = 0; i < length; ++i) {
        const QString &from = random.bounded(10) == 0 ? stopping : allowed;
        text += from.at(int(random.bounded(int(from.size()))));
    }
    return text;
}

// Checks the build script of a folder and name that the build takes: every line is one plain
// command, and the commands are the build's own with the folder and name as given. Returns
// an empty text when it holds, else what went wrong.
inline QString checkScriptOf(const QString &javaPath, const QString &className, qint16 type) {
    const QStringList lines = buildScriptLines(javaPath, className, type);
    const QStringList commands{"@echo", "", "cd", "echo", "javac", "echo", "java", "pause"};
    for (int i = 0; i < lines.size(); ++i) {
        const auto read = readAsOneCommand(lines.at(i));
        if (!read)
            return QStringLiteral("line %1 is no single command: %2").arg(i + 1).arg(lines.at(i));
        if (i == 1) {
            const bool drive = !platform::driveLetter(javaPath).isNull();
            if (read->command != (drive ? javaPath.left(2) : QString()))
                return QStringLiteral("line 2 is no drive change: ") + lines.at(i);
            continue;
        }
        const QString expected = i < 6 || i == 7 ? commands.at(i)
                                 : type == 0     ? QStringLiteral("java")
                                                 : QStringLiteral("appletviewer");
        if (i == lines.size() - 1 && read->command != QLatin1String("pause"))
            return QStringLiteral("the last line is no pause: ") + lines.at(i);
        if (i < lines.size() - 1 && read->command != expected)
            return QStringLiteral("line %1 runs %2").arg(i + 1).arg(read->command);
        if (i == 2 && read->argument != javaPath + QStringLiteral("\\ClassFiles"))
            return QStringLiteral("cd goes elsewhere: ") + read->argument;
        if (i == 4 && read->argument != className + QStringLiteral(".java"))
            return QStringLiteral("javac compiles another file: ") + read->argument;
        if (i == 6 && type == 0 && read->argument != className)
            return QStringLiteral("java runs another class: ") + read->argument;
    }
    return QString();
}
