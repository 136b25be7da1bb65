#pragma once
// A stand-in for the warm compiler: listens on a loopback port written with its secret to
// NAME.port, takes one request, keeps what it was asked, and answers with the bytes it is given
// (then closes, or says nothing more until the caller goes).
#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <atomic>
#include <thread>

class StandInServer {
public:
    struct Asked {
        QByteArray secret, context;
        QStringList options, files;
    };
    static constexpr const char *kSecret = "5ec7e7";

    StandInServer(const QString &name, const QByteArray &answer, bool thenHangs = false) {
        std::atomic<int> port{-1};
        m_thread = std::thread([&port, this, answer, thenHangs] {
            QTcpServer server;
            port = server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
            while (!m_stop && !server.waitForNewConnection(50)) {
            }
            if (QTcpSocket *caller = m_stop ? nullptr : server.nextPendingConnection())
                serve(*caller, answer, thenHangs);
        });
        while (port < 0)
            std::this_thread::yield();
        QFile file(name + ".port");
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::number(port) + " " + kSecret + "\n");
    }
    ~StandInServer() { stop(); }
    // Ends its wait; what it was asked is then whole.
    void stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    const Asked &asked() const { return m_asked; }

    static QByteArray frame(char type, const QByteArray &bytes) {
        QByteArray framed(1, type);
        for (int shift = 24; shift >= 0; shift -= 8)
            framed += char((bytes.size() >> shift) & 0xff);
        return framed + bytes;
    }

private:
    // Bytes of the caller, once they have come.
    QByteArray take(QTcpSocket &caller, qint64 size) {
        while (!m_stop && caller.bytesAvailable() < size &&
               caller.state() == QAbstractSocket::ConnectedState)
            caller.waitForReadyRead(50);
        return caller.read(size);
    }
    int number(QTcpSocket &caller) {
        const QByteArray bytes = take(caller, 4);
        return bytes.size() < 4 ? 0
                                : int(uchar(bytes[0])) << 24 | int(uchar(bytes[1])) << 16 |
                                      int(uchar(bytes[2])) << 8 | int(uchar(bytes[3]));
    }
    QByteArray string(QTcpSocket &caller) { return take(caller, number(caller)); }
    void serve(QTcpSocket &caller, const QByteArray &answer, bool thenHangs) {
        if (take(caller, 4) != "TJC1")
            return;
        m_asked.secret = string(caller);
        m_asked.context = string(caller);
        for (int n = number(caller); n > 0; --n)
            m_asked.options << QString::fromUtf8(string(caller));
        for (int n = number(caller) * 2; n > 0; --n)
            m_asked.files << QString::fromUtf8(string(caller));
        caller.write(answer);
        caller.waitForBytesWritten(5000);
        while (thenHangs && !m_stop && caller.state() == QAbstractSocket::ConnectedState)
            caller.waitForReadyRead(50);
        caller.close();
    }

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    Asked m_asked;
};
