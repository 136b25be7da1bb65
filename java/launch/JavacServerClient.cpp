#include "JavacServerClient.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace jdklaunch {
namespace {

void appendNumber(std::string &out, unsigned long value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xff);
}

// The server reads the strings in the system's characters: the locale's bytes, or on Windows
// UTF-8.
std::string bytesOf(const String &text) {
    if constexpr (kOnWindows) {
        std::string utf8;
        for (size_t i = 0; i < text.size(); ++i) {
            unsigned long c = (unsigned long)text[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
                c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned long)text[++i] - 0xDC00);
            if (c < 0x80) {
                utf8 += char(c);
            } else if (c < 0x800) {
                utf8 += char(0xC0 | (c >> 6));
                utf8 += char(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                utf8 += char(0xE0 | (c >> 12));
                utf8 += char(0x80 | ((c >> 6) & 0x3F));
                utf8 += char(0x80 | (c & 0x3F));
            } else {
                utf8 += char(0xF0 | (c >> 18));
                utf8 += char(0x80 | ((c >> 12) & 0x3F));
                utf8 += char(0x80 | ((c >> 6) & 0x3F));
                utf8 += char(0x80 | (c & 0x3F));
            }
        }
        return utf8;
    } else {
        return std::string(text.begin(), text.end());
    }
}

void appendString(std::string &out, const std::string &value) {
    appendNumber(out, value.size());
    out += value;
}

unsigned long numberAt(const char *bytes) {
    return (unsigned long)(unsigned char)bytes[0] << 24 |
           (unsigned long)(unsigned char)bytes[1] << 16 |
           (unsigned long)(unsigned char)bytes[2] << 8 | (unsigned long)(unsigned char)bytes[3];
}

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

std::string requestBytes(const std::string &secret, const String &context,
                         const ServerRequest &request) {
    std::string asked = "TJC1";
    appendString(asked, secret);
    appendString(asked, bytesOf(context));
    appendNumber(asked, request.options.size());
    for (const String &option : request.options)
        appendString(asked, bytesOf(option));
    appendNumber(asked, request.wholeAndShown.size() / 2);
    for (const String &file : request.wholeAndShown)
        appendString(asked, bytesOf(file));
    return asked;
}

int followAnswer(Receive receive, void *connection, PassOn passOn, void *passOnContext) {
    long long deadline = nowMs() + kAnswerMs;
    bool taken = false; // the server's first answer takes the compile
    std::string payload;
    const auto left = [&deadline] { return int(deadline - nowMs() > 0 ? deadline - nowMs() : 0); };
    for (;;) {
        char head[5];
        if (!receive(head, sizeof head, left(), connection))
            break;
        const unsigned long size = numberAt(head + 1);
        if (size > (1ul << 24))
            break;
        payload.resize(size);
        if (!receive(&payload[0], size, left(), connection))
            break;
        if (head[0] == 'A' && !taken) {
            taken = true;
            deadline = nowMs() + kCompileMs;
        } else if (head[0] == 'O' && taken) {
            passOn(payload.data(), payload.size(), passOnContext);
        } else if (head[0] == 'X' && taken && size == 4) {
            return int(numberAt(payload.data()));
        } else {
            break; // declined, timed out, or not a server
        }
    }
    return kNoServer;
}

int portAndSecret(const std::string &text, std::string &secret) {
    char *end = nullptr;
    const long port = std::strtol(text.c_str(), &end, 10);
    if (port <= 0 || port > 65535 || !end || *end != ' ')
        return 0;
    secret.assign(end + 1, std::strcspn(end + 1, "\r\n"));
    return int(port);
}

} // namespace jdklaunch
