#include "JavacServerClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace jdklaunch {
namespace {

// To the server: a server that went raises no SIGPIPE.
bool sendAll(int fd, const std::string &bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        done += size_t(sent);
    }
    return true;
}

bool receive(char *bytes, size_t size, int waitMs, void *connection) {
    const int fd = *static_cast<const int *>(connection);
    while (size > 0) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, waitMs);
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        const ssize_t got = read(fd, bytes, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= size_t(got);
    }
    return true;
}

int connectTo(int family, const sockaddr *address, socklen_t size) {
    const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, address, size) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

int connectLocal(const String &socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path)
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    return connectTo(AF_UNIX, reinterpret_cast<sockaddr *>(&address), sizeof address);
}

// The port file is read only when it is a plain file, not a link.
int connectLoopback(const String &portFile, std::string &secret) {
    const int file = open(portFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0)
        return -1;
    char text[128] = {};
    const ssize_t got = read(file, text, sizeof text - 1);
    close(file);
    const int port = got > 0 ? portAndSecret(text, secret) : 0;
    if (port == 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return connectTo(AF_INET, reinterpret_cast<sockaddr *>(&address), sizeof address);
}

} // namespace

int askServer(const String &server, const String &context, const ServerRequest &request,
              PassOn passOn, void *passOnContext) {
    std::string secret;
    int fd = connectLocal(server + kServerSocketSuffix);
    if (fd < 0)
        fd = connectLoopback(server + kServerPortSuffix, secret);
    if (fd < 0)
        return kNoServer;
    const int code = sendAll(fd, requestBytes(secret, context, request))
                         ? followAnswer(receive, &fd, passOn, passOnContext)
                         : kNoServer;
    close(fd);
    return code;
}

} // namespace jdklaunch
