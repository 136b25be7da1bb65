#pragma once

#include <QString>

// The places where tests put their own folders in place of the machine's, so that no test
// touches a real drive. Nothing in the program calls these.
namespace platform::testing {

// Every drive letter but Z: leads into this folder ("D:\x" is <folder>/x) instead of the home
// folder (Linux) or the real drive (Windows), and back. Empty: off.
void setDriveRoot(const QString &hostFolder);

// Faults of the file system for the text files' writes: every write fails once this many bytes
// have been written since (a full disk, a quota); negative: off. With `refuseNewFiles`, no new
// file can be made (a folder that takes none).
void setWriteFaults(qint64 bytesUntilFull, bool refuseNewFiles);

} // namespace platform::testing
