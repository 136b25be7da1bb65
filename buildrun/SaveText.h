#pragma once

#include "platform/TextFiles.h"

#include <QString>
#include <optional>

// What saving the source writes, decided without any window.

// The text up to and including its last "}", or nothing when it holds no "}".
std::optional<QString> textUpToLastBrace(const QString &text);

// folder + "\" + name + ".java", with "None_Name" for an empty name.
QString savedSourcePath(const QString &folder, const QString &name);

// Writes the text plus one CR LF in the system code page so that a failure part-way leaves any
// earlier file of that name as it was. A read-only or hidden target is refused and untouched.
// A failure comes with its reason, in the user's words.
platform::Saved writeSourceFile(const QString &hostPath, const QString &text);
