#pragma once

#include "platform/OwnedText.h"

#include <QString>
#include <QStringList>

// The main-class guess of the editor text: every occurrence of "class" (case-sensitive, in any
// context) is one entry; its name is the text between "class" and the next "{", with line
// breaks removed, outer spaces trimmed and everything from the first inner space dropped.
struct ClassScanResult {
    qint32 classCount = 0;
    // One entry per occurrence; entries after the point where the scan stopped stay empty.
    // Names of up to 255 characters own their characters as long as their total stays within
    // the length of the text. Others (names that overlap, such as those of "class" repeated
    // without spaces, would add up to the square of the text) refer to the characters of
    // `nameSource` instead of copying them: keep this result, or `nameSource`, for as long as
    // the entries are used, and keep a copy (ownedCopy) of an entry that has to live longer.
    QStringList classNames;
    // The name for the file-name field: the chosen main class, or empty. Owns its characters.
    QString fileName;
    // The scanned text without its line breaks, in which every name is one run of characters.
    QString nameSource;
};

// Runs in time and memory linear in the text.
ClassScanResult scanClasses(const QString &text);
