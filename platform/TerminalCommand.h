#pragma once

#include "platform/ConsoleCommand.h"

#include <QString>
#include <QStringList>

namespace platform {

// Linux: the command line that opens a separate window of `terminal` (a host path; links such
// as x-terminal-emulator are followed to the real program) titled `title` where the terminal
// can show one, running `command`, and whose process does not hand the window to a running
// instance of the terminal where it can be told not to. `command` is the interpreter's: where the
// terminal takes no title, the interpreter is told it (its title option after its name). A
// terminal that shows no Chinese is passed over for xterm, when there is one, and so is one that
// speaks UTF-8 only when the locale's encoding (utf8Locale false) is another.
ConsoleCommand terminalCommand(const QString &terminal, const QString &title, QStringList command,
                               bool utf8Locale);

} // namespace platform
