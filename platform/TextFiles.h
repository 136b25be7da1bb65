#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <optional>

// Text files of the program: 8-bit text in the system's code page, every line ended by CR LF.
namespace platform {

// The system's code page (one implementation per system). Windows: the ANSI code page (GBK on
// a Chinese Windows). Linux: the locale's encoding, as the terminal shows it and the JDK reads
// and writes it (UTF-8 almost always; GB18030 under zh_CN.GB18030); UTF-8 in the C locale or
// where Qt has no converter for the locale's.
QStringEncoder systemEncoder(QStringConverter::Flags flags = QStringConverter::Flag::Default);
QStringDecoder systemDecoder(QStringConverter::Flags flags = QStringConverter::Flag::Default);

QByteArray toSystemCodePage(const QString &text);
QString fromSystemCodePage(const QByteArray &bytes);

// The text of a file's bytes. Linux: in the system code page when they are valid there, else
// as GB18030 (the superset of the Chinese Windows code page, in which every file of the
// Windows program is written); nothing when neither reads them without a fault. Windows: in
// the system code page, which takes any bytes.
std::optional<QString> decodeText(const QByteArray &bytes);

// The system code page by the name javac knows it ("-encoding"): the locale's encoding on
// Linux (UTF-8, GB18030, ...); MS936 on a Chinese Windows (code page 936), and so on.
QString javaNameOfSystemCodePage();

// The lines as the file holds them: system code page, each ended by CR LF.
QByteArray linesBytes(const QStringList &lines);

// Puts a new file with the bytes in place of whatever entry stands at the path (a file, a link,
// a FIFO; not a folder): the file is written beside it under a name of its own and renamed
// over the entry itself, so that no link there is followed, not even one that appears while
// the file is written, a FIFO or device stays untouched, a reader sees the old or the new file
// whole, and a failed write leaves the old entry. False when the file cannot be made.
bool replaceEntry(const QString &hostPath, const QByteArray &bytes);
// replaceEntry with the lines.
bool writeLines(const QString &hostPath, const QStringList &lines);

// Saves a file the user named: a link to a regular file is written through (the link stays,
// its target is replaced as replaceEntry does); a FIFO, a device, a folder, a link to one of
// them or to nothing is refused. A file that cannot be written whole (no space, a quota, an I/O
// error) leaves the old one as it was. WhereNoNewFile: in a folder where no new file can be
// made, a regular file that may be written is written in place instead, only when the file
// system has room for it, and with the old bytes put back if the write fails all the same.
// A failure's reason is in the user's words (Chinese), for the failure message.
enum class InPlace { Never, WhereNoNewFile };
struct Saved {
    bool saved = false;
    QString reason; // why not, when not
};
Saved saveFile(const QString &hostPath, const QByteArray &bytes, InPlace inPlace);

// Renames the file over the entry at `to`, replacing that entry itself (one file per system).
bool renameOver(const QString &from, const QString &to);

// Reads a whole regular file (a link to one included); nothing when it is no regular file,
// cannot be read or is larger than maxBytes.
std::optional<QByteArray> readWholeFile(const QString &hostPath, qint64 maxBytes);
// readWholeFile as text (see decodeText); nothing also when it holds no valid text.
std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes);

} // namespace platform
