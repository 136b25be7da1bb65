#include "StandInSockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace standin {

Socket listenOnLoopback(int &port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
        listen(fd, 4) != 0 || getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return kNoSocket;
    port = ntohs(address.sin_port);
    return fd;
}

Socket acceptOne(Socket listening) {
    return accept(int(listening), nullptr, nullptr);
}

bool receiveAll(Socket socket, char *bytes, size_t size) {
    for (ssize_t got = 0; size > 0; bytes += got, size -= size_t(got))
        if ((got = read(int(socket), bytes, size)) <= 0)
            return false;
    return true;
}

bool sendAll(Socket socket, const char *bytes, size_t size) {
    for (ssize_t sent = 0; size > 0; bytes += sent, size -= size_t(sent))
        if ((sent = send(int(socket), bytes, size, MSG_NOSIGNAL)) <= 0)
            return false;
    return true;
}

void closeSocket(Socket socket) {
    close(int(socket));
}

} // namespace standin
