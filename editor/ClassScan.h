#pragma once

#include <QString>
#include <QStringList>

// The main-class guess of the editor text: every occurrence of "class" (case-sensitive, in any
// context) is one entry; its name is the text between "class" and the next "{", with line
// breaks removed, outer spaces trimmed and everything from the first inner space dropped.
struct ClassScanResult {
    qint32 classCount = 0;
    // One entry per occurrence; entries after the point where the scan stopped stay empty.
    QStringList classNames;
    // The name for the file-name field: the chosen main class, or empty.
    QString fileName;
};

// Runs in time linear in the text (plus the length of the names it returns).
ClassScanResult scanClasses(const QString &text);
