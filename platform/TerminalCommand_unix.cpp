#include "platform/TerminalCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// How to start one kind of terminal so that it opens a window of its own and its process
// lives as long as that window, titled by the script and running the interpreter. Each kind
// is written with named steps: TerminalKind({"xterm"}).titleOption("-T").commandOption("-e").
struct TerminalKind {
    QStringList names;           // canonical file names of the terminal's program
    QString program;             // run this program of the same folder (empty: the terminal)
    QStringList options;         // options before the title
    QString title;               // empty: the interpreter sets the title (escape sequence)
    QString titlePrefix;         // in front of the title in its option
    QString command;             // followed by the program and its arguments (empty: they follow)
    bool joined = false;         // the command as one string in shell quoting
    bool endsWithScript = false; // its window stays after the command: ended with the script
    bool usable = true;          // false: passed over for xterm
    bool instancePerProgram = false; // the last option names an instance: the pid is added
    bool needsWayland = false;       // without a Wayland display: passed over for xterm
    bool onlyUtf8 = false;           // shows and sends UTF-8 whatever the locale's encoding
    QStringList utf8Options;         // in a UTF-8 locale only, before the others

    explicit TerminalKind(QStringList fileNames) : names(std::move(fileNames)) {}
    TerminalKind &runs(const QString &programOfTheFolder) {
        program = programOfTheFolder;
        return *this;
    }
    TerminalKind &withOptions(const QStringList &leading) {
        options = leading;
        return *this;
    }
    TerminalKind &titleOption(const QString &option, const QString &prefix = QString()) {
        title = option;
        titlePrefix = prefix;
        return *this;
    }
    TerminalKind &commandOption(const QString &option) {
        command = option;
        return *this;
    }
    TerminalKind &commandAsOneString() {
        joined = true;
        return *this;
    }
    TerminalKind &keepsItsWindow() {
        endsWithScript = true;
        return *this;
    }
    TerminalKind &withoutChinese() {
        usable = false;
        return *this;
    }
    // Its close button asks "Are you sure…?" and no option stops it: the build would wait.
    TerminalKind &asksBeforeClosing() {
        usable = false;
        return *this;
    }
    TerminalKind &instanceOfItsOwn() {
        instancePerProgram = true;
        return *this;
    }
    TerminalKind &onWaylandOnly() {
        needsWayland = true;
        return *this;
    }
    // In a locale whose encoding is not UTF-8 (zh_CN.GB18030) its text would be garbled:
    // passed over for xterm there.
    TerminalKind &inUtf8Only() {
        onlyUtf8 = true;
        return *this;
    }
    // Where the locale's encoding is another the terminal follows the locale.
    TerminalKind &inUtf8Locales(const QStringList &leading) {
        utf8Options = leading;
        return *this;
    }
};

const QList<TerminalKind> &terminalKinds() {
    // Tried on Debian 12, each installed as x-terminal-emulator.
    static const QList<TerminalKind> kinds = {
        // Like a console window: Chinese glyphs, 80 x 25, a scroll bar and enough lines to
        // scroll back to the compiler's messages. UTF-8 in a UTF-8 locale; in another (GB18030)
        // xterm runs luit, which converts what is shown and what is typed.
        TerminalKind({"xterm", "uxterm", "lxterm"})
            .inUtf8Locales({"-u8"})
            .withOptions({"-fa", "DejaVu Sans Mono", "-fd", "WenQuanYi Micro Hei Mono", "-fs", "11",
                          "-geometry", "80x25", "-sb", "-sl", "5000"})
            .titleOption("-T")
            .commandOption("-e"),
        // Debian's wrapper waits for the window (it adds --wait).
        TerminalKind({"gnome-terminal.wrapper"}).titleOption("-T").commandOption("-e").inUtf8Only(),
        TerminalKind({"konsole"})
            .withOptions({"--separate"})
            .inUtf8Only()
            .titleOption("-p", "tabtitle=")
            .commandOption("-e"),
        // The wrappers drop --disable-server / --disable-factory: run the terminal itself.
        TerminalKind({"xfce4-terminal", "xfce4-terminal.wrapper"})
            .runs("xfce4-terminal")
            .inUtf8Only()
            .withOptions({"--disable-server"})
            .titleOption("-T")
            .commandOption("-x"),
        TerminalKind({"mate-terminal", "mate-terminal.wrapper"})
            .runs("mate-terminal")
            .inUtf8Only()
            .withOptions({"--disable-factory"})
            .titleOption("-t")
            .commandOption("-x"),
        TerminalKind({"lxterminal"})
            .withOptions({"--no-remote"})
            .inUtf8Only()
            .titleOption("-T")
            .commandOption("-e"),
        TerminalKind({"terminator"})
            .withOptions({"-u"})
            .titleOption("-T")
            .commandOption("-x")
            .inUtf8Only(),
        // Its default font draws Chinese as blobs.
        TerminalKind({"urxvt", "rxvt-unicode"})
            .withOptions(
                {"-fn", "xft:DejaVu Sans Mono:size=11,xft:WenQuanYi Micro Hei Mono:size=11"})
            .titleOption("-T")
            .commandOption("-e"),
        TerminalKind({"kitty"})
            .withOptions({"-o", "confirm_os_window_close=0"}) // closes without asking
            .inUtf8Only()
            .titleOption("-T")
            .commandOption("-e"),
        TerminalKind({"alacritty"}).titleOption("-T").commandOption("-e").inUtf8Only(),
        TerminalKind({"st", "stterm"}).titleOption("-T").commandOption("-e").inUtf8Only(),
        TerminalKind({"zutty"}).titleOption("-title").commandOption("-e").inUtf8Only(),
        TerminalKind({"mlterm"}).titleOption("-T").commandOption("-e"),
        TerminalKind({"pterm", "qterminal"}).asksBeforeClosing(),
        TerminalKind({"termit"}).titleOption("-T").commandOption("-e").inUtf8Only(),
        // Both split their command again, at spaces: one string, quoted.
        TerminalKind({"sakura"})
            .titleOption("-t")
            .commandOption("-x")
            .commandAsOneString()
            .inUtf8Only(),
        TerminalKind({"terminology"})
            .titleOption("-T")
            .commandOption("-e")
            .commandAsOneString()
            .inUtf8Only(),
        // The wrapper hands the command to a running tilix, in that one's environment. Several
        // words after -e are joined and split again, a backslash outside quotes taken as an
        // escape ("D:\MyJava" lost its backslash): one string, quoted.
        TerminalKind({"tilix", "tilix.wrapper"})
            .runs("tilix")
            .inUtf8Only()
            .withOptions({"--new-process"})
            .commandOption("-e")
            .commandAsOneString(),
        // gnome-console: its own instance, and it keeps its window after the command.
        TerminalKind({"kgx"})
            .withOptions({"--gapplication-app-id=org.example.TarnelJava.Console"})
            .inUtf8Only()
            .instanceOfItsOwn()
            .commandOption("--")
            .keepsItsWindow(),
        // Wayland's own: on an X desktop it fails at once. footclient needs a foot server:
        // foot itself opens the window.
        TerminalKind({"foot", "footclient"})
            .runs("foot")
            .titleOption("-T")
            .onWaylandOnly()
            .inUtf8Only(),
        // No UTF-8: Chinese would be mojibake.
        TerminalKind({"Eterm", "xiterm+thai", "txiterm", "xiterm", "koi8rxterm"})
            .commandOption("-e")
            .withoutChinese(),
    };
    return kinds;
}

// Any other terminal (cool-retro-term, deepin-terminal: none takes a title that works
// everywhere).
const TerminalKind kUnknownTerminal = TerminalKind({}).commandOption("-e").inUtf8Only();

const TerminalKind &kindOf(const QFileInfo &real) {
    for (const TerminalKind &kind : terminalKinds()) {
        if (kind.names.contains(real.fileName()))
            return kind;
    }
    return kUnknownTerminal;
}

// One shell word: single quotes, a quote inside as '\''.
QString shellQuoted(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("'\\''")) +
           QLatin1Char('\'');
}

} // namespace

ConsoleCommand terminalCommand(const QString &terminal, const QString &title, QStringList command,
                               bool utf8Locale) {
    const QFileInfo real(QFileInfo(terminal).canonicalFilePath());
    const TerminalKind &kind = kindOf(real);
    const bool noDisplayForIt = kind.needsWayland && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool garbled = kind.onlyUtf8 && !utf8Locale;
    if (!kind.usable || noDisplayForIt || garbled) {
        // Not when xterm is this terminal under another name (a link): that would never end.
        const QString xterm = QStandardPaths::findExecutable(QStringLiteral("xterm"));
        if (!xterm.isEmpty() && QFileInfo(xterm).canonicalFilePath() != real.filePath())
            return terminalCommand(xterm, title, command, utf8Locale);
    }
    ConsoleCommand console;
    console.program = kind.program.isEmpty() ? terminal : real.dir().filePath(kind.program);
    console.arguments = utf8Locale ? kind.utf8Options + kind.options : kind.options;
    if (kind.instancePerProgram)
        console.arguments.last() += QString::number(QCoreApplication::applicationPid());
    if (kind.title.isEmpty())
        command =
            command.mid(0, 1) + QStringList{QLatin1String(kTitleOption), title} + command.mid(1);
    else
        console.arguments << kind.title << kind.titlePrefix + title;
    if (!kind.command.isEmpty())
        console.arguments << kind.command;
    if (kind.joined) {
        QStringList words;
        for (const QString &word : command)
            words << shellQuoted(word);
        console.arguments << words.join(QLatin1Char(' '));
    } else {
        console.arguments << command;
    }
    console.endsWithScript = kind.endsWithScript;
    return console;
}

} // namespace platform
