#include "buildrun/CompileRecord.h"

#include "jdklaunch/JdkLaunch.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {
QString exitFile(const QString &recordFile) {
    return recordFile + QLatin1String(jdklaunch::kJavacExitSuffix);
}

QByteArray readAtMost(const QString &path, qint64 most, bool &opened) {
    QFile file(path);
    opened = file.open(QIODevice::ReadOnly);
    return opened ? file.read(most) : QByteArray();
}
} // namespace

QString newCompileRecordFile(const QString &privateFolder) {
    static int builds = 0;
    return QDir(privateFolder)
        .filePath(QStringLiteral("tarneljava-javac-%1-%2.txt")
                      .arg(QCoreApplication::applicationPid())
                      .arg(++builds));
}

CompileRecord takeCompileRecord(const QString &recordFile) {
    constexpr qint64 kLongestOutput = 4 * 1024 * 1024;
    CompileRecord record;
    bool opened = false;
    const QByteArray code = readAtMost(exitFile(recordFile), 32, opened).trimmed();
    bool isNumber = false;
    record.exitCode = code.toInt(&isNumber);
    record.ended = opened && isNumber;
    record.output = platform::fromSystemCodePage(readAtMost(recordFile, kLongestOutput, opened));
    removeCompileRecord(recordFile);
    return record;
}

void removeCompileRecord(const QString &recordFile) {
    QFile::remove(recordFile);
    QFile::remove(exitFile(recordFile));
}
