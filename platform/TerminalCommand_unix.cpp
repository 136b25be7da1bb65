#include "platform/TerminalCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// How to start one kind of terminal so that it opens a window of its own and its process
// lives as long as that window, titled by the script and running the interpreter.
struct TerminalKind {
    QStringList names;     // canonical file names of the terminal's program
    QString program;       // run this program of the same folder instead (empty: the terminal)
    QStringList options;   // options before the title
    QString titleOption;   // empty: the interpreter sets the title (an escape sequence)
    QString titlePrefix;   // in front of the title in its option (konsole's profile setting)
    QString commandOption; // followed by the program and its arguments (empty: they follow)
    bool joined = false;   // the command as one string in shell quoting: the terminal splits it
    bool endsWithScript = false; // its window stays after the command: ended with the script
    bool showsChinese = true;    // false: passed over for xterm
    // The last option names an instance of the terminal's own: the program's pid is added.
    bool instancePerProgram = false;
    bool needsWayland = false; // without a Wayland display: passed over for xterm
};

const QList<TerminalKind> &terminalKinds() {
    // Tried on Debian 12, each installed as x-terminal-emulator.
    static const QList<TerminalKind> kinds = {
        // Like a console window: UTF-8 text with Chinese glyphs, 80 x 25, a scroll bar and
        // enough lines to scroll back to the compiler's messages.
        {{"xterm", "uxterm", "lxterm"},
         {},
         {"-u8", "-fa", "DejaVu Sans Mono", "-fd", "WenQuanYi Micro Hei Mono", "-fs", "11",
          "-geometry", "80x25", "-sb", "-sl", "5000"},
         "-T",
         {},
         "-e"},
        // Debian's wrapper waits for the window (it adds --wait).
        {{"gnome-terminal.wrapper"}, {}, {}, "-T", {}, "-e"},
        {{"konsole"}, {}, {"--separate"}, "-p", "tabtitle=", "-e"},
        // The wrappers drop --disable-server / --disable-factory: run the terminal itself.
        {{"xfce4-terminal", "xfce4-terminal.wrapper"},
         "xfce4-terminal",
         {"--disable-server"},
         "-T",
         {},
         "-x"},
        {{"mate-terminal", "mate-terminal.wrapper"},
         "mate-terminal",
         {"--disable-factory"},
         "-t",
         {},
         "-x"},
        {{"lxterminal"}, {}, {"--no-remote"}, "-T", {}, "-e"},
        {{"terminator"}, {}, {"-u"}, "-T", {}, "-x"},
        // Its default font draws Chinese as blobs.
        {{"urxvt", "rxvt-unicode"},
         {},
         {"-fn", "xft:DejaVu Sans Mono:size=11,xft:WenQuanYi Micro Hei Mono:size=11"},
         "-T",
         {},
         "-e"},
        {{"kitty"}, {}, {}, "-T", {}, "-e"},
        {{"alacritty"}, {}, {}, "-T", {}, "-e"},
        {{"st", "stterm"}, {}, {}, "-T", {}, "-e"},
        {{"zutty"}, {}, {}, "-title", {}, "-e"},
        {{"mlterm"}, {}, {}, "-T", {}, "-e"},
        {{"pterm"}, {}, {}, "-T", {}, "-e"},
        {{"termit"}, {}, {}, "-T", {}, "-e"},
        // Both split their command again, at spaces: one string, quoted.
        {{"sakura"}, {}, {}, "-t", {}, "-x", true},
        {{"terminology"}, {}, {}, "-T", {}, "-e", true},
        // The wrapper hands the command to a running tilix, in that one's environment.
        {{"tilix", "tilix.wrapper"}, "tilix", {"--new-process"}, {}, {}, "-e"},
        // gnome-console: its own instance, and it keeps its window after the command.
        {{"kgx"},
         {},
         {"--gapplication-app-id=org.example.TarnelJava.Console"},
         {},
         {},
         "--",
         false,
         true,
         true,
         true},
        // Wayland's own: on an X desktop it fails at once.
        {{"foot"}, {}, {}, "-T", {}, {}, false, false, true, false, true},
        // No UTF-8: Chinese would be mojibake.
        {{"Eterm", "xiterm+thai", "xiterm", "koi8rxterm"},
         {},
         {},
         {},
         {},
         "-e",
         false,
         false,
         false},
    };
    return kinds;
}

// Any other terminal (qterminal, cool-retro-term, deepin-terminal: none takes a title that
// works everywhere; qterminal refuses to start when given one).
const TerminalKind kUnknownTerminal{{}, {}, {}, {}, {}, "-e"};

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

ConsoleCommand terminalCommand(const QString &terminal, const QString &title, QStringList command) {
    const QFileInfo real(QFileInfo(terminal).canonicalFilePath());
    const TerminalKind &kind = kindOf(real);
    const bool noDisplayForIt = kind.needsWayland && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!kind.showsChinese || noDisplayForIt) {
        const QString xterm = QStandardPaths::findExecutable(QStringLiteral("xterm"));
        if (!xterm.isEmpty())
            return terminalCommand(xterm, title, command);
    }
    ConsoleCommand console;
    console.program = kind.program.isEmpty() ? terminal : real.dir().filePath(kind.program);
    console.arguments = kind.options;
    if (kind.instancePerProgram)
        console.arguments.last() += QString::number(QCoreApplication::applicationPid());
    if (kind.titleOption.isEmpty())
        command =
            command.mid(0, 1) + QStringList{QLatin1String(kTitleOption), title} + command.mid(1);
    else
        console.arguments << kind.titleOption << kind.titlePrefix + title;
    if (!kind.commandOption.isEmpty())
        console.arguments << kind.commandOption;
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
