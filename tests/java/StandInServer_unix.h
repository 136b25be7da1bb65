#pragma once
// A stand-in for the warm compiler (Linux): listens on NAME.sock, takes one request, keeps what
// it was asked, and answers with the bytes it is given (then closes, or says nothing more).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

class StandInServer {
public:
    struct Asked {
        QByteArray secret, context;
        QStringList options, files;
    };

    StandInServer(const QString &name, const QByteArray &answer, bool thenHangs = false)
        : m_socket(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = (name + ".sock").toLocal8Bit();
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        if (bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            listen(m_socket, 4) != 0)
            return;
        m_thread = std::thread([this, answer, thenHangs] { serve(answer, thenHangs); });
    }
    ~StandInServer() { stop(); }
    // Ends its wait; what it was asked is then whole.
    void stop() {
        if (m_socket >= 0) {
            shutdown(m_socket, SHUT_RDWR);
            close(m_socket);
            m_socket = -1;
        }
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
    void serve(const QByteArray &answer, bool thenHangs) {
        const int caller = accept(m_socket, nullptr, nullptr);
        if (caller < 0)
            return;
        char magic[4];
        if (readAll(caller, magic, 4)) {
            m_asked.secret = readString(caller);
            m_asked.context = readString(caller);
            for (QStringList *list : {&m_asked.options, &m_asked.files})
                for (int n = readNumber(caller) * (list == &m_asked.files ? 2 : 1); n > 0; --n)
                    *list << QString::fromLocal8Bit(readString(caller));
            if (write(caller, answer.constData(), size_t(answer.size())) != answer.size())
                m_asked.context = "<not answered>";
            if (thenHangs) { // until the launcher goes
                char any;
                while (read(caller, &any, 1) > 0) {
                }
            }
        }
        close(caller);
    }
    static bool readAll(int fd, char *bytes, size_t size) {
        for (ssize_t got = 0; size > 0; bytes += got, size -= size_t(got))
            if ((got = read(fd, bytes, size)) <= 0)
                return false;
        return true;
    }
    static int readNumber(int fd) {
        unsigned char bytes[4] = {};
        readAll(fd, reinterpret_cast<char *>(bytes), 4);
        return bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    }
    static QByteArray readString(int fd) {
        QByteArray bytes(readNumber(fd), '\0');
        return readAll(fd, bytes.data(), size_t(bytes.size())) ? bytes : QByteArray();
    }

    int m_socket;
    std::thread m_thread;
    Asked m_asked;
};
