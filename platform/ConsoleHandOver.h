#pragma once

#include <QByteArray>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <optional>

// Linux: what the program hands the script's interpreter over its socket, once the interpreter
// has made itself known: the build's environment and folder. A terminal that is already
// running (tilix, gnome-console, deepin-terminal) starts the interpreter in its own environment;
// the build's must hold all the same (PATH with the JDK, JAVA_HOME, CLASSPATH, the encoding).
namespace platform {

// The console's environment: the build's, without the program's own Qt platform choice
// (QT_QPA_PLATFORM and its plugin path), which would start a Qt terminal offscreen, or on a
// platform it has no plugin for.
QProcessEnvironment consoleEnvironment(QProcessEnvironment environment);

// The block: its length in decimal and a line break, then the folder and each NAME=value,
// each ended by a NUL.
QByteArray handOverBlock(const QString &folder, const QProcessEnvironment &environment);

struct HandOver {
    QByteArray folder;
    QList<QByteArray> environment; // NAME=value
};
// The block at the front of the bytes; nothing while it is incomplete, or when it is no block.
std::optional<HandOver> readHandOver(const QByteArray &bytes);

} // namespace platform
