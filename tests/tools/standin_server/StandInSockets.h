#pragma once
// The system's sockets, as the stand-in server uses them (one file per system).
#include <cstddef>

namespace standin {
using Socket = long long;
inline constexpr Socket kNoSocket = -1;

// A socket listening on a loopback port of the system's choosing; the port in `port`.
Socket listenOnLoopback(int &port);
Socket acceptOne(Socket listening);
// Exactly `size` bytes, or false when the caller went first.
bool receiveAll(Socket socket, char *bytes, size_t size);
bool sendAll(Socket socket, const char *bytes, size_t size);
void closeSocket(Socket socket);
} // namespace standin
