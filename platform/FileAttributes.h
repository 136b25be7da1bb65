#pragma once

#include <QString>

// The file attributes the program uses: normal, hidden and read-only.
// On Linux a file has no hidden attribute; setting one succeeds whenever the file exists.
namespace platform {

bool setFileHidden(const QString &hostPath);
bool setFileNormal(const QString &hostPath);
bool isFileHidden(const QString &hostPath);
// Read-only by the file's own attribute or permissions, whoever the user is.
bool isFileReadOnly(const QString &hostPath);

} // namespace platform
