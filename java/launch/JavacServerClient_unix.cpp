#include "JavacServerClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

namespace jdklaunch {
namespace {

// A server at work answers at once; one that does not is busy, stopped or not a server.
constexpr int kAnswerMs = 1500;
// The server ends a compile after a minute itself; this is for one that hangs.
constexpr int kCompileMs = 65 * 1000;

long long nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

bool writeAll(int fd, const char *bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

// Reads exactly `size` bytes, waiting no later than `deadline`.
bool readAll(int fd, char *bytes, size_t size, long long deadline) {
    while (size > 0) {
        pollfd ready{fd, POLLIN, 0};
        const long long left = deadline - nowMs();
        if (left <= 0)
            return false;
        const int polled = poll(&ready, 1, int(left));
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

void appendNumber(std::string &out, unsigned long value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xff);
}

void appendString(std::string &out, const std::string &value) {
    appendNumber(out, value.size());
    out += value;
}

int connectLocal(const String &socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path)
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// "port secret" from the port file, read only when it is the user's own plain file.
int connectLoopback(const String &portFile, std::string &secret) {
    const int file = open(portFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0)
        return -1;
    char text[128] = {};
    const ssize_t got = read(file, text, sizeof text - 1);
    close(file);
    char *end = nullptr;
    const long port = got > 0 ? std::strtol(text, &end, 10) : 0;
    if (port <= 0 || port > 65535 || !end || *end != ' ')
        return -1;
    secret.assign(end + 1, std::strcspn(end + 1, "\r\n"));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// Follows the server's frames to javac's exit code.
int answer(int fd, int console, int record) {
    long long deadline = nowMs() + kAnswerMs;
    bool taken = false;
    std::string payload;
    for (;;) {
        char head[5];
        if (!readAll(fd, head, sizeof head, deadline))
            return taken ? kServerLost : kNoServer;
        const unsigned long size = (unsigned long)(unsigned char)head[1] << 24 |
                                   (unsigned long)(unsigned char)head[2] << 16 |
                                   (unsigned long)(unsigned char)head[3] << 8 |
                                   (unsigned long)(unsigned char)head[4];
        if (size > (1ul << 24))
            return taken ? kServerLost : kNoServer;
        payload.resize(size);
        if (!readAll(fd, payload.data(), size, deadline))
            return taken ? kServerLost : kNoServer;
        if (head[0] == 'A' && !taken) {
            taken = true;
            deadline = nowMs() + kCompileMs;
        } else if (head[0] == 'O' && taken) {
            writeAll(console, payload.data(), payload.size());
            if (record >= 0)
                writeAll(record, payload.data(), payload.size());
        } else if (head[0] == 'X' && taken && size == 4) {
            return int((unsigned char)payload[0]) << 24 | int((unsigned char)payload[1]) << 16 |
                   int((unsigned char)payload[2]) << 8 | int((unsigned char)payload[3]);
        } else {
            return taken ? kServerLost : kNoServer; // declined, timed out, or not a server
        }
    }
}

} // namespace

int askServer(const String &server, const String &context, const ServerRequest &request,
              int console, int record) {
    std::string secret;
    int fd = connectLocal(server + kServerSocketSuffix);
    if (fd < 0)
        fd = connectLoopback(server + kServerPortSuffix, secret);
    if (fd < 0)
        return kNoServer;
    std::string asked = "TJC1";
    appendString(asked, secret);
    appendString(asked, context);
    appendNumber(asked, request.options.size());
    for (const String &option : request.options)
        appendString(asked, option);
    appendNumber(asked, request.wholeAndShown.size() / 2);
    for (const String &file : request.wholeAndShown)
        appendString(asked, file);
    const int code = sendAll(fd, asked) ? answer(fd, console, record) : kNoServer;
    close(fd);
    return code;
}

} // namespace jdklaunch
