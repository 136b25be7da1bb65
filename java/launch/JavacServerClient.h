#pragma once
// The javac launcher's side of the warm compiler (JdkLaunch.h says what it is).
#include "JdkLaunch.h"

namespace jdklaunch {

// What askServer returns beside javac's exit code.
inline constexpr int kNoServer = -10;   // none took the compile; nothing was shown
inline constexpr int kServerLost = -11; // it took it and was lost before its exit code

// Asks the server named `server` to compile; what javac prints goes to `console` and, when
// `record` is not negative, to the record too, as it comes.
int askServer(const String &server, const String &context, const ServerRequest &request,
              int console, int record);

} // namespace jdklaunch
