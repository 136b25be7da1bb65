#pragma once
// The javac launcher's side of the warm compiler (JdkLaunch.h says what it is).
#include "jdklaunch/JdkLaunch.h"

namespace jdklaunch {

// What askServer returns in place of javac's exit code when no server took the compile, or the
// one that took it was lost before javac's exit code: javac then runs itself.
inline constexpr int kNoServer = -10;

// Where javac's output goes as it comes (the console, the build's record).
using PassOn = void (*)(const char *bytes, size_t size, void *context);

// Asks the server named `server` to compile; what javac prints goes to passOn.
int askServer(const String &server, const String &context, const ServerRequest &request,
              PassOn passOn, void *passOnContext);

// The conversation, apart from the system's sockets.
// A server at work answers within milliseconds; one that does not answer within this is stopped,
// hung or not a server (a loaded machine gives a server of low priority a little time).
inline constexpr int kAnswerMs = 3000;
// The server ends a compile after a minute itself; this is for one that hangs.
inline constexpr int kCompileMs = 65 * 1000;
// The request's bytes: "TJC1", the secret, the context, the options, the files.
std::string requestBytes(const std::string &secret, const String &context,
                         const ServerRequest &request);
// Reads exactly `size` bytes within `waitMs` milliseconds.
using Receive = bool (*)(char *bytes, size_t size, int waitMs, void *connection);
// Follows the server's frames to javac's exit code.
int followAnswer(Receive receive, void *connection, PassOn passOn, void *passOnContext);
// "port secret", as the port file holds it: the port, or 0.
int portAndSecret(const std::string &text, std::string &secret);

} // namespace jdklaunch
