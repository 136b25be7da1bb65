#include "JavacServerClient.h"

#include <winsock2.h>

#include <windows.h> // after winsock2.h, which must come first

namespace jdklaunch {
namespace {

bool sendAll(SOCKET socket, const std::string &bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const int sent = send(socket, bytes.data() + done, int(bytes.size() - done), 0);
        if (sent <= 0)
            return false;
        done += size_t(sent);
    }
    return true;
}

bool receive(char *bytes, size_t size, int waitMs, void *connection) {
    const SOCKET socket = *static_cast<const SOCKET *>(connection);
    while (size > 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval wait{waitMs / 1000, (waitMs % 1000) * 1000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            return false;
        const int got = recv(socket, bytes, int(size), 0);
        if (got <= 0)
            return false;
        bytes += got;
        size -= size_t(got);
    }
    return true;
}

// "port secret" from the port file in the user's own folder.
int portOf(const String &portFile, std::string &secret) {
    const HANDLE file = CreateFileW(portFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    char text[128] = {};
    DWORD got = 0;
    if (!ReadFile(file, text, sizeof text - 1, &got, nullptr))
        got = 0;
    CloseHandle(file);
    return got > 0 ? portAndSecret(text, secret) : 0;
}

} // namespace

int askServer(const String &server, const String &context, const ServerRequest &request,
              PassOn passOn, void *passOnContext) {
    std::string secret;
    const int port = portOf(server + text(kServerPortSuffix), secret);
    WSADATA data;
    if (port == 0 || WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return kNoServer;
    int code = kNoServer;
    SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(u_short(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket != INVALID_SOCKET &&
        connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        sendAll(socket, requestBytes(secret, context, request)))
        code = followAnswer(receive, &socket, passOn, passOnContext);
    if (socket != INVALID_SOCKET)
        closesocket(socket);
    WSACleanup();
    return code;
}

} // namespace jdklaunch
