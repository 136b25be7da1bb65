#pragma once

#include "platform/ConsoleCommand.h"

#include <QString>
#include <QStringList>

namespace platform {

// Linux: the command line that opens a separate window of `terminal` (a host path; links such
// as x-terminal-emulator are followed to the real program) titled `title` where the terminal
// can show one, running `command`, and whose process does not hand the window to a running
// instance of the terminal where it can be told not to.
ConsoleCommand terminalCommand(const QString &terminal, const QString &title,
                               const QStringList &command);

} // namespace platform
