#pragma once

#include <QString>

// The places where tests put their own folders in place of the machine's, so that no test
// touches a real drive. Nothing in the program calls these.
namespace platform::testing {

// Every drive letter but Z: leads into this folder ("D:\x" is <folder>/x) instead of the home
// folder (Linux) or the real drive (Windows), and back. Empty: off.
void setDriveRoot(const QString &hostFolder);

} // namespace platform::testing
