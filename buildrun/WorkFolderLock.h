#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// Keeps two running copies of the program from building in one work folder at once. The lock
// lives outside the work folder (in the user's own runtime folder; on Windows the temporary
// folder), is named after the real work folder (its links followed, once it exists), and ends with
// the lock object or with the process that holds it. Nothing when another process holds the folder;
// only then: where no lock file can be made at all, an object that holds nothing comes back and the
// build goes on.
std::unique_ptr<QLockFile> lockWorkFolder(const QString &hostWorkFolder);
