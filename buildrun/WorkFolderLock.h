#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps two running copies of the program from building in one work folder at once. The lock
// lives outside the work folder (in the system's folder for temporary files), named after the
// folder, and ends with the lock object or with the process that holds it.
// Nothing when another process holds the folder.
std::unique_ptr<QLockFile> lockWorkFolder(const QString &hostWorkFolder);
