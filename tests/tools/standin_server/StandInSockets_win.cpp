#include "StandInSockets.h"

#include <winsock2.h>

namespace standin {

Socket listenOnLoopback(int &port) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return kNoSocket;
    const SOCKET fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (fd == INVALID_SOCKET || bind(fd, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
        listen(fd, 4) != 0 || getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return kNoSocket;
    port = ntohs(address.sin_port);
    return Socket(fd);
}

Socket acceptOne(Socket listening) {
    const SOCKET caller = accept(SOCKET(listening), nullptr, nullptr);
    return caller == INVALID_SOCKET ? kNoSocket : Socket(caller);
}

bool receiveAll(Socket socket, char *bytes, size_t size) {
    for (int got = 0; size > 0; bytes += got, size -= size_t(got))
        if ((got = recv(SOCKET(socket), bytes, int(size), 0)) <= 0)
            return false;
    return true;
}

bool sendAll(Socket socket, const char *bytes, size_t size) {
    for (int sent = 0; size > 0; bytes += sent, size -= size_t(sent))
        if ((sent = send(SOCKET(socket), bytes, int(size), 0)) <= 0)
            return false;
    return true;
}

void closeSocket(Socket socket) {
    closesocket(SOCKET(socket));
}

} // namespace standin
