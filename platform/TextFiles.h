#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Text files of the program: 8-bit text in the system's code page, every line ended by CR LF.
namespace platform {

QByteArray toSystemCodePage(const QString &text);
QString fromSystemCodePage(const QByteArray &bytes);

// The text of a file's bytes. Linux: in the system code page when they are valid there, else
// as GB18030 (the superset of the Chinese Windows code page, in which every file of the
// Windows program is written); nothing when neither reads them without a fault. Windows: in
// the system code page, which takes any bytes.
std::optional<QString> decodeText(const QByteArray &bytes);

// Creates the file (or truncates an existing one) and writes the lines; false when the file
// cannot be written.
bool writeLines(const QString &hostPath, const QStringList &lines);

// The lines as the file holds them: system code page, each ended by CR LF.
QByteArray linesBytes(const QStringList &lines);

// Replaces the file's content at once: written beside it and put in its place, so that a
// failed write leaves the old file. WhereNoNewFile: in a folder where no new file can be made,
// a file that may be written is written in place instead.
enum class InPlace { Never, WhereNoNewFile };
bool replaceFile(const QString &hostPath, const QByteArray &bytes, InPlace inPlace);

// Replaces the file with the lines at once: they are written beside it and put in its place,
// so that a reader never sees a half-written file and a failed write leaves the old file.
// An entry that is no regular file (a FIFO, a device, a link to one) is replaced, never
// written through.
bool replaceWithLines(const QString &hostPath, const QStringList &lines);

// Removes whatever entry (a file, a link, a FIFO) stands at the path, but not a folder, so
// that the file created there next is a new one and no write goes through a link.
void removeEntry(const QString &hostPath);

// Reads a whole regular file (a link to one included) as text (see decodeText); nothing when
// it is no regular file, cannot be read, is larger than maxBytes or holds no valid text.
std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes);

} // namespace platform
