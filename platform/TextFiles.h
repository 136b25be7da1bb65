#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

// Text files of the program: 8-bit text in the system's code page, every line ended by CR LF.
namespace platform {

QByteArray toSystemCodePage(const QString &text);
QString fromSystemCodePage(const QByteArray &bytes);

// Sequential output to one file, one line per write. A file that cannot be opened turns
// every write into a silent no-op; callers that care ask isOpen() or the write results.
class LineWriter {
public:
    // Creates the file or truncates an existing one.
    bool open(const QString &hostPath);
    bool writeLine(const QString &line);
    bool isOpen() const { return m_file.isOpen(); }
    void close();

private:
    QFile m_file;
};

// Replaces the file's content with the lines; false when the file cannot be written.
bool writeLines(const QString &hostPath, const QStringList &lines);

// Reads a whole file as text; nothing when it cannot be opened, cannot be read, or is
// larger than maxBytes.
std::optional<QString> readWholeText(const QString &hostPath, qint64 maxBytes);

} // namespace platform
