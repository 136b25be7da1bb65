#pragma once

#include "editor/ClassScan.h"

// The main-class scan done literally, step by step, with 1-based positions and 0 for "not
// found". Slow (text length times occurrences); the fast scan must give the same results.
inline int inStr(int start, const QString &text, const QString &what) {
    return int(text.indexOf(what, start - 1)) + 1;
}

// Removes every CR and LF, then trims spaces (code 32 only) at both ends: how the scan cleans a
// candidate name.
inline QString StringFormat2(QString text) {
    text.remove(QChar(13));
    text.remove(QChar(10));
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QChar(32))
        ++begin;
    while (end > begin && text.at(end - 1) == QChar(32))
        --end;
    return text.mid(begin, end - begin);
}

inline ClassScanResult literalScan(const QString &T) {
    ClassScanResult r;
    QString txtFile = QStringLiteral("<unset>");
    // Counting pass
    int countPos = 1;
    for (int at = inStr(countPos, T, "class"); at != 0; at = inStr(countPos, T, "class")) {
        ++r.classCount;
        countPos = at + 1;
    }
    for (int i = 0; i < r.classCount; ++i)
        r.classNames << QString();
    // Naming pass
    int j = 0, k = 1;
    bool chosen = false;
    for (;;) {
        const int a = inStr(k, T, "class");
        if (a == 0) {
            if (!chosen)
                txtFile = QString();
            break;
        }
        k = a + 1;
        const int b = inStr(a, T, "{");
        const int len = b - (a + 5);
        if (len <= 0) {
            if (!chosen)
                txtFile = QString();
            break;
        }
        QString name = StringFormat2(T.mid(a + 5 - 1, len));
        if (name.contains(' '))
            name = name.left(name.indexOf(' '));
        const int n = inStr(k, T, "class");
        const int m = inStr(k, T, "public static void main");
        if (!chosen && (m < n || n == 0)) {
            txtFile = name;
            chosen = true;
        }
        r.classNames[j] = name;
        ++j;
    }
    r.fileName = txtFile;
    return r;
}
