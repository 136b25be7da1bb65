#pragma once

#include <QIODevice>
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

// Reads the lines of the device. Keys are exact and case-sensitive; the last occurrence of a
// key wins; other keys are skipped; empty lines are skipped.
SettingsRead parseSettings(QIODevice &device);
SettingsRead parseSettingsBytes(const QByteArray &bytes);

// The two lines of the file as written.
QStringList settingsLines(const QString &javaPath, qint16 classExist);
