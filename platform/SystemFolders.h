#pragma once

#include <QString>

namespace platform {

// A folder of this user's alone, for files that only this user's processes may see: the
// runtime folder on Linux, the temporary folder on Windows.
QString privateRuntimeFolder();

// One key for one folder however its name is written: Windows file names ignore case.
QString folderKey(const QString &absoluteHostPath);

} // namespace platform
