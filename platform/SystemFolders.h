#pragma once

#include <QString>

namespace platform {

// Whether the program can show windows: Windows always has a desktop; on Linux a display
// server (or a Qt platform chosen by the caller) is needed.
bool hasDisplay();

// A folder of this user's alone, for files that only this user's processes may see: on Linux
// the runtime folder (XDG_RUNTIME_DIR) when it is one of this user's that no one else may enter,
// else a folder of the program's own in the temporary folder, made so; empty when there is no
// such folder (the one of that name is another user's, or open to others). Windows: the user's
// temporary folder.
QString privateRuntimeFolder();

// One key for one folder however its name is written: Windows file names ignore case.
QString folderKey(const QString &absoluteHostPath);

} // namespace platform
