#include "platform/TerminalCommand.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// How to start one kind of terminal so that it opens a window of its own and its process
// lives as long as that window, titled by the script and running the interpreter.
struct TerminalKind {
    QStringList names;     // canonical file names of the terminal's program
    QString program;       // run this program of the same folder instead (empty: the terminal)
    QStringList options;   // options before the title
    QString titleOption;   // empty: the terminal cannot be given a title
    QString commandOption; // followed by the program and its arguments
};

const QList<TerminalKind> &terminalKinds() {
    // Checked by hand on Debian 12, each installed as x-terminal-emulator.
    static const QList<TerminalKind> kinds = {
        // Like a console window: UTF-8 text with Chinese glyphs, 80 x 25, a scroll bar and
        // enough lines to scroll back to the compiler's messages.
        {{"xterm", "uxterm", "lxterm"},
         {},
         {"-u8", "-fa", "DejaVu Sans Mono", "-fd", "WenQuanYi Micro Hei Mono", "-fs", "11",
          "-geometry", "80x25", "-sb", "-sl", "5000"},
         "-T",
         "-e"},
        // Debian's wrapper waits for the window (it adds --wait).
        {{"gnome-terminal.wrapper"}, {}, {}, "-T", "-e"},
        {{"konsole"}, {}, {"--separate"}, {}, "-e"},
        // The wrappers drop --disable-server / --disable-factory: run the terminal itself.
        {{"xfce4-terminal", "xfce4-terminal.wrapper"},
         "xfce4-terminal",
         {"--disable-server"},
         "-T",
         "-x"},
        {{"mate-terminal", "mate-terminal.wrapper"},
         "mate-terminal",
         {"--disable-factory"},
         "-t",
         "-x"},
        {{"lxterminal"}, {}, {"--no-remote"}, "-T", "-e"},
        {{"terminator"}, {}, {"-u"}, "-T", "-x"},
        // Its default font draws Chinese as blobs.
        {{"urxvt", "rxvt-unicode"},
         {},
         {"-fn", "xft:DejaVu Sans Mono:size=11,xft:WenQuanYi Micro Hei Mono:size=11"},
         "-T",
         "-e"},
        {{"kitty"}, {}, {}, "-T", "-e"},
        {{"alacritty"}, {}, {}, "-T", "-e"},
    };
    return kinds;
}

// Any other terminal (qterminal among them, which refuses to start when given a title).
const TerminalKind kUnknownTerminal{{}, {}, {}, {}, "-e"};

} // namespace

ConsoleCommand terminalCommand(const QString &terminal, const QString &title,
                               const QStringList &command) {
    const QFileInfo real(QFileInfo(terminal).canonicalFilePath());
    const TerminalKind *kind = &kUnknownTerminal;
    for (const TerminalKind &k : terminalKinds()) {
        if (k.names.contains(real.fileName()))
            kind = &k;
    }
    ConsoleCommand console;
    console.program = kind->program.isEmpty() ? terminal : real.dir().filePath(kind->program);
    console.arguments = kind->options;
    if (!kind->titleOption.isEmpty())
        console.arguments << kind->titleOption << title;
    console.arguments << kind->commandOption << command;
    return console;
}

} // namespace platform
