#pragma once

#include <QString>

// Starts the command (a Windows-form path of a script or program) in a console window of the
// given show style and waits in a nested event loop until its process ends; every window keeps
// answering meanwhile and no processor time is spent on the wait. The time-out of a single
// wait does not apply to an event-driven wait and is accepted for the callers' sake.
// True when the process was started and ended; false when it could not be started.
bool runAndWait(const QString &command, qint32 windowStyle, qint32 timeoutMs);
