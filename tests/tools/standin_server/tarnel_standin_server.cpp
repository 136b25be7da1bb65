// Test stand-in for the warm compiler: tarnel_standin_server NAME ANSWER [hang]. Listens on a
// loopback port, which it writes with the secret "5ec7e7" to NAME.port, takes one request and
// keeps what it was asked in NAME.asked ("secret ...", "context ...", "option ...", "file ..."
// lines, the strings' bytes as they came), then answers with ANSWER (hexadecimal bytes) and
// closes; with "hang" it says nothing more until the caller goes.
#include "StandInSockets.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
bool number(standin::Socket caller, unsigned long &value) {
    unsigned char bytes[4];
    if (!standin::receiveAll(caller, reinterpret_cast<char *>(bytes), 4))
        return false;
    value = (unsigned long)bytes[0] << 24 | (unsigned long)bytes[1] << 16 |
            (unsigned long)bytes[2] << 8 | bytes[3];
    return true;
}

bool string(standin::Socket caller, std::string &text) {
    unsigned long size = 0;
    if (!number(caller, size) || size > (1ul << 20))
        return false;
    text.assign(size, '\0');
    return size == 0 || standin::receiveAll(caller, &text[0], size);
}

std::string fromHex(const char *hex) {
    std::string bytes;
    for (; hex[0] && hex[1]; hex += 2) {
        unsigned value = 0;
        std::sscanf(hex, "%2x", &value);
        bytes += char(value);
    }
    return bytes;
}

// Written whole before it is renamed into place: the test waits for the name.
void writeFile(const std::string &path, const std::string &text) {
    const std::string written = path + ".new";
    if (FILE *file = std::fopen(written.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        std::remove(path.c_str());
        std::rename(written.c_str(), path.c_str());
    }
}
} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3)
        return 2;
    const std::string name = argv[1];
    const bool hang = argc > 3 && std::strcmp(argv[3], "hang") == 0;
    int port = 0;
    const standin::Socket listening = standin::listenOnLoopback(port);
    if (listening == standin::kNoSocket)
        return 1;
    writeFile(name + ".port", std::to_string(port) + " 5ec7e7\n");
    const standin::Socket caller = standin::acceptOne(listening);
    if (caller == standin::kNoSocket)
        return 1;
    std::string asked, text;
    char magic[4];
    unsigned long count = 0;
    bool whole = standin::receiveAll(caller, magic, 4) && std::memcmp(magic, "TJC1", 4) == 0;
    for (const char *kind : {"secret", "context"})
        if ((whole = whole && string(caller, text)))
            asked += std::string(kind) + " " + text + "\n";
    for (const char *kind : {"option", "file"}) {
        whole = whole && number(caller, count);
        for (unsigned long i = 0; whole && i < count * (kind[0] == 'f' ? 2 : 1); ++i)
            if ((whole = string(caller, text)))
                asked += std::string(kind) + " " + text + "\n";
    }
    writeFile(name + ".asked", asked);
    const std::string answer = fromHex(argv[2]);
    standin::sendAll(caller, answer.data(), answer.size());
    char any;
    while (hang && standin::receiveAll(caller, &any, 1)) {
    }
    standin::closeSocket(caller);
    standin::closeSocket(listening);
    return 0;
}
