#pragma once
// A stand-in for the warm compiler (tarnel_standin_server, a program beside the tests): it
// listens on a loopback port written with its secret to NAME.port, takes one request, keeps what
// it was asked, and answers with the bytes it is given (then closes, or says nothing more until
// the caller goes).
#include "platform/System.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

class StandInServer {
public:
    struct Asked {
        QByteArray secret, context;
        QStringList options, files;
    };
    static constexpr const char *kSecret = "5ec7e7";

    StandInServer(const QString &name, const QByteArray &answer, bool thenHangs = false)
        : m_name(name) {
        QStringList arguments{name, QString::fromLatin1(answer.toHex())};
        if (thenHangs)
            arguments << "hang";
        m_process.start(QCoreApplication::applicationDirPath() + "/tarnel_standin_server" +
                            (platform::kOnWindows ? ".exe" : ""),
                        arguments);
        m_ready = QTest::qWaitFor([this] { return QFile::exists(m_name + ".port"); }, 30000);
    }
    ~StandInServer() { stop(); }
    bool ready() const { return m_ready; }
    // Waits for its end; what it was asked is then whole.
    void stop() {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(30000))
            m_process.kill();
        m_process.waitForFinished();
    }
    // Ends it at once, asked or not.
    void kill() {
        m_process.kill();
        m_process.waitForFinished();
    }
    Asked asked() const {
        Asked asked;
        QFile file(m_name + ".asked");
        if (!file.open(QIODevice::ReadOnly))
            return asked;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QByteArray value = line.mid(line.indexOf(' ') + 1);
            if (line.startsWith("secret "))
                asked.secret = value;
            else if (line.startsWith("context "))
                asked.context = value + "\n"; // its first line
            else if (line.startsWith("option "))
                asked.options << QString::fromUtf8(value);
            else if (line.startsWith("file "))
                asked.files << QString::fromUtf8(value);
        }
        return asked;
    }

    static QByteArray frame(char type, const QByteArray &bytes) {
        QByteArray framed(1, type);
        for (int shift = 24; shift >= 0; shift -= 8)
            framed += char((bytes.size() >> shift) & 0xff);
        return framed + bytes;
    }

private:
    QString m_name;
    QProcess m_process;
    bool m_ready = false;
};
