#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The format of Setting.ini: "key=value" lines, CR LF line ends, system code page.

inline const QString kDefaultJavaPath = QStringLiteral("D:\\MyJava");
inline constexpr qint16 kDefaultClassExist = 0;

struct SettingsRead {
    bool failed = false; // a line without "=" or a ClassExist out of range
    std::optional<QString> javaPath;
    std::optional<qint16> classExist;
};

// Reads the lines of the text. Keys are exact and case-sensitive; the last occurrence of a
// key wins; other keys are skipped; empty lines are skipped.
SettingsRead parseSettingsText(const QString &text);

// Setting.ini is read only when it is a regular file of at most this size.
inline constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// The two lines of the file as written.
QStringList settingsLines(const QString &javaPath, qint16 classExist);
